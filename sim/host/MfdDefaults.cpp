// The MFD base's own versions of the page's virtual slots, as every host
// has them: they consume nothing, label nothing and store nothing. Built
// into the bench host and into the Microsoft-ABI test host alike.

#include "host/Mfd.h"

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
