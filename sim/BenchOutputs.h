// What a run of the bench host leaves in its output folder:
//   mfd<i>_t<time>s.png    each MFD's picture at the frame interval
//   contact-sheet.png      MFD 0's whole run on one sheet
//   contact-sheet-mfd<i>.png  the same for MFD i > 0
//   telemetry.csv          what the host fed the module (sim/Telemetry.h),
//                          at the start and every 0.1 s of simulated time
// Every file is written under a temporary name and renamed when complete
// (sim/PendingFile.h). The folder is cleared of these files first, so it
// never mixes two runs; nothing else in it is touched.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/BenchOptions.h"
#include "sim/ContactSheet.h"
#include "sim/MfdSurface.h"
#include "sim/PendingFile.h"
#include "sim/VesselState.h"

namespace quorvel::sim {

// An output that cannot be written: a runtime failure, not bad input.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr double kTelemetryEveryS = 0.1;

// A picture's file name: the MFD's number and the simulation time, padded
// so that names sort by time.
std::string PictureName(std::size_t mfd, double timeS);
std::string ContactSheetName(std::size_t mfd);

class BenchOutputs {
public:
    // Makes the folder, clears an earlier run's files from it and opens the
    // telemetry log. `title` heads the contact sheets. Throws OutputError.
    BenchOutputs(const std::filesystem::path& dir, const std::string& title, const std::vector<MfdSize>& mfds,
                 std::size_t expectedFrames, double frameEveryS);
    BenchOutputs(const BenchOutputs&) = delete;
    BenchOutputs& operator=(const BenchOutputs&) = delete;

    // Writes MFD `mfd`'s picture and offers it to its contact sheet.
    void Picture(std::size_t mfd, double timeS, const MfdSurface& surface, const VesselState& state);
    void TelemetryRow(double timeS, const VesselState& state);
    // Writes the contact sheets and completes the telemetry log.
    void Finish();

    int Pictures() const { return pictures; }
    long long TelemetryRows() const { return telemetryRows; }
    const std::filesystem::path& Dir() const { return dir; }

private:
    std::filesystem::path dir;
    std::vector<ContactSheet> sheets;
    int pictures = 0;
    long long telemetryRows = 0;
    // The stream is declared after its file, so it is closed before an
    // unfinished file is removed.
    PendingFile telemetryFile;
    std::ofstream telemetry;
};

}  // namespace quorvel::sim
