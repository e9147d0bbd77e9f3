// Random sequences of the host's calls into the loaded module: init and
// exit (twice too), time steps at any time, message 1 at any size and other
// messages, keys, repaints, character cells, pages destroyed in any order,
// and vessels answering with any values. Each sequence loads the module and
// unloads it at the end; by then everything the module made must be gone.
//
// The seed is printed. QUORVEL_TEST_SEED=<seed> replays a run, and
// QUORVEL_TEST_SEQUENCE=<n> only its sequence n.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/linux/PlatformDiagnostics.h"
#include "sim/host/HostLog.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModeRegistry.h"
#include "sim/host/ModuleHost.h"
#include "tests/support/MfdHostAccess.h"

namespace {

using quorvel::platform::LiveGdiObjects;
using quorvel::platform::LiveGlContexts;
using quorvel::platform::StaleGdiDeletions;
using quorvel::sim::ModeRegistry;

constexpr const char* kMode = "QuorvelMFD";
constexpr std::uint64_t kDefaultSeed = 20240611;
constexpr std::size_t kMostPages = 8;
constexpr int kCallsPerSequence = 60;

// About a minute under the sanitizers on two cores; a few seconds without.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSequences = 500;
#else
constexpr int kSequences = 100;
#endif

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::optional<std::uint64_t> NumberFromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return std::nullopt;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (*end != '\0') {
        ADD_FAILURE() << name << "=" << text << " is not a whole number";
        return std::nullopt;
    }
    return value;
}

bool RefusalReported() {
    const auto& reports = quorvel::sim::HostReports();
    return std::any_of(reports.begin(), reports.end(),
                       [](const std::string& r) { return r.find("refused") != std::string::npos; });
}

// A mode registered twice is caught when the module has gone: one stays.
bool ModeRegistered() { return ModeRegistry::Instance().FindByName(kMode).has_value(); }

// One sequence: its own random numbers from the run's seed and its number.
class HostCallSequence {
public:
    HostCallSequence(std::uint64_t seed, std::uint64_t sequence) {
        std::seed_seq seeds{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                            static_cast<std::uint32_t>(sequence)};
        random.seed(seeds);
    }

    void Run() {
        for (HostVessel& vessel : vessels) RandomiseVessel(vessel);
        // Most sequences start as the host does; the rest call before init.
        if (Below(4) != 0) host.Init();
        for (int call = 0; call < kCallsPerSequence && !::testing::Test::HasFailure(); ++call) {
            MakeOneCall();
            EXPECT_EQ(ModeRegistered(), host.Initialised()) << "after call " << call;
            EXPECT_LE(LiveGlContexts(), glContextsBefore + static_cast<int>(pages.size())) << "after call " << call;
        }
    }

private:
    struct ShownPage {
        MFD* page;
        std::unique_ptr<quorvel::sim::MfdSurface> surface;
    };

    void MakeOneCall() {
        switch (Below(24)) {
            case 0:
            case 1: host.Init(); break;
            case 2: host.Exit(); break;
            case 3:
                host.Exit();
                host.Exit();
                break;
            case 4: EXPECT_EQ(host.Version(), 20060425); break;
            case 5:
            case 6:
            case 7:
            case 8: host.Step(AnyTime(), AnyValue(), AnyValue()); break;
            case 9:
            case 10:
            case 11: OpenPage(); break;
            case 12: SendOtherMessage(); break;
            case 13:
            case 14: PressKey(); break;
            case 15:
            case 16:
            case 17:
            case 18: Repaint(); break;
            case 19:
            case 20: ClosePage(); break;
            case 21: ChangeCharCell(); break;
            default: RandomiseVessel(vessels[Below(vessels.size())]); break;
        }
    }

