// SPDX-FileCopyrightText: 2026 The Generic V7 developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchrig.h"

#include <cmath>

namespace {

const int BenchEncoderCounts = 4000;

// Parameters that are state, not configuration: the target and actual position, the
// closed loop's start and the encoder count.
bool isState(int number)
{
    return number == 0 || number == 1 || number == 129 || number == 209;
}

} // namespace

BenchRig::BenchRig(const SimulatedDrive& drive, int motor)
{
    m_drive.setTrueEncoderResolution(drive.trueEncoderResolution());
    m_drive.setEncoderReversed(drive.encoderReversed());
    m_drive.setReducedRange(drive.reducedRange());
    m_drive.setMotor(drive.motor());
    const ParameterCatalogue& catalogue = drive.catalogue();
    const QList<int> numbers = catalogue.numbers();
    for (int number : numbers) {
        int value = 0;
        if (isState(number) || catalogue.find(number)->parameter.readOnly
            || drive.getAxisParameter(number, motor, &value) != SimulatedDrive::StatusOk)
            continue;
        m_drive.setAxisParameter(number, 0, value);
    }
}

BenchRig::BenchRig(const MotorPhysics::Motor& motor, const QList<QPair<int, int>>& parameters)
{
    m_drive.setTrueEncoderResolution(BenchEncoderCounts);
    m_drive.setAxisParameter(210, 0, BenchEncoderCounts);
    m_drive.setMotor(motor);
    for (const auto& parameter : parameters)
        m_drive.setAxisParameter(parameter.first, 0, parameter.second);
}

BenchRig::BenchRig(const BenchRig& other)
    : m_drive(other.m_drive)
    , m_recording(other.m_recording)
    , m_recordStart(other.m_recordStart)
    , m_samples(other.m_samples)
    , m_error(other.m_error)
{
    listen();
}

BenchRig& BenchRig::operator=(const BenchRig& other)
{
    if (this == &other)
        return *this;
    m_drive = other.m_drive;
    m_recording = other.m_recording;
    m_recordStart = other.m_recordStart;
    m_samples = other.m_samples;
    m_error = other.m_error;
    listen();
    return *this;
}

// The sink refers to this rig, so a copy sets its own.
void BenchRig::listen()
{
    if (!m_recording) {
        m_drive.setSignalSink({});
        return;
    }
    m_drive.setSignalSink([this](qint64 time, int motor, const DriveSignals& values) {
        if (motor == 0)
            m_samples.push_back({time - m_recordStart, values, m_drive.axis(0)->isMoving()});
    });
}

bool BenchRig::setParameter(int number, int value)
{
    return m_drive.setAxisParameter(number, 0, value) == SimulatedDrive::StatusOk;
}

int BenchRig::parameter(int number) const
{
    int value = 0;
    m_drive.getAxisParameter(number, 0, &value);
    return value;
}

bool BenchRig::prepare(double fullStepPhase, double countPhase, Loop loop)
{
    m_error.clear();
    fullStepPhase -= std::floor(fullStepPhase);
    countPhase -= std::floor(countPhase);
    SimulatedAxis* axis = m_drive.axis(0);
    axis->turnEncoderDisc(countPhase);
    // The initialisation holds the field at the start-up current: the rotor follows the shift
    // there and stays off its detent, which the standby current alone would not hold.
    if (loop == Loop::Closed)
        m_drive.setAxisParameter(129, 0, 1);
    const int shift = int(std::lround(fullStepPhase * fullStep()));
    if (shift)
        m_drive.move(0, 1, shift);
    if (loop == Loop::Open) {
        finishMove(SimulatedAxis::ClosedLoopInitTime);
        m_drive.advance(RestTime);
        return true;
    }
    m_drive.advance(SimulatedAxis::ClosedLoopInitTime);
    if (parameter(133) != 1) {
        m_error = tr("The closed loop does not start with this configuration: check the encoder's resolution "
                     "and direction (210) and the microsteps (140 = 8).");
        return false;
    }
    m_drive.advance(RestTime);
    return true;
}

bool BenchRig::move(int distance, int speed, int acceleration)
{
    return m_drive.setAxisParameter(4, 0, speed) == SimulatedDrive::StatusOk
           && m_drive.setAxisParameter(5, 0, acceleration) == SimulatedDrive::StatusOk
           && m_drive.move(0, 1, distance) == SimulatedDrive::StatusOk;
}

bool BenchRig::finishMove(qint64 limit)
{
    for (qint64 waited = 0; waited < limit && axis().isMoving(); ++waited)
        m_drive.advance(1);
    return !axis().isMoving();
}

void BenchRig::addLoadTorque(double torque)
{
    MotorPhysics::Motor motor = m_drive.motor();
    motor.activeLoad += torque;
    m_drive.setMotor(motor);
}

void BenchRig::advance(qint64 milliseconds)
{
    m_drive.advance(milliseconds);
}

void BenchRig::startRecording()
{
    m_samples.clear();
    m_recordStart = m_drive.time();
    m_recording = true;
    listen();
}

void BenchRig::stopRecording()
{
    m_recording = false;
    listen();
}

int BenchRig::microstepsPerRevolution() const
{
    return axis().microstepsPerRevolution();
}

double BenchRig::fullStep() const
{
    return double(1 << qBound(0, parameter(140), 8));
}

double BenchRig::microstepsPerCount() const
{
    const int counts = m_drive.trueEncoderResolution();
    return counts > 0 ? double(microstepsPerRevolution()) / counts : 0.0;
}
