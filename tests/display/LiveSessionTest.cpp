// The bench host's live window, run in this process on a display (CI runs
// these under xvfb-run) with the module loaded as the host loads it: a
// scripted session that presses the page's key, switches an MFD off and on
// and flies by hand, checked on what the MFDs draw and the window shows;
// and simulated time against an injected wall clock.

#include "sim/live/LiveExtensions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/bench/BenchRun.h"
#include "sim/host/MfdStation.h"
#include "sim/host/VesselState.h"
#include "tests/support/BenchProcess.h"
#include "tests/support/Colour.h"
#include "tests/support/SurfacePixels.h"

namespace quorvel::test {
namespace {

using live::InputEvent;
using live::ScriptedEvent;
using sim::LiveFrame;
using sim::LiveSetup;
using sim::MfdStation;
using sim::MfdSurface;

// The ball's rings of latitude above the horizon (every 10 degrees of
// pitch) and the horizon, as the ball draws them; 2 for GL's rounding.
constexpr Rgb kNorthRing = GlColour(0.6, 0.6, 0.97);
constexpr Rgb kHorizon = GlColour(0, 0.97, 0.03);
constexpr int kColourTolerance = 2;

// Whether a quarter of a row of the surface has the colour.
bool RowHas(const MfdSurface& surface, int y, Rgb colour) {
    std::uint32_t count = 0;
    for (std::uint32_t x = 0; x < surface.Width(); ++x) {
        count += Near(RgbAt(surface, x, static_cast<std::uint32_t>(y)), colour, kColourTolerance);
    }
    return count > surface.Width() / 4;
}

// How far above the horizon the nearest ring is drawn: the ball's scale as
// the pilot sees it, in proportion to it.
std::optional<int> RingHeight(const MfdSurface& surface) {
    const int ballBottom = static_cast<int>(2 * surface.Height() / 3);
    int horizon = 1;
    while (horizon < ballBottom && !RowHas(surface, horizon, kHorizon)) ++horizon;
    for (int ring = horizon - 1; ring >= 1; --ring) {
        if (RowHas(surface, ring, kNorthRing)) return horizon - ring;
    }
    return std::nullopt;
}

ScriptedEvent Press(double timeS, SDL_Scancode key) {
    return {timeS, {.kind = InputEvent::Kind::KeyDown, .key = key}};
}
ScriptedEvent Release(double timeS, SDL_Scancode key) {
    return {timeS, {.kind = InputEvent::Kind::KeyUp, .key = key}};
}

class LiveSessionTest : public BenchFolderTest {
protected:
    void SetUp() override { ASSERT_TRUE(live::DisplayNamed()) << "needs a display: run under xvfb-run -a"; }

    // A run of quorvel-sim with the window, in this process, its clock
    // advanced by the frame hook; its exit status.
    int RunLive(std::vector<std::string> args, LiveSetup setup) {
        args.insert(args.begin(),
                    {"quorvel-sim", "--module", QUORVEL_MODULE_PATH, "--window", "--quiet", "--out", out.string()});
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        int exitCode = 0;
        const auto options = sim::ParseBenchOptions(static_cast<int>(argv.size()), argv.data(), exitCode);
        if (!options) return exitCode;
        setup.clock = [this] { return wallS; };
        return sim::RunBench(*options, log, sim::LiveExtensions(std::move(setup)));
    }

    // On the runway with nobody at the controls: the vessel stays at rest
    // until the hands fly it.
    std::string AtRest() {
        const auto path = dir / "at-rest.toml";
        WriteText(path, "[start]\nplace = \"runway\"\n[controls]\nautopilot = \"none\"\n");
        return path.string();
    }

