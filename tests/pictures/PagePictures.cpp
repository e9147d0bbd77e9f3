#include "tests/pictures/PagePictures.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "sim/host/MfdFont.h"

namespace quorvel::test {

namespace {

// A readout's first character alone ("M", "T", …) lights more pixels than
// this in its row at every MFD size the bench host makes.
constexpr std::uint64_t kMinInkPerRow = 8;
// Sky and ground each cover far more than this share of the upper two
// thirds at any attitude the built-in flight reaches in its first seconds.
constexpr std::uint64_t kMinBallShareDivisor = 200;

}  // namespace

std::uint64_t CountNear(const Picture& picture, Rgb colour, int tolerance, Box box) {
    std::uint64_t count = 0;
    for (std::uint32_t y = box.top; y < std::min(box.bottom, picture.height); ++y) {
        for (std::uint32_t x = box.left; x < std::min(box.right, picture.width); ++x) {
            count += Near(RgbOf(picture.Pixel(x, y)), colour, tolerance);
        }
    }
    return count;
}

Box ReadoutRow(std::uint32_t width, std::uint32_t height, int row) {
    const sim::CharCell cell = sim::MfdCharCell(width, height);
    const std::uint32_t top = height / 3 + static_cast<std::uint32_t>(row + 1) * cell.height;
    return {cell.width, top, 9 * cell.width, top + cell.height};
}

PageFindings Inspect(const Picture& picture) {
    PageFindings findings;
    for (int row = 0; row < 8; ++row) {
        findings.readoutInk[row] = CountNear(picture, kReadoutInk, 0, ReadoutRow(picture.width, picture.height, row));
    }
    const Box upper{0, 0, picture.width, 2 * picture.height / 3};
    findings.sky = CountNear(picture, kSky, kBallTolerance, upper);
    findings.ground = CountNear(picture, kGround, kBallTolerance, upper);
    return findings;
}

std::vector<std::string> Problems(const Picture& picture, const PageFindings& findings, bool expectBall) {
    std::vector<std::string> problems;
    for (int row = 0; row < 8; ++row) {
        if (findings.readoutInk[row] < kMinInkPerRow) {
            problems.push_back("readout row " + std::to_string(row + 1) + " has " +
                               std::to_string(findings.readoutInk[row]) + " text pixels, fewer than " +
                               std::to_string(kMinInkPerRow));
        }
    }
    if (!expectBall) return problems;
    const std::uint64_t least = std::uint64_t{picture.width} * (2 * picture.height / 3) / kMinBallShareDivisor;
    if (findings.sky < least || least == 0) {
        problems.push_back("the upper two thirds have " + std::to_string(findings.sky) + " sky pixels, fewer than " +
                           std::to_string(least));
    }
    if (findings.ground < least || least == 0) {
        problems.push_back("the upper two thirds have " + std::to_string(findings.ground) +
                           " ground pixels, fewer than " + std::to_string(least));
    }
    return problems;
}

std::string Describe(const PageFindings& findings) {
    std::ostringstream text;
    text << "readout text pixels";
    for (const std::uint64_t ink : findings.readoutInk) text << ' ' << ink;
    text << "; sky " << findings.sky << ", ground " << findings.ground;
    return text.str();
}

}  // namespace quorvel::test