    std::size_t Below(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); }

    double AnyValue() {
        static constexpr std::array<double, 12> kSpecial = {
            0.0,  -0.0,  std::numeric_limits<double>::denorm_min(), -2.2e-308, 1e300, -1e300,
            kNan, kInf,  -kInf,                                     1.0,       -1.0,  0.5};
        if (Below(2) == 0) return kSpecial[Below(kSpecial.size())];
        return std::uniform_real_distribution<double>(-1e4, 1e4)(random);
    }

    double AnyTime() {
        switch (Below(8)) {
            case 0: return kNan;
            case 1: return Below(2) == 0 ? kInf : -kInf;
            case 2: return -std::uniform_real_distribution<double>(0, 1e6)(random);
            case 3: return lastTime;
            case 4: return Below(2) == 0 ? 1e300 : std::numeric_limits<double>::max();
            default: return lastTime += std::uniform_real_distribution<double>(0.001, 2)(random);
        }
    }

    std::uint32_t AnyCellSize() {
        static constexpr std::array<std::uint32_t, 7> kCells = {0, 1, 7, 16, 1u << 30, 1u << 31, 0xFFFFFFFFu};
        return kCells[Below(kCells.size())];
    }

    void RandomiseVessel(HostVessel& vessel) {
        quorvel::sim::VesselState& s = vessel.state;
        for (double* value : {&s.altitude, &s.airspeed, &s.mach, &s.atmDensity, &s.atmPressure, &s.pitch, &s.bank,
                              &s.heading, &s.aoa, &s.slip, &s.mainEngineLevel, &s.apoapsisDistance}) {
            *value = AnyValue();
        }
        for (VECTOR3* vector : {&s.shipAirspeed, &s.horizonAirspeed, &s.angularVelocity, &s.position, &s.velocity}) {
            *vector = {AnyValue(), AnyValue(), AnyValue()};
        }
        s.hasAirspeedVectors = Below(2) == 0;
        s.landed = Below(2) == 0;
        s.hasApoapsis = Below(2) == 0;
        s.headingAvailable = Below(4) != 0;
        static constexpr std::array<double, 5> kAmounts = {0.0, -1.0, -5000.0, kNan, 2500.0};
        const auto amount = [this] { return Below(2) == 0 ? kAmounts[Below(kAmounts.size())] : AnyValue(); };
        s.tanks.resize(Below(3));
        for (auto& tank : s.tanks) tank = {amount(), amount()};
        s.thrusters.resize(Below(3));
        for (auto& thruster : s.thrusters) thruster = {amount(), amount(), static_cast<int>(Below(4)) - 1};
    }

    void OpenPage() {
        if (pages.size() >= kMostPages) return;
        static constexpr std::array<std::array<std::uint32_t, 2>, 4> kEdges = {
            {{0, 0}, {1, 1}, {1, 65535}, {65535, 1}}};
        std::array<std::uint32_t, 2> size{};
        if (Below(3) == 0) {
            size = kEdges[Below(kEdges.size())];
        } else {
            size = {static_cast<std::uint32_t>(2 + Below(127)), static_cast<std::uint32_t>(2 + Below(127))};
        }
        HostVessel& vessel = vessels[Below(vessels.size())];
        MFD* page = host.OpenPage(kMode, size[0], size[1], vessel, static_cast<std::uint32_t>(Below(kMostPages)));
        // Without the mode registered there is nobody to build a page.
        EXPECT_EQ(page != nullptr, host.Initialised()) << "message 1 for " << size[0] << "x" << size[1];
        if (page == nullptr) return;
        pages.push_back({page, std::make_unique<quorvel::sim::MfdSurface>(size[0], size[1])});
    }

    void SendOtherMessage() {
        static constexpr std::array<std::uint32_t, 5> kMessages = {0, 2, 3, 100, 0xFFFFFFFFu};
        const bool withoutVessel = Below(3) == 0;
        const std::uint32_t message = withoutVessel ? 1 : kMessages[Below(kMessages.size())];
        const std::intptr_t vessel =
            withoutVessel ? 0 : reinterpret_cast<std::intptr_t>(&vessels[Below(vessels.size())].vessel);
        const auto packed = static_cast<std::uint32_t>(random());
        EXPECT_EQ(host.SendMessage(kMode, message, static_cast<std::uint32_t>(random()), packed, vessel), 0)
            << "message " << message << " built a page";
    }

    ShownPage* AnyPage() { return pages.empty() ? nullptr : &pages[Below(pages.size())]; }

    void PressKey() {
        static constexpr std::array<std::uint32_t, 6> kKeys = {47, 47, 44, 46, 0, 0xFFFFFFFFu};
        if (ShownPage* shown = AnyPage()) {
            const std::uint32_t key = Below(4) == 0 ? static_cast<std::uint32_t>(random()) : kKeys[Below(kKeys.size())];
            EXPECT_EQ(shown->page->ConsumeKeyBuffered(key), key == 47) << "key " << key;
        }
    }

    void Repaint() {
        if (ShownPage* shown = AnyPage()) shown->page->Repaint(shown->surface->Dc());
    }

    void ChangeCharCell() {
        if (ShownPage* shown = AnyPage()) MfdHostAccess::SetCharCell(*shown->page, AnyCellSize(), AnyCellSize());
    }

    void ClosePage() {
        if (pages.empty()) return;
        const std::size_t index = Below(pages.size());
        host.ClosePage(pages[index].page);
        pages.erase(pages.begin() + static_cast<std::ptrdiff_t>(index));
    }

    std::mt19937_64 random;
    const int glContextsBefore = LiveGlContexts();
    // Declared before the host, so that they outlive the pages showing them.
    std::array<HostVessel, 3> vessels;
    quorvel::sim::ModuleHost host{QUORVEL_MODULE_PATH};
    std::vector<ShownPage> pages;
    double lastTime = 0;
};

