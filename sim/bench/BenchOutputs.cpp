#include "sim/bench/BenchOutputs.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <regex>

#include "sim/bench/Telemetry.h"

namespace quorvel::sim {

namespace {

constexpr const char* kTelemetryName = "telemetry.csv";

// Hundredths of a second, the resolution of picture names.
constexpr double kNameTicksPerS = 100;
constexpr long long kLastOrdinaryTick = 999999;  // 9999.99 s

long long NameTicks(double timeS) { return std::llround(timeS * kNameTicksPerS); }

void ClearEarlierRun(const std::filesystem::path& dir) {
    std::error_code error;
    std::vector<std::filesystem::path> stale;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        if (entry.is_regular_file(error) && IsOutputName(entry.path().filename().string())) stale.push_back(entry.path());
    }
    if (error) throw OutputError("cannot list " + dir.string() + ": " + error.message());
    for (const auto& path : stale) {
        if (!std::filesystem::remove(path, error) && error) {
            throw OutputError("cannot remove " + path.string() + " left by an earlier run: " + error.message());
        }
    }
}

// The temporary file goes with its owner, after any stream on it.
[[noreturn]] void CannotWrite(const PendingFile& file, const std::string& why) {
    throw OutputError("cannot write " + file.FinalPath().string() + ": " + why);
}

std::string SheetTitle(const std::string& title, std::size_t mfd, MfdSize size, double frameEveryS) {
    char text[200];
    std::snprintf(text, sizeof text, "%s - MFD %zu, %ux%u, a frame every %g s", title.c_str(), mfd, size.width,
                  size.height, frameEveryS);
    return text;
}

}  // namespace

PictureNames::PictureNames(double firstS, double lastS, std::size_t frames) {
    if (NameTicks(firstS) >= 0 && NameTicks(lastS) <= kLastOrdinaryTick) return;
    frameDigits = static_cast<int>(std::to_string(frames > 0 ? frames - 1 : 0).size());
}

std::string PictureNames::Name(std::size_t mfd, std::size_t frame, double timeS) const {
    // Times a run can reach are far inside ±1e15 s, and so within range of the ticks.
    const long long ticks = NameTicks(timeS);
    const unsigned long long magnitude = ticks < 0 ? 0ULL - static_cast<unsigned long long>(ticks) : ticks;
    char time[48];
    std::snprintf(time, sizeof time, "%s%04llu.%02llu", ticks < 0 ? "-" : "", magnitude / 100, magnitude % 100);
    char name[96];
    if (frameDigits == 0) {
        std::snprintf(name, sizeof name, "mfd%zu_t%ss.png", mfd, time);
    } else {
        std::snprintf(name, sizeof name, "mfd%zu_%0*zu_t%ss.png", mfd, frameDigits, frame, time);
    }
    return name;
}

bool IsOutputName(const std::string& name) {
    static const std::regex ours(
        R"((mfd\d+_(\d+_)?t-?[0-9.]+s\.png|contact-sheet(-mfd\d+)?\.png|telemetry\.csv)(\.partial|\.earlier)?)");
    return std::regex_match(name, ours);
}

std::string ContactSheetName(std::size_t mfd) {
    return mfd == 0 ? "contact-sheet.png" : "contact-sheet-mfd" + std::to_string(mfd) + ".png";
}

BenchOutputs::BenchOutputs(const std::filesystem::path& dir, const std::string& title, const std::vector<MfdSize>& mfds,
                           const PictureSchedule& schedule)
    : dir(dir),
      names(schedule.firstS, schedule.lastS, schedule.frames),
      framesTaken(mfds.size()),
      telemetryFile(dir / kTelemetryName) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) throw OutputError("cannot make " + dir.string() + ": " + error.message());
    ClearEarlierRun(dir);
    for (std::size_t i = 0; i < mfds.size(); ++i) {
        sheets.emplace_back(SheetTitle(title, i, mfds[i], schedule.everyS), mfds[i].width, mfds[i].height,
                            schedule.frames);
    }
    telemetry.open(telemetryFile.TempPath(), std::ios::binary);
    CheckTelemetry();
    WriteTelemetryHeader(telemetry);
    CheckTelemetry();
}

void BenchOutputs::Picture(std::size_t mfd, double timeS, const MfdSurface& surface, const VesselState& state) {
    PendingFile file(dir / names.Name(mfd, framesTaken.at(mfd)++, timeS));
    std::string why;
    if (!surface.WritePng(file.TempPath().string(), &why)) CannotWrite(file, why);
    std::error_code error;
    if (!file.Commit(error)) CannotWrite(file, error.message());
    ++pictures;
    sheets[mfd].Offer(surface, {timeS, state.altitude, state.airspeed, state.mach});
}

void BenchOutputs::TelemetryRow(double timeS, const VesselState& state) {
    WriteTelemetryRow(telemetry, timeS, state);
    CheckTelemetry();
    ++telemetryRows;
}

std::vector<PendingFile*> BenchOutputs::Complete() {
    std::vector<PendingFile*> files;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i].Frames() == 0) continue;
        PendingFile& file = *sheetFiles.emplace_back(std::make_unique<PendingFile>(dir / ContactSheetName(i)));
        std::string why;
        if (!sheets[i].WritePng(file.TempPath().string(), &why)) CannotWrite(file, why);
        files.push_back(&file);
    }
    telemetry.close();
    CheckTelemetry();
    files.push_back(&telemetryFile);
    return files;
}

void BenchOutputs::CheckTelemetry() {
    // A stream's failure leaves the system's reason in errno.
    if (!telemetry) CannotWrite(telemetryFile, std::strerror(errno));
}

}  // namespace quorvel::sim