    double wallS = 0;
    std::ostringstream log;
};

// Each check once, at the first frame shown at or after its time.
struct Checks {
    std::vector<std::pair<double, std::function<void(const LiveFrame&)>>> list;
    std::size_t next = 0;
    void At(double timeS, std::function<void(const LiveFrame&)> check) { list.emplace_back(timeS, std::move(check)); }
    void Run(const LiveFrame& frame) {
        for (; next < list.size() && frame.timeS >= list[next].first - 1e-9; ++next) {
            SCOPED_TRACE(::testing::Message() << "t " << frame.timeS << " s\n" << frame.status);
            list[next].second(frame);
        }
    }
};

TEST_F(LiveSessionTest, KeysReachThePagesMfdsSwitchOffAndOnAndTheHandsFly) {
    LiveSetup setup;
    setup.zoom = 1;
    setup.script = {
        Press(0.45, SDL_SCANCODE_V),    Release(0.45, SDL_SCANCODE_V),  // 47 to MFD 0
        Press(1.05, SDL_SCANCODE_TAB),  Press(1.05, SDL_SCANCODE_V),    // 47 to MFD 1
        Press(1.45, SDL_SCANCODE_F7),                                   // MFD 1 off
        Press(1.85, SDL_SCANCODE_F7),                                   // and on
        Press(2.25, SDL_SCANCODE_F8),                                   // its mode list
        Press(2.65, SDL_SCANCODE_Z),                                    // 44: QuorvelMFD
        Press(3.05, SDL_SCANCODE_TAB),  Press(3.05, SDL_SCANCODE_V),    // 47 three times on MFD 0
        Press(3.05, SDL_SCANCODE_V),    Press(3.05, SDL_SCANCODE_V),
        Press(3.25, SDL_SCANCODE_HOME),  // full throttle, by hand
    };
    int mfd0Ring = 0, mfd1Ring = 0, objectsBoth = 0, objectsOff = 0;
    Checks checks;
    checks.At(0.3, [&](const LiveFrame& frame) {
        ASSERT_EQ(frame.presenter.Layout().scale, 1);
        int width = 0, height = 0;
        const auto window = frame.presenter.Capture(width, height);
        for (std::size_t i = 0; i < 2; ++i) {
            const MfdSurface& surface = frame.run.Station(i).Surface();
            const live::PixelRect at = frame.presenter.Layout().mfds[i];
            int wrong = 0;
            for (int y = 0; y < at.height; ++y) {
                for (int x = 0; x < at.width; ++x) {
                    wrong += (window[static_cast<std::size_t>((at.y + y) * width + at.x + x)] & 0xFFFFFF) !=
                             surface.Pixel(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
                }
            }
            EXPECT_EQ(wrong, 0) << "MFD " << i << " in the window, against its surface";
        }
        mfd0Ring = RingHeight(frame.run.Station(0).Surface()).value_or(0);
        mfd1Ring = RingHeight(frame.run.Station(1).Surface()).value_or(0);
        EXPECT_GT(mfd0Ring, 20);
        EXPECT_GT(mfd1Ring, 10);
        objectsBoth = platform::LiveGdiObjects().Total();
        EXPECT_NE(frame.status.find("pilot: hands off"), std::string::npos);
    });
    checks.At(0.8, [&](const LiveFrame& frame) {
        // Scale 2 to 3: the ring half as far again from the horizon.
        EXPECT_NEAR(RingHeight(frame.run.Station(0).Surface()).value_or(0), 1.5 * mfd0Ring, 1.5);
        EXPECT_EQ(RingHeight(frame.run.Station(1).Surface()), mfd1Ring) << "the key was MFD 0's";
        EXPECT_NE(frame.status.find("MFD 0 (keys): QuorvelMFD, key 47 taken"), std::string::npos);
    });
    checks.At(1.2, [&](const LiveFrame& frame) {
        EXPECT_NEAR(RingHeight(frame.run.Station(1).Surface()).value_or(0), 1.5 * mfd1Ring, 1.5);
    });
    checks.At(1.6, [&](const LiveFrame& frame) {
        const MfdStation& station = frame.run.Station(1);
        EXPECT_EQ(station.Shows(), MfdStation::Showing::Off);
        EXPECT_EQ(station.Page(), nullptr);
        EXPECT_EQ(CountPixels(station.Surface(), 0), static_cast<int>(256 * 256)) << "black when off";
        objectsOff = platform::LiveGdiObjects().Total();
        EXPECT_LT(objectsOff, objectsBoth) << "the page was destroyed with what it held";
        EXPECT_NE(frame.status.find("MFD 1 (keys): off"), std::string::npos);
    });
    checks.At(2.0, [&](const LiveFrame& frame) {
        ASSERT_NE(frame.run.Station(1).Page(), nullptr);
        EXPECT_EQ(platform::LiveGdiObjects().Total(), objectsBoth);
        EXPECT_EQ(RingHeight(frame.run.Station(1).Surface()), mfd1Ring) << "a new page, at its first scale";
    });
    checks.At(2.4, [&](const LiveFrame& frame) {
        EXPECT_EQ(frame.run.Station(1).Shows(), MfdStation::Showing::ModeList);
        EXPECT_EQ(platform::LiveGdiObjects().Total(), objectsOff) << "back to the list, the page goes";
    });
    checks.At(2.8, [&](const LiveFrame& frame) {
        EXPECT_EQ(frame.run.Station(1).StatusText(), "QuorvelMFD") << "opened by its key, 44";
        EXPECT_EQ(platform::LiveGdiObjects().Total(), objectsBoth);
        EXPECT_EQ(RingHeight(frame.run.Station(1).Surface()), mfd1Ring);
    });
    checks.At(3.2, [&](const LiveFrame& frame) {
        EXPECT_EQ(RingHeight(frame.run.Station(0).Surface()), mfd0Ring) << "scales 3, 4, 1 and back to 2";
        EXPECT_EQ(frame.run.State().airspeed, 0) << "at rest until the throttle opens";
    });
    checks.At(3.9, [&](const LiveFrame& frame) {
        EXPECT_GT(frame.run.State().airspeed, 0.5);
        EXPECT_NE(frame.status.find("pilot: hands\n"), std::string::npos);
    });
    setup.afterFrame = [&](const LiveFrame& frame) {
        checks.Run(frame);
        wallS += 0.1;  // five steps a frame at 1x
    };
    ASSERT_EQ(RunLive({"--scenario", AtRest(), "--mfd", "400x400", "--mfd", "256x256", "--duration", "4",
                       "--repaint-every", "0.1", "--frame-every", "1"},
                      std::move(setup)),
              0)
        << log.str();
    EXPECT_EQ(checks.next, checks.list.size()) << "checks not reached";
    // The pictures, sheets and log, as a batch run writes them.
    EXPECT_EQ(Names(out), (std::vector<std::string>{"contact-sheet-mfd1.png", "contact-sheet.png", "mfd0_t0000.02s.png",
                                                    "mfd0_t0001.00s.png", "mfd0_t0002.00s.png", "mfd0_t0003.00s.png",
                                                    "mfd0_t0004.00s.png", "mfd1_t0000.02s.png", "mfd1_t0001.00s.png",
                                                    "mfd1_t0002.00s.png", "mfd1_t0003.00s.png", "mfd1_t0004.00s.png",
                                                    "telemetry.csv"}));
}

// The clock gives a display frame's time a frame, then far more than the
// steps a frame may run: simulated time follows it at each acceleration,
// then slows, and the status line says so.
TEST_F(LiveSessionTest, SimulatedTimeFollowsTheClockTimesTheAccelerationOrSaysItIsBehind) {
    struct Sample {
        double wallS, simS;
        bool behind;
    };
    std::vector<Sample> samples;
    LiveSetup setup;
    setup.zoom = 1;
    setup.script = {Press(1.0, SDL_SCANCODE_F3), Press(3.0, SDL_SCANCODE_F4), Press(8.0, SDL_SCANCODE_F2)};
    setup.afterFrame = [&](const LiveFrame& frame) {
        samples.push_back({wallS, frame.timeS, frame.status.find("behind") != std::string::npos});
        // From 8 s on, ten seconds a frame: far more than a frame's steps.
        wallS += frame.timeS >= 8 ? 10 : frame.presenter.DisplayFrameS();
    };
    ASSERT_EQ(RunLive({"--scenario", AtRest(), "--duration", "12", "--repaint-every", "1"}, std::move(setup)), 0)
        << log.str();
    // The rate between the first frames at or after two simulated times.
    const auto rate = [&](double fromS, double toS) {
        const auto at = [&](double t) {
            return *std::find_if(samples.begin(), samples.end(), [t](const Sample& s) { return s.simS >= t; });
        };
        const Sample a = at(fromS), b = at(toS);
        return (b.simS - a.simS) / (b.wallS - a.wallS);
    };
    EXPECT_NEAR(rate(0.1, 0.9), 1, 0.05);
    EXPECT_NEAR(rate(1.1, 2.9), 10, 0.2);
    EXPECT_NEAR(rate(3.1, 7.5), 100, 1);
    EXPECT_FALSE(std::any_of(samples.begin(), samples.end(), [](const Sample& s) { return s.behind && s.simS < 8; }));
    // Behind at 1x: a frame's steps at most, never skipped.
    ASSERT_GE(samples.size(), 3u);
    const Sample& last = samples.back();
    const Sample& before = samples[samples.size() - 2];
    EXPECT_TRUE(last.behind);
    EXPECT_LT(last.simS - before.simS, 5.0) << "ten seconds owed, a frame's steps run";
    EXPECT_GT(last.simS - before.simS, 0.5);
}

}  // namespace
}  // namespace quorvel::test