TEST(RandomHostCallsTest, SequencesOfHostCallsLeaveNothingBehind) {
    const std::uint64_t seed = NumberFromEnvironment("QUORVEL_TEST_SEED").value_or(kDefaultSeed);
    const std::optional<std::uint64_t> only = NumberFromEnvironment("QUORVEL_TEST_SEQUENCE");
    const std::uint64_t first = only.value_or(0);
    const std::uint64_t end = only ? first + 1 : kSequences;
    std::cout << "random host calls: seed " << seed << " (QUORVEL_TEST_SEED=" << seed << " replays it), sequences "
              << first << " to " << end - 1 << ", " << kCallsPerSequence << " calls each" << std::endl;
    quorvel::sim::EchoHostReports(false);
    const auto objects = LiveGdiObjects();
    const int contexts = LiveGlContexts();
    const int stale = StaleGdiDeletions();

    // Each sequence's number goes out before it runs: where a sanitizer's
    // report or a signal ends the process, the last number names it.
    std::cerr << "sequence";
    for (std::uint64_t sequence = first; sequence < end && !HasFailure(); ++sequence) {
        std::cerr << " " << sequence;
        SCOPED_TRACE("seed " + std::to_string(seed) + ", sequence " + std::to_string(sequence) +
                     " (QUORVEL_TEST_SEQUENCE=" + std::to_string(sequence) + " runs it alone)");
        quorvel::sim::ClearHostReports();
        HostCallSequence(seed, sequence).Run();
        EXPECT_EQ(LiveGdiObjects().Total(), objects.Total()) << "GDI objects outlived the module";
        EXPECT_EQ(LiveGlContexts(), contexts) << "GL contexts outlived the module";
        EXPECT_FALSE(ModeRegistered()) << "the mode outlived the module";
        EXPECT_EQ(StaleGdiDeletions(), stale) << "a GDI object was deleted twice";
        EXPECT_FALSE(RefusalReported()) << "the module unregistered a mode twice";
    }
    std::cerr << std::endl;
}

}  // namespace
