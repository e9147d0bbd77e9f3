#include "sim/bench/VideoNames.h"

#include "sim/files/FileExtension.h"

namespace quorvel::sim {

std::filesystem::path VideoName(const std::filesystem::path& video, std::size_t mfd) {
    if (mfd == 0) return video;
    std::filesystem::path name = video;
    name.replace_filename(video.stem().string() + "-mfd" + std::to_string(mfd) + video.extension().string());
    return name;
}

std::string VideoNameFault(const std::string& video) {
    const std::filesystem::path path(video);
    if (!HasExtension(path, ".mp4") || path.stem().empty()) return "a video's name must end in .mp4";
    // An empty parent is the working folder.
    const std::filesystem::path folder = path.parent_path();
    if (folder.empty()) return "";
    std::error_code error;
    const auto status = std::filesystem::status(folder, error);
    if (!std::filesystem::exists(status)) return "no folder " + folder.string() + " to write it in";
    if (!std::filesystem::is_directory(status)) return folder.string() + " is not a folder";
    return "";
}

}  // namespace quorvel::sim
