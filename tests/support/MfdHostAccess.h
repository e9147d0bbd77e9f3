// What the host may read and set of an MFD base that the module only
// reads, for tests that play the host.
#pragma once

#include <cstdint>

#include "host/Mfd.h"

struct MfdHostAccess {
    static std::uint32_t Width(const MFD& mfd) { return mfd.width; }
    static std::uint32_t Height(const MFD& mfd) { return mfd.height; }
    static VESSEL* Vessel(const MFD& mfd) { return mfd.vessel; }

    // Gives the MFD font another character cell, as a host with a
    // user-chosen font size would.
    static void SetCharCell(MFD& mfd, std::uint32_t width, std::uint32_t height) {
        mfd.cellWidth = width;
        mfd.cellHeight = height;
    }
};
