// compare-page-frames: the bench host's frames of one flight drawn on Linux
// against the same frames drawn under Wine, outside the text.
//
//   compare-page-frames [--picture FILE] [--min PERCENT] TEXT_LOG OURS THEIRS
//
// OURS and THEIRS are the bench host's output folders of the same flight
// with two MFDs, repainted only when pictured (--repaint-every equal to
// --frame-every), so that each repaint is a frame. TEXT_LOG is what
// TextBoxLog wrote during the Linux run: where every text went.
//
// Outside the text means outside every text's box: from where the text
// started to where it left the current position, one character cell high
// (a 25th of the MFD's height), grown by one pixel each way for glyphs
// that reach past their cell. The boxes come from our run; that the same
// text lands in the same place under Wine is what the GDI corpus's text
// scenes check, and a glyph Wine put elsewhere falls outside the boxes and
// counts as a difference. Glyph shapes differ by font and are not compared.
//
// Prints the agreement for each MFD size and the frame that agrees least;
// exit status 0 when every size agrees on at least PERCENT (99.9 by
// default) of its pixels, 1 when one does not, 2 on a bad command line or
// unreadable input.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/pictures/PictureDiff.h"

namespace fs = std::filesystem;
using namespace quorvel::test;

namespace {

constexpr int kMfdTextRows = 25;
constexpr int kGlyphMargin = 1;

struct TextBox {
    long x0;
    long y0;
    long x1;
};

// Each MFD's repaints in order, each a list of text boxes.
using Repaints = std::vector<std::vector<TextBox>>;

// Assigns the log's lines to MFDs by device context, in the order the
// device contexts first drew text, and starts a new repaint of an MFD each
// time its device context takes over from another.
bool ReadTextLog(const fs::path& path, std::size_t mfds, std::vector<Repaints>& repaints) {
    std::ifstream in(path);
    if (!in) return false;
    std::vector<std::string> dcs;
    std::string previous;
    repaints.assign(mfds, {});
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string dc;
        TextBox box{};
        if (!(fields >> dc >> box.x0 >> box.y0 >> box.x1)) return false;
        auto known = std::find(dcs.begin(), dcs.end(), dc);
        if (known == dcs.end()) {
            // Text on any later device context (a contact sheet) is no MFD's.
            if (dcs.size() == mfds) continue;
            dcs.push_back(dc);
            known = dcs.end() - 1;
        }
        const auto mfd = static_cast<std::size_t>(known - dcs.begin());
        if (dc != previous) repaints[mfd].emplace_back();
        repaints[mfd].back().push_back(box);
        previous = dc;
    }
    return true;
}

PixelMask TextMask(const Picture& picture, const std::vector<TextBox>& boxes) {
    PixelMask mask(std::size_t{picture.width} * picture.height, false);
    const long cellHeight = static_cast<long>(picture.height) / kMfdTextRows;
    for (const TextBox& box : boxes) {
        const long left = std::max(0L, std::min(box.x0, box.x1) - kGlyphMargin);
        const long right = std::min<long>(picture.width, std::max(box.x0, box.x1) + kGlyphMargin);
        const long top = std::max(0L, box.y0 - kGlyphMargin);
        const long bottom = std::min<long>(picture.height, box.y0 + cellHeight + kGlyphMargin);
        for (long y = top; y < bottom; ++y) {
            for (long x = left; x < right; ++x) mask[static_cast<std::size_t>(y) * picture.width + x] = true;
        }
    }
    return mask;
}

// The MFD pictures of a folder, by MFD number, in time order.
std::map<int, std::vector<std::string>> Frames(const fs::path& dir) {
    std::map<int, std::vector<std::string>> frames;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        int mfd = 0;
        if (entry.path().extension() == ".png" && std::sscanf(name.c_str(), "mfd%d_", &mfd) == 1) {
            frames[mfd].push_back(name);
        }
    }
    for (auto& [mfd, names] : frames) std::sort(names.begin(), names.end());
    return frames;
}

}  // namespace

int main(int argc, char** argv) {
    std::string picturePath;
    double minPercent = 99.9;
    std::vector<fs::path> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--picture" && i + 1 < argc) {
            picturePath = argv[++i];
        } else if (arg == "--min" && i + 1 < argc) {
            minPercent = std::atof(argv[++i]);
        } else {
            paths.emplace_back(arg);
        }
    }
    if (paths.size() != 3 || !fs::is_directory(paths[1]) || !fs::is_directory(paths[2])) {
        std::cerr << "usage: compare-page-frames [--picture FILE] [--min PERCENT] TEXT_LOG OURS THEIRS\n";
        return 2;
    }
    const auto ours = Frames(paths[1]);
    const auto theirs = Frames(paths[2]);
    std::vector<Repaints> repaints;
    if (ours.empty() || ours.size() != theirs.size() || !ReadTextLog(paths[0], ours.size(), repaints)) {
        std::cerr << "compare-page-frames: no frames, different MFDs, or no text log " << paths[0] << "\n";
        return 2;
    }

    bool enough = true;
    for (const auto& [mfd, names] : ours) {
        const auto& repaintsOfMfd = repaints[static_cast<std::size_t>(mfd)];
        if (theirs.at(mfd) != names || repaintsOfMfd.size() != names.size()) {
            std::cerr << "compare-page-frames: MFD " << mfd << ": " << names.size() << " frames here, "
                      << theirs.at(mfd).size() << " there, " << repaintsOfMfd.size() << " repaints logged\n";
            return 2;
        }
        std::uint64_t compared = 0;
        std::uint64_t differing = 0;
        double worstShare = -1;
        std::string worst;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::string error;
            const auto a = ReadPicture((paths[1] / names[i]).string(), error);
            const auto b = ReadPicture((paths[2] / names[i]).string(), error);
            if (!a || !b) {
                std::cerr << "compare-page-frames: " << names[i] << ": " << error << "\n";
                return 2;
            }
            width = a->width;
            height = a->height;
            const PixelMask mask = TextMask(*a, repaintsOfMfd[i]);
            const PictureDiff diff = Compare(*a, *b, mask);
            if (!diff.sameSize) {
                std::cerr << "compare-page-frames: " << names[i] << ": sizes differ\n";
                return 2;
            }
            compared += diff.compared;
            differing += diff.differing;
            const double share = static_cast<double>(diff.differing) / static_cast<double>(diff.compared);
            if (share > worstShare) {
                worstShare = share;
                worst = names[i];
                if (!picturePath.empty()) {
                    WriteDiffPicture(picturePath + "-mfd" + std::to_string(mfd) + ".png", *a, *b, mask, 2);
                }
            }
        }
        const double percent = 100.0 * static_cast<double>(compared - differing) / static_cast<double>(compared);
        char line[200];
        std::snprintf(line, sizeof line,
                      "MFD %d (%ux%u): %zu frames, %.3f %% of %llu pixels outside text agree; least: %s (%.3f %%)\n",
                      mfd, width, height, names.size(), percent, static_cast<unsigned long long>(compared),
                      worst.c_str(), 100.0 * (1.0 - worstShare));
        std::cout << line;
        enough = enough && percent >= minPercent;
    }
    return enough ? 0 : 1;
}
