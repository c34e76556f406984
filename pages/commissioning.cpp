// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commissioning.h"
#include "ui_commissioning.h"

#include <QColor>
#include <QMessageBox>
#include <QPointer>

#include "command.h"
#include "dataexchange.h"
#include "debuglog.h"
#include "labelled.h"
#include "labelsignal.h"
#include "moduleinterface.h"
#include "parameter.h"
#include "progressindicator.h"
#include "spinbox.h"

namespace {
const quint8 RampTypeParameter = 14;
const quint8 SecondAccelerationParameter = 17;
const quint8 ClosedLoopParameter = 129;
// Parameters 22 to 25 shape the S-ramp; all get the same value.
const quint8 SShapeFirstParameter = 22;
const quint8 SShapeLastParameter = 25;
const int SShapeValue = 51000;
const int DefaultMoveDistance = 51000;
const int RelativeMove = 1;
} // namespace

Commissioning::Commissioning(QWidget* parent)
    : BaseSettings(parent)
    , ui(new Ui::Commissioning)
{
    ui->setupUi(this);

    ui->ledPositionReached->init(QColor("yellow"), QString(), 20);
    ui->ledClInitFlag->init(QColor("lime"), QString(), 20);
    ui->progressIndicator->setColor(QColor("cornflowerblue"));

    ui->lblClreadyToUse->hide();

    // The form carries both images; every step starts as not ready.
    m_readyStyle = ui->lblProgressMotor->styleSheet();
    m_notReadyStyle = ui->lblProgressEncoder->styleSheet();
    ui->lblProgressMotor->setStyleSheet(m_notReadyStyle);
    ui->lblProgressClosedLoop->setStyleSheet(m_notReadyStyle);

    connect(ui->btnMotorSettings, &QPushButton::clicked, this, &Commissioning::showMotorSettings);
    connect(ui->btnEncoderSettings, &QPushButton::clicked, this, &Commissioning::showEncoderSettings);
    connect(ui->btnClosedLoop, &QPushButton::clicked, this, &Commissioning::showClosedLoop);

    // The busy indicator runs from ticking the box until the module reports the loop ready.
    connect(ui->ledClInitFlag->labelSignal(), &LabelSignal::ledEnabled, ui->progressIndicator,
            &ProgressIndicator::stopAnimation);
}

Commissioning::~Commissioning()
{
    qCDebug(debLevelLow) << Q_FUNC_INFO;
    delete ui;
}

void Commissioning::setDataExchange(DataExchange* dataExchange)
{
    BaseSettings::setDataExchange(dataExchange);
    if (!dataExchange || !dataExchange->module())
        return;

    ModuleInterface* module = dataExchange->module();
    // The signature macro is no string literal.
    const QString caller = QString::fromLatin1(Q_FUNC_INFO); // clazy:exclude=qstring-allocations
    const QString scope = QStringLiteral("axis0");
    const Parameter measuredSpeed = module->getParameterAndCheck(caller, scope, QStringLiteral("par::MeasuredSpeed"));
    const Parameter targetVelocity = module->getParameterAndCheck(caller, scope, QStringLiteral("par::TargetVelocity"));
    const Parameter encoderPosition = module->getParameterAndCheck(caller, scope, QStringLiteral("par::encoder position"));
    const Parameter positionReached = module->getParameterAndCheck(caller, scope, QStringLiteral("par::PositionReachedFlag"));
    const Parameter clInitFlag = module->getParameterAndCheck(caller, scope, QStringLiteral("par::CL init flag"));
    const Parameter targetPosition = module->getParameterAndCheck(caller, scope, QStringLiteral("par::TargetPosition"));
    const Parameter maxVelocity = module->getParameterAndCheck(caller, scope, QStringLiteral("par::MaxVelocity"));
    const Parameter maxAcceleration = module->getParameterAndCheck(caller, scope, QStringLiteral("par::MaxAcceleration"));

    const struct
    {
        SpinBox* box;
        QLabel* unit;
        const Parameter& parameter;
    } monitors[] = {
        {ui->spMeasuredVelocity, ui->lblMeasuredVelocityUnit, measuredSpeed},
        {ui->spTargetVelocity, ui->lblTargetVelocityUnit, targetVelocity},
        {ui->spEncoderPosition, ui->lblEncoderPositionUnit, encoderPosition},
    };
    for (const auto& monitor : monitors) {
        monitor.box->setUnitParameter(monitor.parameter, true, 0.0, 0);
        monitor.unit->setText(monitor.parameter.unit);
        dataExchange->registerSpinBox(monitor.box);
    }
    dataExchange->registerLed(ui->ledPositionReached, positionReached.type);
    dataExchange->registerLed(ui->ledClInitFlag, clInitFlag.type);

    ui->sbTargetPosition->setUnitParameter(targetPosition, true, 0.0, 0);
    ui->sbTargetPosition->setToolTip(QString());
    ui->sbTargetPosition->setValue(DefaultMoveDistance);

    ui->sbMaximumPositionSpeed->setUnitParameter(maxVelocity, true, 0.0, 0);
    ui->sbMaximumAcceleration->setUnitParameter(maxAcceleration, true, 0.0, 0);
}

