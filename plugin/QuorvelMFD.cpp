#include "plugin/QuorvelMFD.h"

#include <algorithm>

#include "plugin/ModuleState.h"

namespace quorvel {

QuorvelMFD::QuorvelMFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel)
    : MFD(width, height, vessel), flightData(std::make_unique<FlightData>(vessel)) {
    // Last, so that a page whose construction failed is never listed.
    openPages.push_back(this);
}

QuorvelMFD::~QuorvelMFD() {
    flightData.reset();
    // Only this page stops being sampled; the others go on.
    openPages.erase(std::remove(openPages.begin(), openPages.end(), this), openPages.end());
}

void QuorvelMFD::Repaint(HDC) {}

bool QuorvelMFD::ConsumeKeyBuffered(std::uint32_t key) {
    if (key != kScaleKey) return false;
    ballScale = ballScale + 1 > 4 ? 1 : ballScale + 1;
    return true;
}

}  // namespace quorvel
