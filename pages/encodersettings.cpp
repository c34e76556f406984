// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "encodersettings.h"
#include "ui_encodersettings.h"

#include <QAbstractButton>
#include <QTimerEvent>

#include "command.h"
#include "commandhandlerinterface.h"
#include "dataexchange.h"
#include "moduleinterface.h"
#include "resolutionsnapper.h"
#include "setupprogram.h"
#include "spinbox.h"

namespace {
const quint8 MotorPosition = 1;
const quint8 MaxVelocity = 4;
const quint8 MaxAcceleration = 5;
const quint8 PositionReached = 8;
const quint8 ClosedLoop = 129;
const quint8 EncoderPosition = 209;
const quint8 EncoderResolution = 210;
const quint8 RelativeMove = 1;

// The module counts in 32 bits and wraps; so do the page's sums and differences of its values.
int wrapped(qint64 value)
{
    return int(quint32(quint64(value)));
}
}

EncoderSettings::EncoderSettings(QWidget* parent)
    : BaseSettings(parent)
    , ui(new Ui::EncoderSettings)
{
    ui->setupUi(this);
    ui->stackedWidget->setCurrentWidget(ui->gbMenu);
    ui->progressBar->setDecimals(0);
    ui->progressBar->setNullPosition(90.0);
    ui->progressBar->setBarStyle(QRoundProgressBar::StylePie);
    m_forwardTurn = false;
}

EncoderSettings::~EncoderSettings()
{
    delete ui;
}

void EncoderSettings::setDataExchange(DataExchange* exchange)
{
    BaseSettings::setDataExchange(exchange);
    ModuleInterface* module = exchange ? exchange->module() : nullptr;
    if (!module)
        return;
    // The signature macro is no string literal.
    const QString caller = QString::fromLatin1(Q_FUNC_INFO); // clazy:exclude=qstring-allocations
    const QString axis = QStringLiteral("axis0");
    ui->spEncoderResolution->setUnitParameter(
        module->getParameterAndCheck(caller, axis, QStringLiteral("par::encoder resolution")), false, 0.0, 0);
    ui->spMaxEncoderDeviation->setUnitParameter(
        module->getParameterAndCheck(caller, axis, QStringLiteral("par::max. position encoder deviation")), false,
        0.0, 0);
    ui->spEncoderPosition->setUnitParameter(
        module->getParameterAndCheck(caller, axis, QStringLiteral("par::encoder position")), false, 0.0, 0);
}

void EncoderSettings::showEvent(QShowEvent* event)
{
    BaseSettings::showEvent(event);
    if (!dataExchange())
        return;
    const QList<SpinBox*> boxes = ui->gbMenu->findChildren<SpinBox*>();
    for (SpinBox* box : boxes) {
        const Command reply = send(Command::GetAxisParameter, quint8(box->sapType()));
        if (reply.status() != Command::StatusOk)
            continue;
        if (box->sapType() == EncoderResolution) {
            // The module keeps the counting direction as the sign of the resolution.
            box->setValue(qAbs(double(reply.value())));
            ui->cbReverseEncoderDirection->setChecked(reply.value() < 0);
        } else {
            box->setValue(reply.value());
        }
    }
}

void EncoderSettings::currentAxisChanged()
{
    if (DataExchange* exchange = dataExchange())
        ui->lblCurrentAxis->setText(exchange->currentAxisName());
}

void EncoderSettings::on_buttonBox_clicked(QAbstractButton* button)
{
    if (ui->buttonBox->standardButton(button) != QDialogButtonBox::Apply) {
        finish(false, QString());
        return;
    }
    DataExchange* exchange = dataExchange();
    if (!exchange)
        return; // no module to write to yet: the window stays open with the user's values

    QString text = SetupProgram::encoderHeader();
    const QList<SpinBox*> boxes = findChildren<SpinBox*>();
    for (SpinBox* box : boxes) {
        int value = box->intValue();
        if (box->sapType() == EncoderResolution && ui->cbReverseEncoderDirection->isChecked())
            value = wrapped(-qint64(value));
        exchange->setAxisParameter(quint8(box->sapType()), value);
        text += SetupProgram::parameterLine(box->sapType(), exchange->currentAxis(), value, box->parameter().comment);
    }
    finish(true, text);
    finish(true, QString());
}

void EncoderSettings::on_btnAutoDetection_clicked()
{
    // The detection moves the motor; before the page is wired to a module there is none.
    if (!dataExchange())
        return;
    ui->stackedWidget->setCurrentWidget(ui->pageAuto);
    ui->buttonBox->hide();

    m_savedParameters.clear();
    const QList<SpinBox*> boxes = ui->gbMenu->findChildren<SpinBox*>();
    for (SpinBox* box : boxes) {
        // The encoder position is zeroed by the results, never restored.
        if (box->sapType() != EncoderPosition)
            m_savedParameters.insert(box->sapType(), readParameter(quint8(box->sapType())));
    }
    m_savedParameters.insert(MaxVelocity, readParameter(MaxVelocity));
    m_savedParameters.insert(MaxAcceleration, readParameter(MaxAcceleration));
}

void EncoderSettings::on_bbAutoDetection_rejected()
{
    ui->stackedWidget->setCurrentWidget(ui->gbMenu);
    ui->buttonBox->setVisible(true);
}

