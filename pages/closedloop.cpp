// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "closedloop.h"
#include "ui_closedloop.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPushButton>

#include <cmath>
#include <limits>

#include "basictools.h"
#include "dataexchange.h"
#include "debuglog.h"
#include "moduleinterface.h"
#include "setupprogram.h"
#include "spinbox.h"

namespace {

struct ParameterRow
{
    int type;
    SpinBox* Ui::ClosedLoop::*box;
    QLabel* Ui::ClosedLoop::*typeLabel; // null: the row shows no host tool tip
    int defaultValue;                   // 125 has none: Restore Defaults leaves it alone
};

// In the order the page binds the boxes to their parameters.
const ParameterRow Rows[] = {
    {113, &Ui::ClosedLoop::spCurrentMinimum, &Ui::ClosedLoop::lblType113, 50},
    {114, &Ui::ClosedLoop::spCurrentMaximum, &Ui::ClosedLoop::lblType114, 255},
    {120, &Ui::ClosedLoop::spUpscaleDelay, &Ui::ClosedLoop::lblType120, 10000},
    {121, &Ui::ClosedLoop::spDownscaleDelay, &Ui::ClosedLoop::lblType121, 100000},
    {125, &Ui::ClosedLoop::spMaxTolerance, &Ui::ClosedLoop::lblType125, 0},
    {126, &Ui::ClosedLoop::spScalerStartUp, &Ui::ClosedLoop::lblType126, 255},
    {108, &Ui::ClosedLoop::spClGammaVmin, &Ui::ClosedLoop::lblType108, 300000},
    {109, &Ui::ClosedLoop::spClGammaVmax, &Ui::ClosedLoop::lblType109, 1600000},
    {110, &Ui::ClosedLoop::spClMaximumGamma, &Ui::ClosedLoop::lblType110, 255},
    {115, &Ui::ClosedLoop::spClCorrectionVelocityP, nullptr, 3000},
    {116, &Ui::ClosedLoop::spClCorrectionVelocityI, nullptr, 20},
    {117, &Ui::ClosedLoop::spClCorrectionVelocityI_Clipping, nullptr, 2000},
    {119, &Ui::ClosedLoop::spClCorrectionDV_Clipping, nullptr, 100000},
};

const int RestoreOrder[] = {113, 114, 120, 121, 126, 108, 109, 110, 115, 116, 119, 117};

const ParameterRow* row(int type)
{
    for (const ParameterRow& r : Rows) {
        if (r.type == type)
            return &r;
    }
    return nullptr;
}

struct ModePicture
{
    QLabel* Ui::ClosedLoop::*label;
    const char* image;
};

const ModePicture Pictures[] = {
    {&Ui::ClosedLoop::lblPmCurrentScaling, ":/Images/rcc/Images/CurrentLevelControl.svg"},
    {&Ui::ClosedLoop::lblPmFieldWeaking, ":/Images/rcc/Images/FielWeakening.svg"},
    {&Ui::ClosedLoop::lblPmCorrection, ":/Images/rcc/Images/PositionCatchUp.svg"},
};

const quint8 EncoderResolution = 210;
const quint8 FullStepsPerRevolution = 202;
const quint8 MicrostepExponent = 140;

// Nearest integer, halves toward positive infinity (-2.5 gives -2); limited to int.
int roundHalfUp(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::floor(value + 0.5);
    if (rounded <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (rounded >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(rounded);
}

// Four microsteps per encoder count. Computed in floating point: the module may report
// exponents and step counts whose integer product does not fit.
int alternativeTolerance(int resolution, int fullSteps, int exponent)
{
    if (resolution == 0)
        return 0;
    const double power = exponent < 0 ? 0.0 : std::ldexp(1.0, qMin(exponent, 2048));
    return roundHalfUp(4.0 * power * fullSteps / resolution);
}

} // namespace

ClosedLoop::ClosedLoop(QWidget* parent)
    : BaseSettings(parent)
    , ui(new Ui::ClosedLoop)
{
    ui->setupUi(this);
    ui->twSettings->setCurrentWidget(ui->twPageCorrection);

    for (const ModePicture& picture : Pictures) {
        const QString path = QString::fromLatin1(picture.image);
        const QPixmap pixmap(path);
        QLabel* label = ui->*picture.label;
        label->setStyleSheet(QStringLiteral("image: url(%1)").arg(path));
        label->setToolTip(BasicTools::setPixmapToHtml(pixmap, pixmap.size()));
        label->setFrameShape(QFrame::Box);
    }
}

ClosedLoop::~ClosedLoop()
{
    delete ui;
}

void ClosedLoop::setDataExchange(DataExchange* dataExchange)
{
    BaseSettings::setDataExchange(dataExchange);
    ModuleInterface* module = dataExchange ? dataExchange->module() : nullptr;
    if (!module)
        return;
    for (const ParameterRow& r : Rows) {
        const Parameter parameter = module->getParameter(QStringLiteral("axis0"), r.type);
        (ui->*r.box)->setUnitParameter(parameter, false, 0.0, 0);
        if (r.typeLabel)
            (ui->*r.typeLabel)->setToolTip(parameter.toolTip);
    }
}

void ClosedLoop::timerEvent(QTimerEvent*)
{
}

void ClosedLoop::showEvent(QShowEvent* event)
{
    BaseSettings::showEvent(event);

    // The constructor shows the regulator first; from the second display on the user starts
    // with the current scaling.
    if (showCountdown) {
        --showCountdown;
        if (!showCountdown)
            ui->twSettings->setCurrentIndex(0);
    }

    DataExchange* exchange = dataExchange();
    if (!exchange)
        return;

    // A read the module does not answer (device closed) leaves the box as the user left it.
    const QList<SpinBox*> boxes = spinBoxes();
    for (SpinBox* box : boxes) {
        bool ok = true;
        const int value = exchange->getAxisParameter(quint8(box->sapType()), &ok);
        if (ok)
            box->setValue(value);
    }

    bool resolutionRead = true;
    bool fullStepsRead = true;
    bool exponentRead = true;
    const int resolution = exchange->getAxisParameter(EncoderResolution, &resolutionRead);
    const int fullSteps = exchange->getAxisParameter(FullStepsPerRevolution, &fullStepsRead);
    const int exponent = exchange->getAxisParameter(MicrostepExponent, &exponentRead);
    if (!resolutionRead || !fullStepsRead || !exponentRead)
        return;
    const int tolerance = alternativeTolerance(resolution, fullSteps, exponent);
    qCDebug(debLevelLow) << Q_FUNC_INFO << resolution << fullSteps << exponent << tolerance;
    // The button reads the number back from behind the last ": ".
    ui->btnAlternativScalerMaxTolerance->setDescription(tr("Set axis parameters 126 and 125 to")
                                                        + QStringLiteral(": ") + QString::number(tolerance));
}

void ClosedLoop::currentAxisChanged()
{
    if (DataExchange* exchange = dataExchange())
        ui->lblCurrentAxis->setText(exchange->currentAxisName());
}

void ClosedLoop::on_buttonBox_clicked(QAbstractButton* button)
{
    QDialogButtonBox* box = ui->buttonBox;
    if (button == box->button(QDialogButtonBox::RestoreDefaults)) {
        for (int type : RestoreOrder) {
            const ParameterRow* r = row(type);
            (ui->*r->box)->setValue(r->defaultValue);
        }
        return;
    }

    const bool ok = button == box->button(QDialogButtonBox::Ok);
    if (!ok && button != box->button(QDialogButtonBox::Apply)) {
        finish(false, QString());
        return;
    }

    // Without the module there is nothing to write to; the window stays open.
    DataExchange* exchange = dataExchange();
    if (!exchange)
        return;

    const int axis = exchange->currentAxis();
    QString kora = SetupProgram::closedLoopHeader();
    const QList<SpinBox*> boxes = spinBoxes();
    for (SpinBox* spinBox : boxes) {
        const int value = spinBox->intValue();
        exchange->setAxisParameter(quint8(spinBox->sapType()), value);
        kora += SetupProgram::parameterLine(spinBox->sapType(), axis, value, spinBox->parameter().comment);
    }
    kora += SetupProgram::waitLoop(axis);
    qCDebug(debLevelLow) << Q_FUNC_INFO << ok << kora;

    // Apply only tries the values on the module; the text counts once the page is accepted.
    if (ok) {
        finish(true, kora);
        finish(true, QString());
    }
}

void ClosedLoop::on_bgRegulatorPresets_buttonClicked(QAbstractButton* button)
{
    int p = 10000;
    int i = 1500;
    if (button == ui->btnConservative) {
        p = 500;
        i = 200;
    } else if (button == ui->btnBalanced) {
        p = 5000;
        i = 400;
    }

    const QList<QAbstractButton*> presets = ui->bgRegulatorPresets->buttons();
    for (QAbstractButton* preset : presets)
        preset->setChecked(false);
    if (!button)
        return;

    // Each change of P or I clears the presets, so the chosen one is checked last.
    ui->spClCorrectionVelocityI->setValue(i);
    ui->spClCorrectionVelocityP->setValue(p);
    button->setChecked(true);
}

void ClosedLoop::on_btnCalculatePIP_I_CLIP_clicked()
{
    int i = ui->spClCorrectionVelocityI->intValue();
    if (i <= 0)
        i = 1;
    const double dv = ui->spClCorrectionDV_Clipping->value();
    ui->spClCorrectionVelocityI_Clipping->setValue(roundHalfUp(dv / i));
}

void ClosedLoop::on_spClCorrectionVelocityI_valueChanged(int)
{
    on_bgRegulatorPresets_buttonClicked(nullptr);
}

void ClosedLoop::on_spClCorrectionVelocityP_valueChanged(int)
{
    on_bgRegulatorPresets_buttonClicked(nullptr);
}

void ClosedLoop::on_btnAlternativScalerMaxTolerance_clicked()
{
    ui->spScalerStartUp->setValue(describedTolerance());
    ui->spMaxTolerance->setValue(describedTolerance());
}

QList<SpinBox*> ClosedLoop::spinBoxes() const
{
    QList<SpinBox*> boxes;
    for (int tab = 0; tab < ui->twSettings->count(); ++tab)
        boxes += ui->twSettings->widget(tab)->findChildren<SpinBox*>();
    return boxes;
}

int ClosedLoop::describedTolerance() const
{
    const QString description = ui->btnAlternativScalerMaxTolerance->description();
    const int colon = description.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? 0 : description.midRef(colon + 2).toInt();
}
