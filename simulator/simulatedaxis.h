#pragma once

#include <QHash>
#include <QtGlobal>

class ParameterCatalogue;

// One motor with its encoder: the axis-parameter values, the ramp generator, the encoder
// and the closed-loop initialisation. Values are taken as valid; range and access checks
// are the drive's.
//
// Motion is integrated in closed form, so the result does not depend on how time is cut
// into steps, and a move ends exactly on its target:
// - a move accelerates with parameter 5 up to parameter 4, cruises and decelerates so that
//   it comes to rest on the target; if parameter 4 cannot be reached the profile is a
//   triangle. A new target or new limits take effect at once, overshooting and coming back
//   when the drive cannot brake in time;
// - stop decelerates with parameter 5 and leaves the target where it was, so parameter 8
//   stays 0 unless the stop happens to end on it. A stopped motor rests on a whole microstep.
// Parameters 17 and 22 to 25 (ramp shape) are stored but the ramp is always a trapezoid.
class SimulatedAxis
{
public:
    static constexpr qint64 ClosedLoopInitTime = 1000; // ms

    explicit SimulatedAxis(const ParameterCatalogue& catalogue);

    // The present value of a catalogued parameter, derived ones included: 0 target,
    // 1 actual position, 2 ramp velocity, 3 measured velocity, 8 position reached,
    // 133 closed loop initialised, 209 encoder count.
    int value(int number) const;
    // A write through set-axis-parameter, with its side effects:
    // 0 starts an absolute move; 1 sets the position counter (the target moves with it);
    // 129 = 1 starts the closed-loop initialisation unless it runs or has succeeded,
    // 129 = 0 clears 133; 209 sets the encoder count.
    void write(int number, int value);
    // Sets a stored value without side effects (hardware settings such as 179).
    void setStoredValue(int number, int value);

    void moveTo(int target);
    void stop();
    void advance(qint64 milliseconds);

    // The encoder as it is built in: counts per revolution and whether it counts against the
    // shaft. The count it shows so far is kept.
    void setEncoder(int countsPerRevolution, bool reversed);

    bool isMoving() const { return m_mode != Mode::Idle; }
    double exactPosition() const { return m_position; }
    double velocity() const { return m_velocity; } // pps, signed
    int microstepsPerRevolution() const;
    // The value parameter 210 must have for the closed-loop initialisation to succeed: the
    // encoder's counts per revolution, negative when it counts down while the motor's
    // position counter counts up (encoder reversed or shaft reversed, not both).
    int matchingEncoderResolution() const;
    bool isClosedLoopInitialising() const { return m_initRemaining >= 0; }

private:
    enum class Mode { Idle, Positioning, Stopping };

    double acceleration() const;
    void integrate(double seconds, double acceleration);
    void shiftPosition(double delta);
    void arrive();
    void rest();
    void advanceMotion(double seconds);
    void foldEncoder();
    qint64 encoderCount() const;
    bool closedLoopMatches() const;

    QHash<int, int> m_values;

    Mode m_mode = Mode::Idle;
    double m_position = 0.0; // microsteps
    double m_velocity = 0.0; // pps
    int m_target = 0;
    double m_finalDeceleration = 0.0; // > 0 on the last ramp, chosen to end on the target

    int m_encoderCounts = 4000;
    bool m_encoderReversed = false;
    double m_physicalSteps = 0.0; // shaft rotation in microsteps since the encoder was last folded
    qint64 m_encoderBase = 0;

    qint64 m_initRemaining = -1; // ms until the closed-loop initialisation ends; -1 idle
    bool m_closedLoopReady = false;
};