void EncoderSettings::on_bbAutoDetection_accepted()
{
    DataExchange* exchange = dataExchange();
    if (!exchange) {
        on_bbAutoDetection_rejected();
        return;
    }
    const int steps = exchange->microstepsPerRevolution();

    ui->lblRelPos->setText(QStringLiteral("0"));
    ui->lblRelPosEnc->setText(QStringLiteral("0"));
    ui->lblInvestigated->setText(tr("running"));
    ui->lblEncDirection->setText(QStringLiteral(".       "));
    ui->stackedWidget->setCurrentWidget(ui->pageDetection);

    m_timerId = startTimer(100, Qt::PreciseTimer);
    m_forwardTurn = true;

    m_encoderStart = readParameter(EncoderPosition);
    m_motorStart = readParameter(MotorPosition);

    // Open loop: the motor must turn by its steps, whatever the encoder counts.
    writeParameter(ClosedLoop, 0);
    writeParameter(EncoderResolution, steps);
    writeParameter(MaxVelocity, steps / 4);
    writeParameter(MaxAcceleration, steps / 8);

    ui->progressBar->setRange(0, steps);
    send(Command::Move, RelativeMove, steps);
}

void EncoderSettings::on_bbDetction_clicked(QAbstractButton* button)
{
    on_bbAutoDetection_rejected();
    // A move already commanded runs on; only the polling ends.
    if (m_timerId != 0)
        killTimer(m_timerId);

    if (ui->bbDetction->standardButton(button) != QDialogButtonBox::Apply)
        return;
    // Before the forward turn has been evaluated there is no result: an early Apply changes
    // nothing rather than taking the starting encoder reading for a resolution.
    if (m_forwardTurn)
        return;
    ui->spEncoderResolution->setValue(m_encoderStart);
    ui->spEncoderPosition->setValue(0);
    ui->cbReverseEncoderDirection->setChecked(m_reversed);
}

void EncoderSettings::timerEvent(QTimerEvent* event)
{
    // The page runs no other timer, so the id is not examined; but a stray event after a
    // completed run must not repeat the stop and the restore.
    Q_UNUSED(event)
    if (m_timerId == 0)
        return;
    if (!dataExchange()) {
        killTimer(m_timerId);
        m_timerId = 0;
        return;
    }

    setCircularMode(true);
    const int moved = wrapped(qint64(readParameter(MotorPosition)) - m_motorStart);
    ui->lblRelPos->setText(QString::number(moved));
    ui->progressBar->setValue(qAbs(double(moved)));
    if (m_forwardTurn) {
        const int counted = wrapped(qint64(readParameter(EncoderPosition)) - m_encoderStart);
        ui->lblRelPosEnc->setText(QString::number(counted));
    }

    if (readParameter(PositionReached) == 1) {
        setCircularMode(false);
        if (m_forwardTurn)
            evaluateForwardTurn();
        else
            endReturnTurn();
    } else if (m_forwardTurn) {
        // The full stop wanders one place to the right per poll.
        const QString dots = ui->lblEncDirection->text();
        if (!dots.isEmpty())
            ui->lblEncDirection->setText(dots.right(1) + dots.left(dots.size() - 1));
    }
    setCircularMode(false);
}

void EncoderSettings::evaluateForwardTurn()
{
    const int steps = dataExchange()->microstepsPerRevolution();
    const int encoder = readParameter(EncoderPosition);
    m_reversed = encoder < m_encoderStart;
    ui->lblEncDirection->setText(m_reversed ? tr("reversed") : tr("not reverse"));

    const int counted = wrapped(qint64(encoder) - m_encoderStart);
    m_encoderStart = ResolutionSnapper::snap(qAbs(qint64(counted)));
    ui->lblInvestigated->setText(m_encoderStart != 0 ? QString::number(m_encoderStart) : tr("not possible"));
    m_forwardTurn = false;

    writeParameter(MaxVelocity, wrapped(2 * qint64(steps)));
    writeParameter(MaxAcceleration, wrapped(2 * qint64(steps)));
    send(Command::Move, RelativeMove, wrapped(-qint64(steps)));
}

void EncoderSettings::endReturnTurn()
{
    send(Command::Stop, 0, 0);
    for (auto it = m_savedParameters.cbegin(); it != m_savedParameters.cend(); ++it)
        writeParameter(quint8(it.key()), it.value());
    killTimer(m_timerId);
    m_timerId = 0;
}

Command EncoderSettings::send(quint8 command, quint8 type, int value)
{
    Command request(0, command, type, 0, value);
    Command reply;
    dataExchange()->sendCommand(&request, &reply);
    return reply;
}

int EncoderSettings::readParameter(quint8 type)
{
    return send(Command::GetAxisParameter, type).value();
}

void EncoderSettings::writeParameter(quint8 type, int value)
{
    send(Command::SetAxisParameter, type, value);
}

void EncoderSettings::setCircularMode(bool on)
{
    ModuleInterface* module = dataExchange()->module();
    CommandHandlerInterface* handler = module ? module->commandHandlerInterface() : nullptr;
    if (handler)
        handler->setCircularMode(on);
}
