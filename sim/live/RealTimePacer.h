// Real time for the live window: how many fixed steps of the flight model
// to run now so that simulated time follows the wall clock times the time
// acceleration. The clock is injected, so that tests drive it.
//
// Steps are never skipped: each one due is run, at most maxStepsPerCall of
// them per call (per display frame), so the window keeps being redrawn
// however slow the steps are. What exceeds that is dropped from the time
// owed instead: simulated time then runs slower than asked, and Behind()
// says so. Paused, no time is owed, and each SingleStep() asks for one step.
// A wall-clock jump (the machine asleep, a debugger) owes no more than a
// call's worth of steps.
#pragma once

#include <functional>

namespace quorvel::live {

// Seconds from some fixed moment, never going back.
using WallClock = std::function<double()>;
// std::chrono::steady_clock in seconds.
double SteadyClockSeconds();

class RealTimePacer {
public:
    // Starts at 1x, with no time owed.
    RealTimePacer(WallClock clock, double stepS, int maxStepsPerCall);

    // 0 pauses; else any factor, 1, 10, 100. Owes nothing for the time
    // before it.
    void SetAcceleration(double factor);
    double Acceleration() const { return acceleration; }
    bool Paused() const { return acceleration == 0; }
    // While paused: one more step, run at the next calls (each press counts,
    // however fast they come). Leaving the pause forgets those not yet run.
    void SingleStep();

    // The steps to run now, reading the clock.
    int StepsDue();
    // Whether time owed was dropped within the last second of wall time.
    bool Behind() const;

private:
    WallClock clock;
    double stepS;
    int maxStepsPerCall;
    double acceleration = 1;
    double lastWallS;
    double owedS = 0;  // simulated time owed, less than a step after each call
    int stepsRequested = 0;
    double lastDropS;  // wall time of the last drop
};

}  // namespace quorvel::live
