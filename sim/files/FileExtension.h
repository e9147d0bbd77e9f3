// A file name's extension as the bench host checks the names it is given.
#pragma once

#include <filesystem>
#include <string>

namespace quorvel::sim {

// Whether the name ends in the extension (".mp4"), in any case.
bool HasExtension(const std::filesystem::path& path, const std::string& lowerCaseExtension);

}  // namespace quorvel::sim
