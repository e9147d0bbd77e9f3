// The instrument page: one per MFD showing the mode. Sizes come packed in
// 16 bits each; the character cell is the host's and may be any size, so
// the drawing steps saturate their coordinates at the int range. Built by
// the mode's message callback, owned and destroyed by the host. It owns its
// FlightData (refreshed by the host's time step) and its AttitudeBall, and
// repaints in a fixed order of drawing steps, each of which selects what it
// needs and restores nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "attitude/AttitudeBall.h"
#include "flightdata/FlightData.h"
#include "host/Mfd.h"

namespace quorvel {

struct DialReading;

class QuorvelMFD : public MFD {
public:
    QuorvelMFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel);
    ~QuorvelMFD() override;

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

    // The dials' drawing primitives; they select the pens and brushes they
    // are given and never delete them.
    void DrawDotRing(HDC hdc, std::int32_t cx, std::int32_t cy, std::int32_t radius, HPEN pen, HBRUSH brush);
    void DrawDialPointer(HDC hdc, std::int32_t cx, std::int32_t cy, std::int32_t radius, float angle, HPEN pen,
                         HBRUSH brush);
    void DrawRateArc(HDC hdc, std::int32_t cx, std::int32_t cy, std::int32_t radius, float angle, HPEN upPen,
                     HPEN downPen);

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

private:
    // One dial's texts, rate arc, dot ring and pointer, in that order.
    void DrawDial(HDC hdc, const DialReading& dial, const char* valueFormat, const char* rateFormat);
};

}  // namespace quorvel
