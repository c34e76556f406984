#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

#include "basesettings.h"

// Placeholder until the page's form exists.
class ClosedLoop : public BaseSettings
{
    Q_OBJECT
public:
    explicit ClosedLoop(QWidget* parent)
        : BaseSettings(parent)
    {
        setObjectName("ClosedLoop");
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
