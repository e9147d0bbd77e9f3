#include "plugin/QuorvelMFD.h"

#include <algorithm>

#include "plugin/MfdText.h"
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

// Later steps draw over earlier ones. Nothing is cleared, and the pens,
// brush, text state and position the last step leaves stay selected.
void QuorvelMFD::Repaint(HDC hdc) {
    SetCharCell(hdc, cellWidth, cellHeight);
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
