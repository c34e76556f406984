#pragma once

#include <QScrollArea>
#include <QVBoxLayout>

#include "basesettings.h"

// Placeholder until the page's form exists.
class Commissioning : public BaseSettings
{
    Q_OBJECT
public:
    explicit Commissioning(QWidget* parent)
        : BaseSettings(parent)
    {
        setObjectName("Commissioning");
        auto* layout = new QVBoxLayout(this);
        auto* area = new QScrollArea(this);
        auto* contents = new QWidget;
        contents->setObjectName("scrollAreaWidgetContents");
        area->setWidget(contents);
        layout->addWidget(area);
    }

public slots:
    void done(bool apply, QString kora) { Q_UNUSED(apply) Q_UNUSED(kora) }
    void on_cmbAxisNumber_currentIndexChanged(int index) { if (dataExchange()) dataExchange()->setCurrentAxis(index); }

private slots:
    void currentAxisChanged() override {}
};
