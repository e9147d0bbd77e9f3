#include "plugin/QuorvelMFD.h"

#include <algorithm>
#include <limits>

#include "plugin/MfdText.h"
#include "plugin/ModuleState.h"

namespace quorvel {

namespace {

// x 1, y 1, width - 2, (2 height) / 3. A surface narrower than 2 pixels
// gets width 0 rather than the wrapped unsigned difference, and so no
// image; sizes beyond a signed 32-bit int (no host makes them) are capped.
BallPlacement BallPlacementFor(std::uint32_t width, std::uint32_t height) {
    constexpr std::uint64_t kLargest = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t imageWidth = width >= 2 ? width - 2u : 0u;
    const std::uint64_t imageHeight = std::uint64_t{2} * height / 3u;
    return {1, 1, static_cast<std::int32_t>(std::min(imageWidth, kLargest)),
            static_cast<std::int32_t>(std::min(imageHeight, kLargest))};
}

}  // namespace

QuorvelMFD::QuorvelMFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel)
    : MFD(width, height, vessel),
      flightData(std::make_unique<FlightData>(vessel)),
      attitudeBall(std::make_unique<AttitudeBall>(BallPlacementFor(width, height))) {
    // Last, so that a page whose construction failed is never listed.
    openPages.push_back(this);
}

QuorvelMFD::~QuorvelMFD() {
    flightData.reset();
    attitudeBall->Release();
    attitudeBall.reset();
    // Only this page stops being sampled; the others go on.
    openPages.erase(std::remove(openPages.begin(), openPages.end(), this), openPages.end());
}

// Later steps draw over earlier ones. Nothing is cleared, and the pens,
// brush, text state and position the last step leaves stay selected.
void QuorvelMFD::Repaint(HDC hdc) {
    SetCharCell(hdc, cellWidth, cellHeight);
    DrawAttitude(hdc);
    DrawAirspeedDial(hdc);
    DrawAltitudeDial(hdc);
    DrawReadoutColumn(hdc);
    DrawApoapsis(hdc);
    DrawBurnTimeAndRcs(hdc);
    DrawRateIndicator(hdc);
}

bool QuorvelMFD::ConsumeKeyBuffered(std::uint32_t key) {
    if (key != kScaleKey) return false;
    ballScale = ballScale + 1 > 4 ? 1 : ballScale + 1;
    return true;
}

}  // namespace quorvel
