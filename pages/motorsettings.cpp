// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "motorsettings.h"
#include "ui_motorsettings.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QIntValidator>
#include <QLineEdit>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTableView>

#include <cmath>
#include <iterator>

#include "command.h"
#include "dataexchange.h"
#include "debuglog.h"
#include "moduleinterface.h"
#include "parameter.h"
#include "setupprogram.h"
#include "spinbox.h"

namespace {

const int FullStepCounts[] = {800, 400, 200, 100, 96, 72, 48, 40, 24, 12, 8, 4};
const int DefaultFullSteps = 200;
const int MicrostepRows = 9;
// Peak-current multiplier per jumper position of the module's current-range jumper.
const double JumperFactors[] = {0.97, 3.01, 5.04};
// The module's reduced current range divides every current by this.
const double ReducedRangeDivisor = 1.88;
const double Sqrt2 = 1.4142135623730951;

const quint8 ParReverseShaft = 251;
const quint8 ParFullSteps = 202;
const quint8 ParMicrosteps = 140;
const quint8 ParReducedRange = 179;

const char* const JumperFirmware = "7391";

double peakCurrent(double value, double scale)
{
    return (value * 0.125 + 1.0) * 8.0 * scale;
}

// Fixed point with three decimals, trailing zeros and a bare point removed: 51.429, 0.5, 1.
QString angleText(double degrees)
{
    QString text = QString::number(degrees, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QStringLiteral("°");
}

} // namespace

MotorSettings::MotorSettings(QWidget* parent)
    : BaseSettings(parent)
    , ui(new Ui::MotorSettings)
    , m_currentScale(1.0)
    , m_fullSteps(nullptr)
    , m_microsteps(nullptr)
{
    ui->setupUi(this);

    // The chopper and Zephral tabs are not offered.
    ui->twSettings->setCurrentIndex(0);
    ui->twSettings->removeTab(1);
    ui->twSettings->removeTab(1);

    buildFullStepTable();
    buildMicrostepTable();
    m_currentScale = 1.0;
}

MotorSettings::~MotorSettings()
{
    delete ui;
}

void MotorSettings::buildFullStepTable()
{
    m_fullSteps = new QStandardItemModel(1, 2, this);
    m_fullSteps->setHorizontalHeaderLabels({tr(" Angel "), tr("Full step")});
    m_fullSteps->setItem(0, 0, new QStandardItem(QString()));
    m_fullSteps->setItem(0, 1, new QStandardItem(QStringLiteral("°")));
    int row = 1;
    for (int count : FullStepCounts) {
        const QString angle = QString::number(360.0 / count, 'g', 6) + QStringLiteral("°");
        m_fullSteps->setItem(row, 0, new QStandardItem(angle));
        m_fullSteps->setItem(row, 1, new QStandardItem(QString::number(count)));
        ++row;
    }

    auto* view = new QTableView;
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->cmbFullStepResulotion->setModel(m_fullSteps);
    ui->cmbFullStepResulotion->setView(view);
    ui->cmbFullStepResulotion->setModelColumn(0);
    ui->cmbFullStepResulotion->setMaxVisibleItems(m_fullSteps->rowCount());

    auto* edit = new QLineEdit;
    edit->setValidator(new QIntValidator(1, 65535, edit));
    edit->setPlaceholderText(tr("Edit"));
    connect(edit, &QLineEdit::textChanged, this, &MotorSettings::angel);
    view->setIndexWidget(m_fullSteps->index(0, 1), edit);
    view->resizeColumnToContents(0);
    view->resizeRowsToContents();
}

void MotorSettings::buildMicrostepTable()
{
    m_microsteps = new QStandardItemModel(this);
    for (int row = 0; row < MicrostepRows; ++row) {
        QString text;
        if (row == 0)
            text = tr("Fullstep");
        else if (row == 1)
            text = tr("Halfstep");
        else
            text = tr("%1 µsteps").arg(1 << row);
        auto* item = new QStandardItem(text);
        // Only full microstep resolution gives the encoder enough steps to close the loop.
        const bool recommended = row == MicrostepRows - 1;
        item->setData(QColor(recommended ? "lime" : "gold"), Qt::DecorationRole);
        item->setData(recommended ? QStringLiteral("Recommend for Close Loop") : tr("Closed Loop will not working"),
                      Qt::ToolTipRole);
        m_microsteps->setItem(row, 0, new QStandardItem(QString::number(row)));
        m_microsteps->setItem(row, 1, item);
    }

    auto* view = new QTableView;
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->cmbMicrosteps->setModel(m_microsteps);
    ui->cmbMicrosteps->setView(view);
    ui->cmbMicrosteps->setModelColumn(1);
    ui->cmbMicrosteps->setMaxVisibleItems(m_microsteps->rowCount());
    view->resizeColumnToContents(0);
    view->resizeRowsToContents();
}

QStandardItemModel* MotorSettings::fullStepTable() const
{
    auto* model = qobject_cast<QStandardItemModel*>(ui->cmbFullStepResulotion->model());
    return model == m_fullSteps ? model : nullptr;
}

QTableView* MotorSettings::fullStepView() const
{
    return qobject_cast<QTableView*>(ui->cmbFullStepResulotion->view());
}

QLineEdit* MotorSettings::customFullStepEdit() const
{
    QStandardItemModel* model = fullStepTable();
    QTableView* view = fullStepView();
    if (!model || !view)
        return nullptr;
    return qobject_cast<QLineEdit*>(view->indexWidget(model->index(0, 1)));
}

void MotorSettings::setDataExchange(DataExchange* exchange)
{
    BaseSettings::setDataExchange(exchange);
    ModuleInterface* module = exchange ? exchange->module() : nullptr;
    if (!module)
        return;

    // The signature macro is no string literal.
    const QString caller = QString::fromLatin1(Q_FUNC_INFO); // clazy:exclude=qstring-allocations
    const Parameter maxCurrent = module->getParameterAndCheck(caller, QStringLiteral("axis0"),
                                                              QStringLiteral("par::MaxCurrent"));
    ui->spMaxRunCurrent->setUnitParameter(maxCurrent, false, 0.0, 0);
    m_currentScale = maxCurrent.scale;
    ui->lblMaxRunCurrent->setToolTip(maxCurrent.toolTip);

    // Only that module has the current-range jumper.
    if (module->nameInFirmware() != QLatin1String(JumperFirmware) && ui->cmbJumper) {
        ui->lblJumper->deleteLater();
        ui->cmbJumper->deleteLater();
        ui->lblJumper = nullptr;
        ui->cmbJumper = nullptr;
    }

    const Parameter standbyCurrent = module->getParameterAndCheck(caller, QStringLiteral("axis0"),
                                                                  QStringLiteral("par::StandbyCurrent"));
    ui->spStanbyCurrent->setUnitParameter(standbyCurrent, false, 0.0, 0);
    ui->lblStandbyCurrent->setToolTip(standbyCurrent.toolTip);
}

void MotorSettings::currentAxisChanged()
{
    if (DataExchange* exchange = dataExchange())
        ui->lblCurrentAxis->setText(exchange->currentAxisName());
}

void MotorSettings::showEvent(QShowEvent* event)
{
    BaseSettings::showEvent(event);
    if (DataExchange* exchange = dataExchange())
        refreshFromModule(exchange);
}

void MotorSettings::refreshFromModule(DataExchange* exchange)
{
    // Each reply starts out holding what the page shows: a request the module never answers
    // (device closed) then leaves the control as it was.
    Command request(0, Command::GetAxisParameter, ParReverseShaft, 0, 0);
    Command reply;
    reply.setValue(ui->cbReverseMotorDirection->isChecked() ? 1 : 0);
    exchange->sendCommand(&request, &reply);
    ui->cbReverseMotorDirection->setChecked(reply.value() != 0);

    request.setType(ParFullSteps);
    reply.setValue(currentFullSteps());
    exchange->sendCommand(&request, &reply);
    selectFullSteps(reply.value() > 0 ? reply.value() : DefaultFullSteps);

    request.setType(ParMicrosteps);
    reply.setValue(ui->cmbMicrosteps->currentIndex());
    exchange->sendCommand(&request, &reply);
    // Out of range leaves the combo box without a current row.
    ui->cmbMicrosteps->setCurrentIndex(reply.value() >= 0 && reply.value() < ui->cmbMicrosteps->count() ? reply.value()
                                                                                                        : -1);
    qCDebug(debLevelLow) << Q_FUNC_INFO << ui->cbReverseMotorDirection->isChecked()
                         << ui->cmbFullStepResulotion->currentIndex() << ui->cmbMicrosteps->currentIndex();

    const QList<SpinBox*> boxes = findChildren<SpinBox*>();
    for (SpinBox* box : boxes) {
        request.setType(quint8(box->sapType()));
        Command boxReply;
        exchange->sendCommand(&request, &boxReply);
        if (boxReply.status() == Command::StatusOk)
            box->setValue(boxReply.value());
    }
}

void MotorSettings::selectFullSteps(int fullSteps)
{
    QStandardItemModel* model = fullStepTable();
    if (!model)
        return;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 1).data().toString().toInt() == fullSteps) {
            ui->cmbFullStepResulotion->setCurrentIndex(row);
            return;
        }
    }
    if (QLineEdit* edit = customFullStepEdit())
        edit->setText(QString::number(fullSteps));
    ui->cmbFullStepResulotion->setCurrentIndex(0);
}

