#include "corpus/Corpus.h"

#include <cmath>
#include <cstdio>

#include "platform/PngWriter.h"

namespace quorvel::corpus {

Corpus::Corpus(std::filesystem::path dir) : dir(std::move(dir)) {
    std::error_code error;
    std::filesystem::create_directories(this->dir, error);
    factFile.open(this->dir / "facts.txt", std::ios::trunc | std::ios::binary);
    if (!factFile) ++failures;
}

void Corpus::Picture(const std::string& scene, const SceneDib& image) {
    const std::vector<std::uint32_t> pixels = image.TopDown();
    const std::string path = (dir / (scene + ".png")).string();
    if (pixels.empty() || !platform::WritePng(path, static_cast<std::uint32_t>(image.Width()),
                                              static_cast<std::uint32_t>(image.Height()), pixels.data())) {
        ++failures;
        return;
    }
    ++pictures;
}

void Corpus::Fact(const std::string& scene, const std::string& fact) {
    factFile << scene << ": " << fact << "\n";
    if (!factFile) ++failures;
    ++facts;
}

std::string Padded(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

int Nearest(double value) { return static_cast<int>(std::floor(value + 0.5 + 1e-9)); }

}  // namespace quorvel::corpus
