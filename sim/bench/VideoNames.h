// Where a run's videos go: one H.264 MP4 per MFD, MFD 0's at the name
// given and MFD i's with "-mfd<i>" before the extension, all in one
// folder, which must exist already (the run makes only its --out folder).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace quorvel::sim {

// "flight.mp4" for MFD 0, "flight-mfd2.mp4" for MFD 2.
std::filesystem::path VideoName(const std::filesystem::path& video, std::size_t mfd);

// What is wrong with a video's name before anything is written: a name
// not ending in ".mp4", a folder that does not exist or is not a folder.
// Empty when nothing is; whether the folder can be written shows only
// when the file is made.
std::string VideoNameFault(const std::string& video);

}  // namespace quorvel::sim
