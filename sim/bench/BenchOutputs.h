// What a run of the bench host leaves in its output folder:
//   mfd<i>_t<time>s.png    each MFD's picture at the frame interval
//                          (mfd<i>_<frame>_t<time>s.png, see PictureNames)
//   contact-sheet.png      MFD 0's whole run on one sheet
//   contact-sheet-mfd<i>.png  the same for MFD i > 0
//   telemetry.csv          what the host fed the module (sim/bench/Telemetry.h),
//                          at the start and every 0.1 s of simulated time
// Every file is written under a temporary name (sim/files/PendingFile.h):
// a picture is renamed as soon as it is complete; the contact sheets and
// the log are renamed by the run, together with its videos, once the run
// is over. The folder is cleared of these files first, so it never mixes
// two runs; nothing else in it is touched.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sim/bench/ContactSheet.h"
#include "sim/bench/MfdSize.h"
#include "sim/files/PendingFile.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/VesselState.h"

namespace quorvel::sim {

// An output that cannot be written: a runtime failure, not bad input.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr double kTelemetryEveryS = 0.1;

// How one run names its pictures, so that in byte order (LC_ALL=C ls)
// they sort by time whatever the times are. The time has two decimals,
// at least four whole digits and a minus sign before 0 s. A run whose
// pictures all fall within 0 to 9999.99 s names them mfd<i>_t<time>s.png;
// any other run puts the frame number first, zero-padded to the run's
// count: mfd<i>_<frame>_t<time>s.png, from mfd0_0_t-0039.98s.png on.
class PictureNames {
public:
    // For a run picturing from firstS to lastS, at most `frames` per MFD.
    PictureNames(double firstS, double lastS, std::size_t frames);
    // Frames count from 0.
    std::string Name(std::size_t mfd, std::size_t frame, double timeS) const;

private:
    int frameDigits = 0;  // 0: the time alone
};

std::string ContactSheetName(std::size_t mfd);

// Whether a file name is one that a run writes, by this version or an
// earlier one, or the temporary form of one.
bool IsOutputName(const std::string& name);

// What a run pictures, for the names and the contact sheets.
struct PictureSchedule {
    double firstS = 0;       // the first picture's time
    double lastS = 0;        // none after it
    std::size_t frames = 0;  // at most, per MFD
    double everyS = 5;
};

class BenchOutputs {
public:
    // Makes the folder, clears an earlier run's files from it and opens the
    // telemetry log. `title` heads the contact sheets. Throws OutputError,
    // naming the file and the system's reason.
    BenchOutputs(const std::filesystem::path& dir, const std::string& title, const std::vector<MfdSize>& mfds,
                 const PictureSchedule& schedule);
    BenchOutputs(const BenchOutputs&) = delete;
    BenchOutputs& operator=(const BenchOutputs&) = delete;

    // Writes MFD `mfd`'s picture and offers it to its contact sheet.
    void Picture(std::size_t mfd, double timeS, const MfdSurface& surface, const VesselState& state);
    void TelemetryRow(double timeS, const VesselState& state);
    // Writes the contact sheets and completes the telemetry log, each under
    // its temporary name; the returned files give them their names when
    // committed. Throws OutputError.
    std::vector<PendingFile*> Complete();

    int Pictures() const { return pictures; }
    long long TelemetryRows() const { return telemetryRows; }
    const std::filesystem::path& Dir() const { return dir; }

private:
    // Throws OutputError when the log's stream has failed.
    void CheckTelemetry();

    std::filesystem::path dir;
    PictureNames names;
    std::vector<std::size_t> framesTaken;  // per MFD
    std::vector<ContactSheet> sheets;
    std::vector<std::unique_ptr<PendingFile>> sheetFiles;
    int pictures = 0;
    long long telemetryRows = 0;
    // The stream is declared after its file, so it is closed before an
    // unfinished file is removed.
    PendingFile telemetryFile;
    std::ofstream telemetry;
};

}  // namespace quorvel::sim