void Commissioning::showEvent(QShowEvent* event)
{
    Q_UNUSED(event)
    // Only the page is silenced: a control changed here still writes its value back
    // through its own slot, as a change by the user would.
    blockSignals(true);
    if (DataExchange* exchange = dataExchange()) {
        Command request(0, Command::GetAxisParameter, RampTypeParameter, 0, 0);
        Command reply;
        exchange->sendCommand(&request, &reply);
        // An unknown ramp type would blank the combo box; keep what it shows instead.
        if (reply.status() == Command::StatusOk && reply.value() >= 0 && reply.value() < ui->cmbRampType->count())
            ui->cmbRampType->setCurrentIndex(reply.value());

        const QList<SpinBox*> boxes = ui->gbMotionTest->findChildren<SpinBox*>();
        for (SpinBox* box : boxes) {
            if (box->sapType() == 0)
                continue;
            Command boxRequest(0, Command::GetAxisParameter, quint8(box->sapType()), 0, 0);
            Command boxReply;
            exchange->sendCommand(&boxRequest, &boxReply);
            if (boxReply.status() == Command::StatusOk)
                box->setValue(boxReply.value());
        }
    }
    blockSignals(false);
}

void Commissioning::hideEvent(QHideEvent* event)
{
    Q_UNUSED(event)
}

// The text by value: the signature is part of the debug line.
void Commissioning::done(bool apply, QString kora) // clazy:exclude=function-args-by-ref
{
    qCDebug(debLevelLow) << Q_FUNC_INFO << sender() << apply;
    emit showCommissioning();
    if (!apply)
        return;

    const QString reporter = sender() ? sender()->objectName() : QString();
    if (reporter == QLatin1String("MotorSettings")) {
        if (!kora.isEmpty()) {
            m_motorText = kora;
        } else {
            if (!chooseNextStep(ui->gbEncoder, tr("Does the motor have an ABN- Encoder installed"),
                                &Commissioning::showEncoderSettings))
                return;
            ui->lblProgressMotor->setStyleSheet(m_readyStyle);
        }
    } else if (reporter == QLatin1String("EncoderSettings")) {
        if (!kora.isEmpty()) {
            m_encoderText = kora;
        } else {
            if (!chooseNextStep(ui->gbClosedLoop, tr("Shall the  drive run closed loop"), &Commissioning::showClosedLoop))
                return;
            ui->lblProgressEncoder->setStyleSheet(m_readyStyle);
        }
    } else if (reporter == QLatin1String("ClosedLoop")) {
        if (!kora.isEmpty())
            m_closedLoopText = kora;
        else
            ui->lblProgressClosedLoop->setStyleSheet(m_readyStyle);
    }
    refreshReadiness();
}

