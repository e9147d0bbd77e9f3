// check-page-pictures: whether the bench host's pictures show the page.
//
//   check-page-pictures PATH...
//
// Each PATH is a PNG or a directory of them; each picture must show the
// readouts and the attitude ball. Exit status 0 when every picture shows
// the page, 1 when one does not or there is none, 2 on a bad command line.

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tests/pictures/PagePictures.h"

namespace fs = std::filesystem;
using namespace quorvel::test;

int main(int argc, char** argv) {
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!arg.empty() && arg[0] == '-') {
            std::cerr << "check-page-pictures: unknown option " << arg << "\nusage: check-page-pictures PATH...\n";
            return 2;
        } else if (fs::is_directory(arg)) {
            for (const auto& entry : fs::directory_iterator(arg)) {
                // The MFD pictures only: a folder also holds contact sheets.
                const std::string name = entry.path().filename().string();
                if (entry.path().extension() == ".png" && name.rfind("mfd", 0) == 0) files.push_back(entry.path());
            }
        } else {
            files.emplace_back(arg);
        }
    }
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "check-page-pictures: no pictures to check\n";
        return 1;
    }

    int failed = 0;
    for (const fs::path& file : files) {
        std::string error;
        Picture picture;
        if (!ReadPng(file, picture, &error)) {
            std::cout << file.string() << ": cannot read: " << error << "\n";
            ++failed;
            continue;
        }
        const PageFindings findings = Inspect(picture);
        const std::vector<std::string> problems = Problems(picture, findings, true);
        std::cout << file.string() << ": " << Describe(findings) << (problems.empty() ? ": shows the page" : "") << "\n";
        for (const std::string& problem : problems) std::cout << "  " << problem << "\n";
        failed += !problems.empty();
    }
    std::cout << files.size() - static_cast<std::size_t>(failed) << " pictures show the page and the attitude ball, "
              << failed << " do not\n";
    return failed == 0 ? 0 : 1;
}
