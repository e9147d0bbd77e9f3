#include "sim/live/RealTimePacer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace quorvel::live {

namespace {

constexpr double kBehindForS = 1.0;  // Behind() stays true this long after a drop

}  // namespace

double SteadyClockSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

RealTimePacer::RealTimePacer(WallClock clock, double stepS, int maxStepsPerCall)
    : clock(std::move(clock)),
      stepS(stepS),
      maxStepsPerCall(std::max(maxStepsPerCall, 1)),
      lastWallS(this->clock()),
      lastDropS(-std::numeric_limits<double>::infinity()) {}

void RealTimePacer::SetAcceleration(double factor) {
    acceleration = std::isfinite(factor) ? std::max(factor, 0.0) : 0.0;
    lastWallS = clock();
    owedS = 0;
    stepsRequested = 0;
}

void RealTimePacer::SingleStep() {
    if (Paused() && stepsRequested < std::numeric_limits<int>::max()) ++stepsRequested;
}

int RealTimePacer::StepsDue() {
    const double nowS = clock();
    const double elapsedS = std::max(nowS - lastWallS, 0.0);
    lastWallS = nowS;
    if (Paused()) {
        const int steps = std::min(stepsRequested, maxStepsPerCall);
        stepsRequested -= steps;
        return steps;
    }
    // Bounded before dividing, so the count always fits an int.
    const double mostS = (maxStepsPerCall + 1) * stepS;
    owedS += elapsedS * acceleration;
    if (owedS >= mostS) {
        owedS = mostS;
        lastDropS = nowS;
    }
    const int steps = std::min(static_cast<int>(owedS / stepS), maxStepsPerCall);
    owedS -= steps * stepS;
    return steps;
}

bool RealTimePacer::Behind() const {
    return lastWallS - lastDropS < kBehindForS;
}

}  // namespace quorvel::live
