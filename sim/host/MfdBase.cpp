// The MFD base class as the bench host provides it.

#include "host/Mfd.h"
#include "sim/host/MfdFont.h"

MFD::MFD(std::uint32_t width, std::uint32_t height, VESSEL* vessel)
    : width(width),
      height(height),
      cellWidth(quorvel::sim::MfdCharCell(width, height).width),
      cellHeight(quorvel::sim::MfdCharCell(width, height).height),
      vessel(vessel) {}

MFD::~MFD() = default;
