#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

#include "basesettings.h"

// Placeholder until the page's form exists.
class MotorSettings : public BaseSettings
{
    Q_OBJECT
public:
    explicit MotorSettings(QWidget* parent)
        : BaseSettings(parent)
    {
        setObjectName("MotorSettings");
        auto* layout = new QVBoxLayout(this);
        auto* area = new QScrollArea(this);
        auto* contents = new QWidget;
        contents->setObjectName("scrollAreaWidgetContents");
        area->setWidget(contents);
        layout->addWidget(area);
    }

private slots:
    void currentAxisChanged() override {}
};
