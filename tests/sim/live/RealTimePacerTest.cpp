// Real-time pacing driven by a fake clock: the simulated time it runs
// against the wall time it was given, at each acceleration, and what it
// does when the steps cannot keep up.

#include "sim/live/RealTimePacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "sim/live/ScriptedInput.h"

namespace quorvel::live {
namespace {

constexpr double kStepS = 0.02;
constexpr double kFrameS = 1.0 / 60;

struct Paced {
    double wallS = 0;
    double simS = 0;
    int mostSteps = 0;
};

// Frames of the display, the clock advancing frameS a frame.
Paced Frames(RealTimePacer& pacer, double& clockS, int frames, double frameS) {
    Paced run;
    for (int i = 0; i < frames; ++i) {
        clockS += frameS;
        const int steps = pacer.StepsDue();
        run.simS += steps * kStepS;
        run.mostSteps = std::max(run.mostSteps, steps);
    }
    run.wallS = frames * frameS;
    return run;
}

class RealTimePacerTest : public ::testing::Test {
protected:
    double clockS = 1000;
    RealTimePacer pacer{[this] { return clockS; }, kStepS, 100};
};

// Less than one step behind acceleration x wall time, never ahead: the
// remainder is carried, never lost, so the error does not grow with the
// length of the run.
TEST_F(RealTimePacerTest, SimulatedTimeFollowsTheWallClockTimesTheAcceleration) {
    for (double acceleration : {1.0, 10.0, 100.0}) {
        pacer.SetAcceleration(acceleration);
        const Paced run = Frames(pacer, clockS, 6000, kFrameS);
        const double askedS = acceleration * run.wallS;
        EXPECT_LE(run.simS, askedS + 1e-6) << acceleration << "x";
        EXPECT_GT(run.simS, askedS - kStepS - 1e-6) << acceleration << "x";
        EXPECT_FALSE(pacer.Behind()) << acceleration << "x";
    }
    pacer.SetAcceleration(1);
    EXPECT_EQ(Frames(pacer, clockS, 1, 0.015).simS, 0) << "less than a step owed";
    EXPECT_EQ(Frames(pacer, clockS, 1, 0.01).simS, kStepS) << "the rest was carried";
}

TEST_F(RealTimePacerTest, PausedItRunsOnlySingleStepsOneAPress) {
    pacer.SetAcceleration(0);
    EXPECT_EQ(Frames(pacer, clockS, 600, kFrameS).simS, 0);
    for (int press = 0; press < 20; ++press) pacer.SingleStep();
    EXPECT_NEAR(Frames(pacer, clockS, 60, kFrameS).simS, 20 * kStepS, 1e-9) << "presses between two frames";
    EXPECT_EQ(pacer.StepsDue(), 0);
    pacer.SetAcceleration(1);
    pacer.SingleStep();
    EXPECT_NEAR(Frames(pacer, clockS, 60, kFrameS).simS, 1.0, kStepS) << "the pause owes nothing";
}

// Display frames of a fifth of a second at 100x owe 1000 steps each; at most
// 100 run, so simulated time runs at 10x, and the pacer says it is behind.
TEST_F(RealTimePacerTest, WhenStepsCannotKeepUpSimulatedTimeSlowsAndNoFrameOverruns) {
    pacer.SetAcceleration(100);
    const Paced slow = Frames(pacer, clockS, 50, 0.2);
    EXPECT_EQ(slow.mostSteps, 100);
    EXPECT_NEAR(slow.simS / slow.wallS, 100 * kStepS / 0.2, 1e-9);
    EXPECT_TRUE(pacer.Behind());
    const Paced caughtUp = Frames(pacer, clockS, 120, kFrameS);
    EXPECT_FALSE(pacer.Behind()) << "a second after the last drop";
    EXPECT_NEAR(caughtUp.simS / caughtUp.wallS, 100, 2 * kStepS / caughtUp.wallS);
    clockS += 3600;  // asleep for an hour
    EXPECT_EQ(pacer.StepsDue(), 100);
}

TEST(ScriptedInputTest, EventsComeOnceInTimeOrderWhenTheirTimeIsReached) {
    InputEvent quit;
    InputEvent focus{InputEvent::Kind::Focus, SDL_SCANCODE_UNKNOWN, 0, 1};
    InputEvent key{InputEvent::Kind::MfdKey, SDL_SCANCODE_UNKNOWN, 47, 0};
    ScriptedInput script({{2.0, quit}, {0.5, focus}, {0.5, key}, {std::nan(""), quit}});
    EXPECT_TRUE(script.Due(0.48).empty());
    const auto due = script.Due(0.5);
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].kind, InputEvent::Kind::Focus);
    EXPECT_EQ(due[1].code, 47u);
    EXPECT_TRUE(script.Due(1.0).empty());
    EXPECT_FALSE(script.Finished());
    EXPECT_EQ(script.Due(1e9).size(), 1u);
    EXPECT_TRUE(script.Finished());
}

}  // namespace
}  // namespace quorvel::live