void MotorSettings::angel(const QString& text)
{
    QStandardItemModel* model = fullStepTable();
    if (!model)
        return;
    QString angle;
    QString fullSteps = text;
    if (text.isEmpty()) {
        angle = QStringLiteral("1.8°");
        fullSteps = QString::number(DefaultFullSteps);
    } else {
        // While typing the field may hold 0 or nothing numeric: no angle then.
        bool ok = false;
        const int count = text.toInt(&ok, 10);
        if (ok && count > 0)
            angle = angleText(360.0 / count);
    }
    model->setData(model->index(0, 0), angle, Qt::DisplayRole);
    model->setData(model->index(0, 1), fullSteps, Qt::DisplayRole);
    if (QTableView* view = fullStepView())
        view->resizeColumnToContents(0);
}

void MotorSettings::calcCurrent(int value)
{
    Q_UNUSED(value)
    bool reducedRange = false;
    if (DataExchange* exchange = dataExchange()) {
        Command request(0, Command::GetAxisParameter, ParReducedRange, 0, 0);
        Command reply;
        exchange->sendCommand(&request, &reply);
        reducedRange = reply.status() == Command::StatusOk && reply.value() != 0;
    }

    // Without the jumper choice the jumper factor is left out.
    double jumperFactor = 1.0;
    if (ui->cmbJumper) {
        const int index = ui->cmbJumper->currentIndex();
        if (index >= 0 && index < int(std::size(JumperFactors)))
            jumperFactor = JumperFactors[index];
    }

    auto rms = [this, reducedRange, jumperFactor](double x) {
        double peak = peakCurrent(x, m_currentScale);
        if (reducedRange)
            peak /= ReducedRangeDivisor;
        return peak * jumperFactor / Sqrt2;
    };
    const double run = rms(ui->spMaxRunCurrent->value());
    const double standby = rms(ui->spStanbyCurrent->value());
    qCDebug(debLevelLow) << Q_FUNC_INFO << reducedRange << run << standby;
    ui->lblMaxRunCurrent->setText(tr("%1 [A RMS]").arg(run, 2, 'f', 2));
    ui->lblStandbyCurrent->setText(tr("%1 [A RMS]").arg(standby, 2, 'f', 2));
}