bool Commissioning::chooseNextStep(QGroupBox* step, const QString& question, void (Commissioning::*open)())
{
    if (step->isChecked())
        return true;
    QPointer<Commissioning> self(this);
    const QMessageBox::StandardButton answer = ask(question);
    if (!self)
        return false;
    step->setChecked(answer == QMessageBox::Yes);
    if (step->isChecked())
        emit (this->*open)();
    return true;
}

QMessageBox::StandardButton Commissioning::ask(const QString& question)
{
    // The box lives on the heap and is watched: the host may destroy the tool, and with it
    // the page and the box, while the question waits for its answer.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Question, QString(), question,
                                                QMessageBox::Yes | QMessageBox::No, this);
    box->exec();
    if (!box)
        return QMessageBox::NoButton;
    const QMessageBox::StandardButton answer = box->standardButton(box->clickedButton());
    delete box;
    return answer;
}

void Commissioning::refreshReadiness()
{
    ui->lblClreadyToUse->setVisible(ui->gbEncoder->isChecked() && ui->gbClosedLoop->isChecked());
    ui->lblClnotReady->setVisible(!ui->lblClreadyToUse->isVisible());

    // Rebuilt from the stored texts each time, so repeated reports never pile up.
    ui->teHistory->setText(m_motorText);
    ui->teHistory->append(m_encoderText);
    ui->teHistory->append(m_closedLoopText);
}

void Commissioning::on_cmbAxisNumber_currentIndexChanged(int index)
{
    if (dataExchange())
        dataExchange()->setCurrentAxis(index);
    // Hiding and showing the tool again runs the show refresh for the new axis.
    if (isVisible() && parentWidget()) {
        parentWidget()->hide();
        parentWidget()->show();
    }
}

void Commissioning::currentAxisChanged()
{
    if (dataExchange())
        emit showMessage(tr("Changed: ") + dataExchange()->currentAxisName(), 0);
}

void Commissioning::player(QAbstractButton* button)
{
    DataExchange* exchange = dataExchange();
    if (!exchange)
        return;
    Command request(0, Command::Stop, 0, 0, 0);
    if (button == ui->btnStart) {
        request.setCommand(Command::Move);
        request.setType(RelativeMove);
        request.setValue(int(ui->sbTargetPosition->value()));
    }
    Command reply;
    exchange->sendCommand(&request, &reply);
}

void Commissioning::spValueChanged(int value)
{
    auto* box = qobject_cast<SpinBox*>(sender());
    if (!box)
        return;
    sendAxisParameter(quint8(box->sapType()), value);
    // The module keeps a second acceleration that has to follow the first.
    if (box == ui->sbMaximumAcceleration)
        sendAxisParameter(SecondAccelerationParameter, value);
}

void Commissioning::on_cmbRampType_currentIndexChanged(int index)
{
    sendAxisParameter(RampTypeParameter, index);
    if (index != 0) {
        for (quint8 type = SShapeFirstParameter; type <= SShapeLastParameter; ++type)
            sendAxisParameter(type, SShapeValue);
    }
}

void Commissioning::on_cbActivateClosedLoop_clicked(bool checked)
{
    sendAxisParameter(ClosedLoopParameter, checked ? 1 : 0);
}

void Commissioning::on_btnChangeSign_clicked()
{
    // 0 - x rather than -x, so that 0 does not turn into -0.
    ui->sbTargetPosition->setValue(0.0 - ui->sbTargetPosition->value(), true);
}

void Commissioning::sendAxisParameter(quint8 type, int value)
{
    DataExchange* exchange = dataExchange();
    if (!exchange)
        return;
    Command request(0, Command::SetAxisParameter, type, 0, value);
    Command reply;
    exchange->sendCommand(&request, &reply);
}
