// compare-gdi-corpus: the GDI corpus as the platform draws it against the
// same corpus drawn by Windows' GDI (under Wine), scene by scene, exactly.
//
//   compare-gdi-corpus [--all] [--expect LIST] [--picture FILE] OURS THEIRS
//
// OURS and THEIRS are folders gdi-corpus wrote. Prints for each kind of
// scene how many agree; for the first scene that differs, its map of
// differing pixels, and with --picture a PNG of both images and their
// difference. --all lists every differing scene. LIST names scenes known
// to differ, one a line ('#' starts a comment). Exit status 0 when every
// scene agrees but those listed, which all differ; 1 when another differs
// or is missing, or a listed one agrees; 2 on a bad command line.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>

#include "tests/pictures/PictureDiff.h"

namespace fs = std::filesystem;
using namespace quorvel::test;

namespace {

struct Tally {
    int scenes = 0;
    int agree = 0;
    int known = 0;  // listed as known to differ, and differing
};

std::set<std::string> ReadList(const fs::path& file, bool& read) {
    std::set<std::string> names;
    std::ifstream in(file);
    read = static_cast<bool>(in);
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        while (!line.empty() && line.back() == ' ') line.pop_back();
        if (!line.empty()) names.insert(line);
    }
    return names;
}

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
    std::string expectPath;
    std::vector<fs::path> dirs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--all") {
            all = true;
        } else if (arg == "--expect" && i + 1 < argc) {
            expectPath = argv[++i];
        } else if (arg == "--picture" && i + 1 < argc) {
            picturePath = argv[++i];
        } else if (!arg.empty() && arg[0] != '-') {
            dirs.emplace_back(arg);
        } else {
            dirs.clear();
            break;
        }
    }
    bool listRead = true;
    const std::set<std::string> known = expectPath.empty() ? std::set<std::string>{} : ReadList(expectPath, listRead);
    if (dirs.size() != 2 || !fs::is_directory(dirs[0]) || !fs::is_directory(dirs[1]) || !listRead) {
        std::cerr << "usage: compare-gdi-corpus [--all] [--expect LIST] [--picture FILE] OURS THEIRS "
                     "(two gdi-corpus folders)\n";
        return 2;
    }

    std::map<std::string, Tally> kinds;
    bool shownFirst = false;
    int unexpected = 0;
    // Returns whether to show the scene's difference in full.
    const auto differs = [&](Tally& tally, const std::string& scene, const std::string& why) {
        const bool listed = known.count(scene) > 0;
        tally.known += listed;
        unexpected += !listed;
        const bool first = !shownFirst;
        if (all || first) std::cout << "differs" << (listed ? " (known)" : "") << ": " << scene << ": " << why << "\n";
        shownFirst = true;
        return first;
    };
    const auto agrees = [&](Tally& tally, const std::string& scene) {
        ++tally.agree;
        if (known.count(scene) == 0) return;
        std::cout << "agrees, though listed as known to differ: " << scene << "\n";
        ++unexpected;
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
            differs(tally, scene, std::string("missing from ") + (ours ? "theirs" : "ours"));
            continue;
        }
        const PictureDiff diff = Compare(*ours, *theirs);
        if (diff.sameSize && diff.differing == 0) {
            agrees(tally, scene);
            continue;
        }
        const bool first = differs(tally, scene,
                                   diff.sameSize ? std::to_string(diff.differing) + " pixels ('a' ours, 'b' theirs)"
                                                 : std::string("sizes differ"));
        if (first) {
            PrintDiffMap(std::cout, *ours, *theirs, diff, 100);
            if (!picturePath.empty() && WriteDiffPicture(picturePath, *ours, *theirs, {}, 4)) {
                std::cout << "  ours, theirs and the difference: " << picturePath << "\n";
            }
        }
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
            agrees(tally, scene);
            continue;
        }
        differs(tally, scene, "ours \"" + ourFact + "\", theirs \"" + theirFact + "\"");
    }

    int scenesTotal = 0;
    int agreeTotal = 0;
    for (const auto& [kind, tally] : kinds) {
        std::cout << kind << ": " << tally.agree << " of " << tally.scenes << " scenes agree";
        if (tally.known > 0) std::cout << " (" << tally.known << " known to differ)";
        std::cout << "\n";
        scenesTotal += tally.scenes;
        agreeTotal += tally.agree;
    }
    std::cout << "compare-gdi-corpus: " << agreeTotal << " of " << scenesTotal << " scenes agree; " << unexpected
              << " not as the list of known differences says\n";
    return unexpected == 0 && scenesTotal > 0 ? 0 : 1;
}
