// compare-gdi-corpus: the GDI corpus as the platform draws it against the
// same corpus drawn by Windows' GDI (under Wine), scene by scene, exactly.
//
//   compare-gdi-corpus [--all] [--picture FILE] OURS THEIRS
//
// OURS and THEIRS are folders gdi-corpus wrote. Prints for each kind of
// scene how many agree; for the first scene that differs, its map of
// differing pixels, and with --picture a PNG of both images and their
// difference. --all lists every differing scene. Exit status 0 when every
// scene agrees, 1 when one differs or is missing, 2 on a bad command line.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>

#include "tests/pictures/PictureDiff.h"

namespace fs = std::filesystem;
using namespace quorvel::pictures;

namespace {

struct Tally {
    int scenes = 0;
    int agree = 0;
};

std::string KindOf(const std::string& scene) { return scene.substr(0, scene.find('-')); }

// The scenes' facts: "scene: fact" per line.
std::map<std::string, std::string> ReadFacts(const fs::path& file) {
    std::map<std::string, std::string> facts;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos) facts[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return facts;
}

std::set<std::string> PictureScenes(const fs::path& dir) {
    std::set<std::string> scenes;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() == ".png") scenes.insert(entry.path().stem().string());
    }
    return scenes;
}

}  // namespace

int main(int argc, char** argv) {
    bool all = false;
    std::string picturePath;
    std::vector<fs::path> dirs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--all") {
            all = true;
        } else if (arg == "--picture" && i + 1 < argc) {
            picturePath = argv[++i];
        } else if (!arg.empty() && arg[0] != '-') {
            dirs.emplace_back(arg);
        } else {
            dirs.clear();
            break;
        }
    }
    if (dirs.size() != 2 || !fs::is_directory(dirs[0]) || !fs::is_directory(dirs[1])) {
        std::cerr << "usage: compare-gdi-corpus [--all] [--picture FILE] OURS THEIRS (two gdi-corpus folders)\n";
        return 2;
    }

    std::map<std::string, Tally> kinds;
    bool shownFirst = false;
    const auto differs = [&](const std::string& scene, const std::string& why) {
        if (all || !shownFirst) std::cout << "differs: " << scene << ": " << why << "\n";
    };

    std::set<std::string> scenes = PictureScenes(dirs[0]);
    scenes.merge(PictureScenes(dirs[1]));
    for (const std::string& scene : scenes) {
        Tally& tally = kinds[KindOf(scene)];
        ++tally.scenes;
        std::string error;
        const auto ours = ReadPicture((dirs[0] / (scene + ".png")).string(), error);
        const auto theirs = ReadPicture((dirs[1] / (scene + ".png")).string(), error);
        if (!ours || !theirs) {
            differs(scene, std::string("missing from ") + (ours ? "theirs" : "ours"));
            shownFirst = true;
            continue;
        }
        const PictureDiff diff = Compare(*ours, *theirs);
        if (diff.sameSize && diff.differing == 0) {
            ++tally.agree;
            continue;
        }
        differs(scene, diff.sameSize ? std::to_string(diff.differing) + " pixels ('a' ours, 'b' theirs)"
                                     : std::string("sizes differ"));
        if (!shownFirst) {
            PrintDiffMap(std::cout, *ours, *theirs, diff, 100);
            if (!picturePath.empty() && WriteDiffPicture(picturePath, *ours, *theirs, {}, 4)) {
                std::cout << "  ours, theirs and the difference: " << picturePath << "\n";
            }
        }
        shownFirst = true;
    }

    const auto ourFacts = ReadFacts(dirs[0] / "facts.txt");
    const auto theirFacts = ReadFacts(dirs[1] / "facts.txt");
    std::set<std::string> factScenes;
    for (const auto* facts : {&ourFacts, &theirFacts}) {
        for (const auto& entry : *facts) factScenes.insert(entry.first);
    }
    for (const std::string& scene : factScenes) {
        Tally& tally = kinds[KindOf(scene) + " facts"];
        ++tally.scenes;
        const auto ours = ourFacts.find(scene);
        const auto theirs = theirFacts.find(scene);
        const std::string ourFact = ours != ourFacts.end() ? ours->second : "(none)";
        const std::string theirFact = theirs != theirFacts.end() ? theirs->second : "(none)";
        if (ours != ourFacts.end() && theirs != theirFacts.end() && ourFact == theirFact) {
            ++tally.agree;
            continue;
        }
        differs(scene, "ours \"" + ourFact + "\", theirs \"" + theirFact + "\"");
        shownFirst = true;
    }

    int scenesTotal = 0;
    int agreeTotal = 0;
    for (const auto& [kind, tally] : kinds) {
        std::cout << kind << ": " << tally.agree << " of " << tally.scenes << " scenes agree\n";
        scenesTotal += tally.scenes;
        agreeTotal += tally.agree;
    }
    std::cout << "compare-gdi-corpus: " << agreeTotal << " of " << scenesTotal << " scenes agree\n";
    return agreeTotal == scenesTotal && scenesTotal > 0 ? 0 : 1;
}
