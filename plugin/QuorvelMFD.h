// The instrument page: one per MFD showing the mode. Built by the mode's
// message callback, owned and destroyed by the host. It owns its FlightData
// (refreshed by the host's time step) and its AttitudeBall, and repaints in
// a fixed order of drawing steps, each of which selects what it needs and
// restores nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "attitude/AttitudeBall.h"
#include "flightdata/FlightData.h"
#include "host/Mfd.h"

namespace quorvel {

class QuorvelMFD : public MFD {
public:
    QuorvelMFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel);
    ~QuorvelMFD() override;

    void Repaint(HDC hdc) override;
    // Key 47 steps the ball scale 2, 3, 4, 1, 2, ...; other keys are not used.
    bool ConsumeKeyBuffered(std::uint32_t key) override;

    static constexpr std::uint32_t kScaleKey = 47;

    std::unique_ptr<FlightData> flightData;
    // Its image covers the upper two thirds of the surface inside a
    // one-pixel margin.
    std::unique_ptr<AttitudeBall> attitudeBall;
    std::int32_t ballScale = 2;  // 1 to 4

    // The MFD base's geometry and vessel, for the drawing steps and tests.
    std::uint32_t Width() const { return width; }
    std::uint32_t Height() const { return height; }
    std::uint32_t CellWidth() const { return cellWidth; }
    std::uint32_t CellHeight() const { return cellHeight; }
    VESSEL* Vessel() const { return vessel; }
};

}  // namespace quorvel
