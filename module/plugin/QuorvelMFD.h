// The instrument page: one per MFD showing the mode. Sizes come packed in
// 16 bits each; the character cell is the host's and may be any size. The
// drawing computes positions from them in unsigned 32-bit arithmetic, each
// term truncated, wrapping as that arithmetic does, and uses the bits as
// signed coordinates; where its arithmetic is signed and could overflow
// (conversions from floating point, the text cursor, a position raised by
// a pixel) it saturates at the int range instead. Built by the
// mode's message callback, owned and destroyed by the host. It owns its
// FlightData (refreshed by the host's time step) and its AttitudeBall, and
// repaints in a fixed order of drawing steps. Each step hands the flight
// data it shows, the page's geometry and the pens it uses to its
// instrument, which computes and draws; each selects what it needs and
// restores nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "module/attitude/AttitudeBall.h"
#include "module/drawing/PageGeometry.h"
#include "module/flightdata/FlightData.h"
#include "host/Mfd.h"

namespace quorvel {

class QuorvelMFD final : public MFD {
public:
    QuorvelMFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel);
    ~QuorvelMFD();

    // The host's slot 0: destroys the page and, with bit 0 of flags, frees
    // it with the module's own allocator, which built it.
    void* ScalarDeletingDestructor(unsigned int flags) override;

    void Repaint(HDC hdc) override;
    // Key 47 steps the ball scale 2, 3, 4, 1, 2, ...; other keys are not used.
    bool ConsumeKeyBuffered(std::uint32_t key) override;

    static constexpr std::uint32_t kScaleKey = 47;

    // The drawing steps of Repaint, in their order.
    void DrawAttitude(HDC hdc);
    void DrawAirspeedDial(HDC hdc);
    void DrawAltitudeDial(HDC hdc);
    void DrawReadoutColumn(HDC hdc);
    void DrawApoapsis(HDC hdc);
    void DrawBurnTimeAndRcs(HDC hdc);
    void DrawRateIndicator(HDC hdc);

    std::unique_ptr<FlightData> flightData;
    // Its image covers the upper two thirds of the surface inside a
    // one-pixel margin.
    std::unique_ptr<AttitudeBall> attitudeBall;
    std::int32_t ballScale = kNewPageBallScale;  // 1 to 4

    // The MFD base's size and character cell, as the drawing steps take them.
    PageGeometry Geometry() const { return {width, height, cellWidth, cellHeight}; }
};

}  // namespace quorvel
