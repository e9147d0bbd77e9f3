// Runs the bench host as a user does, from a shell, and reads back what it
// wrote: exit status, the two streams, PNG files.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sim/bench/Telemetry.h"
#include "tests/support/PngReader.h"

namespace quorvel::test {

struct BenchResult {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out;
    std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A folder of its own for each test, emptied first; of its own process too,
// so that test runs side by side (of other checkouts) leave each other be.
inline std::filesystem::path TestFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto dir = std::filesystem::temp_directory_path() / ("quorvel-bench-tests-" + std::to_string(getpid())) /
                     (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

// A test with a folder of its own, and the output folder a run makes in it;
// the folder is kept only when the test fails.
class BenchFolderTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code error;
        if (!HasFailure()) std::filesystem::remove_all(dir, error);
    }

    std::filesystem::path dir = TestFolder();
    std::filesystem::path out = dir / "out";
};

// A RunBench prefix that sends the run SIGsignal once a file matching glob
// is in dir (or after a minute), so that the signal lands at a known point
// of the run however loaded the machine is.
inline std::string SignalOnceThere(const std::string& signal, const std::filesystem::path& dir,
                                   const std::string& glob) {
    return "sh -c 'sig=$1; dir=$2; glob=$3; shift 3; \"$@\" & run=$!; tries=0; "
           "until ls \"$dir\"/$glob >/dev/null 2>&1 || [ $tries -ge 600 ]; do sleep 0.1; tries=$((tries + 1)); "
           "done; kill -$sig $run; wait $run' sh " +
           signal + " " + Quote(dir.string()) + " " + Quote(glob);
}

// quorvel-sim with the test module and the given arguments; `prefix` goes
// before the command (an environment, `timeout ...`).
inline BenchResult RunBench(const std::vector<std::string>& args, const std::filesystem::path& dir,
                            const std::string& prefix = "") {
    std::string command = prefix + " " + Quote(QUORVEL_SIM_PATH);
    bool hasModule = false;
    for (const std::string& arg : args) hasModule = hasModule || arg == "--module";
    if (!hasModule) command += " --module " + Quote(QUORVEL_MODULE_PATH);
    for (const std::string& arg : args) command += " " + Quote(arg);
    const auto out = dir / "stdout.txt", err = dir / "stderr.txt";
    command += " >" + Quote(out.string()) + " 2>" + Quote(err.string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    BenchResult result;
    result.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

// The file names in a folder, sorted.
inline std::vector<std::string> Names(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline std::size_t CountLines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A replay log with one record at each time, in the order given.
inline std::string ReplayLogText(const std::vector<std::string>& times) {
    std::ostringstream log;
    sim::WriteTelemetryHeader(log);
    for (const std::string& time : times) {
        std::ostringstream row;
        sim::WriteTelemetryRow(row, 0, sim::VesselState{});
        log << time << row.str().substr(1);
    }
    return log.str();
}

// What a run that ended early may leave in its folder: whole pictures of
// MFD 0 and nothing else, no sheet, log or partial file.
inline void ExpectOnlyWholePictures(const std::filesystem::path& dir) {
    for (const std::string& name : Names(dir)) {
        EXPECT_EQ(name.rfind("mfd0_", 0), 0u) << name;
        EXPECT_EQ(name.find(".partial"), std::string::npos) << name;
        Png png;
        EXPECT_TRUE(ReadPng(dir / name, png)) << name;
    }
}

}  // namespace quorvel::test