void MotorSettings::on_buttonBox_clicked(QAbstractButton* button)
{
    if (ui->buttonBox->standardButton(button) != QDialogButtonBox::Apply) {
        finish(false, QString());
        return;
    }
    // Not yet wired to a module: nothing to write to, so the page stays open.
    DataExchange* exchange = dataExchange();
    if (!exchange)
        return;
    const QString program = applySettings(exchange);
    finish(true, program);
    finish(true, QString());
}

int MotorSettings::currentFullSteps() const
{
    const int row = ui->cmbFullStepResulotion->currentIndex();
    return row >= 0 ? ui->cmbFullStepResulotion->model()->index(row, 1).data().toString().toInt() : 0;
}

QString MotorSettings::applySettings(DataExchange* exchange)
{
    const int axis = exchange->currentAxis();
    QString program = SetupProgram::motorHeader();

    const int reverse = ui->cbReverseMotorDirection->isChecked() ? 1 : 0;
    exchange->setAxisParameter(ParReverseShaft, reverse);
    program += SetupProgram::parameterLine(ParReverseShaft, axis, reverse, QStringLiteral("Reverse shaft"));

    QComboBox* fullStepBox = ui->cmbFullStepResulotion;
    const int fullSteps = currentFullSteps();
    exchange->setAxisParameter(ParFullSteps, fullSteps);
    program += SetupProgram::parameterLine(ParFullSteps, axis, fullSteps, fullStepBox->currentText());

    const int microsteps = ui->cmbMicrosteps->currentIndex();
    exchange->setAxisParameter(ParMicrosteps, microsteps);
    program += SetupProgram::parameterLine(ParMicrosteps, axis, microsteps, ui->cmbMicrosteps->currentText());

    const QList<SpinBox*> boxes = findChildren<SpinBox*>();
    for (SpinBox* box : boxes) {
        exchange->setAxisParameter(quint8(box->sapType()), int(std::trunc(box->value())));
        program += SetupProgram::parameterLine(box->sapType(), axis, box->intValue(), box->parameter().comment);
    }
    qCDebug(debLevelLow) << Q_FUNC_INFO << program;
    return program;
}

void MotorSettings::on_cmbJumper_currentIndexChanged(int index)
{
    Q_UNUSED(index)
    calcCurrent(0);
}
