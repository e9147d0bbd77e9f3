#include "sim/BenchOutputs.h"

#include <cstdio>
#include <regex>

#include "sim/Telemetry.h"

namespace quorvel::sim {

namespace {

constexpr const char* kTelemetryName = "telemetry.csv";

// The names this host writes, and their temporary forms.
bool IsOurs(const std::string& name) {
    static const std::regex ours(R"((mfd\d+_t[0-9.]+s\.png|contact-sheet(-mfd\d+)?\.png|telemetry\.csv)(\.partial)?)");
    return std::regex_match(name, ours);
}

void ClearEarlierRun(const std::filesystem::path& dir) {
    std::error_code error;
    std::vector<std::filesystem::path> stale;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.is_regular_file(error) && IsOurs(entry.path().filename().string())) stale.push_back(entry.path());
    }
    if (error) throw OutputError("cannot list " + dir.string() + ": " + error.message());
    for (const auto& path : stale) {
        if (!std::filesystem::remove(path, error) && error) {
            throw OutputError("cannot remove " + path.string() + " left by an earlier run: " + error.message());
        }
    }
}

std::string SheetTitle(const std::string& title, std::size_t mfd, MfdSize size, double frameEveryS) {
    char text[200];
    std::snprintf(text, sizeof text, "%s - MFD %zu, %ux%u, a frame every %g s", title.c_str(), mfd, size.width,
                  size.height, frameEveryS);
    return text;
}

}  // namespace

std::string PictureName(std::size_t mfd, double timeS) {
    char name[64];
    std::snprintf(name, sizeof name, "mfd%zu_t%07.2fs.png", mfd, timeS);
    return name;
}

std::string ContactSheetName(std::size_t mfd) {
    return mfd == 0 ? "contact-sheet.png" : "contact-sheet-mfd" + std::to_string(mfd) + ".png";
}

BenchOutputs::BenchOutputs(const std::filesystem::path& dir, const std::string& title, const std::vector<MfdSize>& mfds,
                           std::size_t expectedFrames, double frameEveryS)
    : dir(dir), telemetryFile(dir / kTelemetryName) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) throw OutputError("cannot make " + dir.string() + ": " + error.message());
    ClearEarlierRun(dir);
    for (std::size_t i = 0; i < mfds.size(); ++i) {
        sheets.emplace_back(SheetTitle(title, i, mfds[i], frameEveryS), mfds[i].width, mfds[i].height, expectedFrames);
    }
    telemetry.open(telemetryFile.TempPath(), std::ios::binary);
    if (!telemetry) throw OutputError("cannot write " + telemetryFile.TempPath().string());
    WriteTelemetryHeader(telemetry);
}

void BenchOutputs::Picture(std::size_t mfd, double timeS, const MfdSurface& surface, const VesselState& state) {
    PendingFile file(dir / PictureName(mfd, timeS));
    if (!surface.WritePng(file.TempPath().string()) || !file.Commit()) {
        throw OutputError("cannot write " + file.FinalPath().string());
    }
    ++pictures;
    if (mfd < sheets.size()) sheets[mfd].Offer(surface, {timeS, state.altitude, state.airspeed, state.mach});
}

void BenchOutputs::TelemetryRow(double timeS, const VesselState& state) {
    WriteTelemetryRow(telemetry, timeS, state);
    ++telemetryRows;
}

void BenchOutputs::Finish() {
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].Frames() == 0) continue;
        PendingFile file(dir / ContactSheetName(i));
        if (!sheets[i].WritePng(file.TempPath().string()) || !file.Commit()) {
            throw OutputError("cannot write " + file.FinalPath().string());
        }
    }
    telemetry.close();
    if (telemetry.fail() || !telemetryFile.Commit()) {
        throw OutputError("cannot write " + telemetryFile.FinalPath().string());
    }
}

}  // namespace quorvel::sim
