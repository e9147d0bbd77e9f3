// The host's own view of an MFD base: what the host may read and set that
// the module only reads.
#pragma once

#include <cstdint>

#include "host/Mfd.h"

struct HLVAPI MfdHostAccess {
    static std::uint32_t Width(const MFD& mfd) { return mfd.width; }
    static std::uint32_t Height(const MFD& mfd) { return mfd.height; }
    static std::uint32_t CellWidth(const MFD& mfd) { return mfd.cellWidth; }
    static std::uint32_t CellHeight(const MFD& mfd) { return mfd.cellHeight; }
    static VESSEL* Vessel(const MFD& mfd) { return mfd.vessel; }

    // Gives the MFD font another character cell, as a host with a
    // user-chosen font size would.
    static void SetCharCell(MFD& mfd, std::uint32_t width, std::uint32_t height) {
        mfd.cellWidth = width;
        mfd.cellHeight = height;
    }
};
