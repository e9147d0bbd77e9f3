#include "sim/files/FileExtension.h"

#include <algorithm>
#include <cctype>

namespace quorvel::sim {

bool HasExtension(const std::filesystem::path& path, const std::string& lowerCaseExtension) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == lowerCaseExtension;
}

}  // namespace quorvel::sim
