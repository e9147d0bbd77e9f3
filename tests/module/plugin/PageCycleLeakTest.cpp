// Pages built, stepped, repainted and destroyed through the loaded module,
// many times over, against the bytes held through operator new (this
// binary counts them exactly), the live GDI objects and the GL contexts.

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/HostLog.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModuleHost.h"
#include "tests/support/AllocationCount.h"

namespace {

using quorvel::platform::LiveGdiObjects;
using quorvel::platform::LiveGlContexts;
using quorvel::test::LiveNewBytes;

bool UnderAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}

TEST(PageCycleLeakTest, TenThousandPageCyclesLeakNothing) {
    quorvel::sim::EchoHostReports(false);
    quorvel::sim::ModuleHost host(QUORVEL_MODULE_PATH);
    host.Init();
    HostVessel vessel;
    quorvel::sim::MfdSurface surface(400, 400);
    // Every hundredth page is repainted too: a repaint renders the ball,
    // which costs twenty page cycles.
    const auto cycle = [&](bool repaint) {
        MFD* page = host.OpenPage("QuorvelMFD", 400, 400, vessel);
        if (page == nullptr) return false;
        host.Step(1.0, 0.1, 0);
        page->ConsumeKeyBuffered(47);
        if (repaint) page->Repaint(surface.Dc());
        host.ClosePage(page);
        return true;
    };
    // The first cycles fill the glyph cache and the driver's first-use state.
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(cycle(i % 10 == 0));
    const auto objects = LiveGdiObjects();
    const int contexts = LiveGlContexts();
    const std::int64_t bytes = LiveNewBytes();
    // The sanitizer build runs a tenth of the cycles: each page builds a
    // rendering context, which is slow there.
    const int cycles = UnderAddressSanitizer() ? 1000 : 10000;
    for (int i = 0; i < cycles; ++i) ASSERT_TRUE(cycle(i % 100 == 0)) << "cycle " << i;
    EXPECT_EQ(LiveGdiObjects().Total(), objects.Total());
    EXPECT_EQ(LiveGlContexts(), contexts);
    // A tenth of a byte a cycle, for a one-time growth somewhere: a page
    // that kept back as much as a byte would show.
    EXPECT_LE(LiveNewBytes() - bytes, cycles / 10) << "bytes kept by " << cycles << " page cycles";
}

}  // namespace
