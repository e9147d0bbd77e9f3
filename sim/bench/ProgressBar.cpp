#include "sim/bench/ProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace quorvel::sim {

namespace {

constexpr int kBarWidth = 30;

}  // namespace

ProgressBar::ProgressBar(std::ostream& out, bool enabled, double startS, double totalS)
    : out(out), enabled(enabled), startS(startS), totalS(totalS) {}

ProgressBar::~ProgressBar() { Clear(); }

std::string ProgressBar::Render(double fraction, double elapsedS, double totalS) {
    const double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    const int filled = static_cast<int>(f * kBarWidth);
    char text[128];
    std::snprintf(text, sizeof text, "[%s%s] %3d%%  t %.0f / %.0f s", std::string(filled, '#').c_str(),
                  std::string(kBarWidth - filled, '-').c_str(), static_cast<int>(f * 100), elapsedS, totalS);
    return text;
}

void ProgressBar::Show(double timeS) {
    if (!enabled) return;
    const double elapsed = timeS - startS;
    const std::string line = Render(totalS > 0 ? elapsed / totalS : 1.0, std::floor(elapsed), totalS);
    if (line == shown) return;
    out << '\r' << line << std::flush;
    shown = line;
}

void ProgressBar::Clear() {
    if (!enabled || shown.empty()) return;
    out << '\r' << std::string(shown.size(), ' ') << '\r' << std::flush;
    shown.clear();
}

}  // namespace quorvel::sim
