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

bool MFD::ConsumeKeyBuffered(std::uint32_t) { return false; }

bool MFD::ConsumeKeyImmediate(const char*) { return false; }

bool MFD::ConsumeButton(int, int) { return false; }

const char* MFD::ButtonLabel(int) { return nullptr; }

int MFD::ButtonMenu(const MFDBUTTONMENU** menu) const {
    if (menu != nullptr) *menu = nullptr;
    return 0;
}

void MFD::ReadStatus(std::FILE*) {}

void MFD::WriteStatus(std::FILE*) const {}

void MFD::StoreStatus() const {}

void MFD::RecallStatus() {}
