// The live window on a real display (an X server; CI runs these under
// xvfb-run): what it shows of the MFDs, read back, against their surfaces;
// its zoom as the window is resized; and which MFD a click is on.

#include "sim/live/WindowPresenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "sim/flight/Angles.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdStation.h"
#include "sim/host/ModuleHost.h"

namespace {

using quorvel::flight::kRadiansPerDegree;
using quorvel::live::PixelRect;
using quorvel::live::PixelSize;
using quorvel::live::WindowPresenter;
using quorvel::sim::MfdStation;
using quorvel::sim::MfdSurface;

class WindowPresenterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(quorvel::live::DisplayNamed()) << "needs a display: run under xvfb-run -a";
        host.Init();
        vessel.state.tanks = {{4000, 10500}, {120, 150}};
        vessel.state.thrusters = {{262000, 2736, 0}};
        Repaint(0, 400, 400, 20);
        Repaint(1, 256, 200, -35);
    }

    // A page of its own repainted at a bank angle, so that the two MFDs
    // differ. Built last, it is the page that samples the vessel.
    void Repaint(std::size_t mfd, std::uint32_t width, std::uint32_t height, double bankDeg) {
        vessel.state.bank = bankDeg * kRadiansPerDegree;
        vessel.state.pitch = 10 * kRadiansPerDegree;
        stations.resize(std::max(stations.size(), mfd + 1));
        stations[mfd].reset();
        stations[mfd] = std::make_unique<MfdStation>(host, vessel, static_cast<std::uint32_t>(mfd), width, height);
        ASSERT_TRUE(stations[mfd]->Open("QuorvelMFD"));
        timeS += 0.02;
        host.Step(timeS, 0.02, 61000);
        stations[mfd]->Repaint();
    }

    const MfdSurface& Surface(std::size_t mfd) const { return stations[mfd]->Surface(); }

    std::vector<PixelSize> Sizes() const {
        std::vector<PixelSize> sizes;
        for (const auto& station : stations) sizes.push_back({station->Surface().Width(), station->Surface().Height()});
        return sizes;
    }

    // Each MFD pixel against the zoom x zoom square the window shows it in.
    int Mismatches(const std::vector<std::uint32_t>& window, int windowWidth, std::size_t mfd, const PixelRect& at,
                   int zoom) const {
        const MfdSurface& surface = Surface(mfd);
        int wrong = 0;
        for (int y = 0; y < at.height; ++y) {
            for (int x = 0; x < at.width; ++x) {
                const std::uint32_t shown =
                    window[static_cast<std::size_t>((at.y + y) * windowWidth + at.x + x)] & 0xFFFFFF;
                const std::uint32_t painted =
                    surface.Pixel(static_cast<std::uint32_t>(x / zoom), static_cast<std::uint32_t>(y / zoom));
                wrong += shown != painted;
            }
        }
        return wrong;
    }

    quorvel::sim::ModuleHost host{QUORVEL_MODULE_PATH};
    HostVessel vessel;
    std::vector<std::unique_ptr<MfdStation>> stations;  // after what they use, so they go first
    double timeS = 0;
};

TEST_F(WindowPresenterTest, AtZoomOneTheWindowShowsEachMfdsPixelsUnchanged) {
    WindowPresenter presenter(Sizes(), "quorvel-sim test", 2, 1);
    for (std::size_t i = 0; i < stations.size(); ++i) presenter.Show(i, Surface(i).Pixels());
    presenter.Present("t 12.0 s  1x\nMFD 0: QuorvelMFD");
    int width = 0, height = 0;
    const auto window = presenter.Capture(width, height);
    ASSERT_FALSE(window.empty()) << presenter.RendererName();
    const auto& layout = presenter.Layout();
    EXPECT_EQ(layout.scale, 1);
    for (std::size_t i = 0; i < stations.size(); ++i) {
        EXPECT_EQ(layout.mfds[i].width, static_cast<int>(Surface(i).Width()));
        EXPECT_EQ(Mismatches(window, width, i, layout.mfds[i], 1), 0)
            << "MFD " << i << ", " << presenter.RendererName();
    }
    // The status strip carries text in the MFD's light grey.
    const auto status = layout.status;
    int text = 0;
    for (int y = status.y; y < status.y + status.height && y < height; ++y) {
        for (int x = 0; x < width; ++x)
            text += (window[static_cast<std::size_t>(y * width + x)] & 0xFFFFFF) == 0xC0C0C0;
    }
    EXPECT_GT(text, 50);

    // A new picture for MFD 1 shows at the next frame; MFD 0 keeps its own.
    Repaint(1, 256, 200, 60);
    presenter.Show(1, Surface(1).Pixels());
    const auto next = presenter.Capture(width, height);
    EXPECT_EQ(Mismatches(next, width, 1, presenter.Layout().mfds[1], 1), 0);
    EXPECT_EQ(Mismatches(next, width, 0, presenter.Layout().mfds[0], 1), 0);
}

TEST_F(WindowPresenterTest, ResizedTheMfdsTakeTheLargestZoomThatFitsAndClicksFindThem) {
    WindowPresenter presenter(Sizes(), "quorvel-sim test", 1, 1);
    for (std::size_t i = 0; i < stations.size(); ++i) presenter.Show(i, Surface(i).Pixels());
    SDL_Window* window = SDL_GetWindowFromID(presenter.WindowId());
    ASSERT_NE(window, nullptr);
    const int statusHeight = presenter.Layout().status.height;
    SDL_SetWindowSize(window, 2 * 656 + 3 * quorvel::live::kPanelMargin,
                      2 * 400 + 2 * quorvel::live::kPanelMargin + 40);
    SDL_PumpEvents();
    presenter.Present("resized");
    int width = 0, height = 0;
    const auto pixels = presenter.Capture(width, height);
    const auto& layout = presenter.Layout();
    ASSERT_EQ(layout.scale, 2) << width << "x" << height << ", status " << statusHeight;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        EXPECT_EQ(Mismatches(pixels, width, i, layout.mfds[i], 2), 0) << "MFD " << i;
    }
    const PixelRect second = layout.mfds[1];
    EXPECT_EQ(presenter.MfdAt(second.x + second.width / 2, second.y + second.height / 2), 1u);
    EXPECT_EQ(presenter.MfdAt(layout.mfds[0].x + 5, layout.mfds[0].y + 5), 0u);
    EXPECT_EQ(presenter.MfdAt(second.x - 1, second.y), std::nullopt);
}

}  // namespace
