#include "sim/bench/BenchOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::sim {
namespace {

std::optional<BenchOptions> Parse(std::vector<std::string> words, int& exitCode) {
    words.insert(words.begin(), "quorvel-sim");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    return ParseBenchOptions(static_cast<int>(argv.size()), argv.data(), exitCode);
}

TEST(BenchOptionsTest, NothingGivenLeavesTheScenariosOwn) {
    int exitCode = -1;
    const auto options = Parse({}, exitCode);
    ASSERT_TRUE(options);
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(options->mfds.empty());
    EXPECT_FALSE(options->durationS);
    EXPECT_FALSE(options->frameEveryS);
    EXPECT_FALSE(options->repaintEveryS);
    EXPECT_EQ(options->scenarioPath, "");
    EXPECT_EQ(options->replayPath, "");
    EXPECT_EQ(options->outDir, "out");

    const auto given = Parse({"--scenario", "a.toml", "--replay", "b.csv", "--frame-every", "2"}, exitCode);
    ASSERT_TRUE(given);
    EXPECT_EQ(given->scenarioPath, "a.toml");
    EXPECT_EQ(given->replayPath, "b.csv");
    EXPECT_EQ(given->frameEveryS, 2);
}

TEST(BenchOptionsTest, RepeatedMfdsOpenOnePageEach) {
    int exitCode = -1;
    const auto options = Parse({"--mfd", "256x256", "--mfd", "400x300", "--duration", "12.5"}, exitCode);
    ASSERT_TRUE(options);
    ASSERT_EQ(options->mfds.size(), 2u);
    EXPECT_EQ(options->mfds[1].width, 400u);
    EXPECT_EQ(options->mfds[1].height, 300u);
    EXPECT_EQ(options->durationS, 12.5);
}

TEST(BenchOptionsTest, BadValuesExitWithStatusTwo) {
    for (const auto& words : std::vector<std::vector<std::string>>{
             {"--duration", "-1"}, {"--duration", "abc"}, {"--mfd", "400"}, {"--mfd", "0x10"},
             {"--mfd", "70000x10"}, {"--mfd", "10x10x"}, {"--bogus"}, {"--repaint-every", "0"},
             {"--scenario"}, {"--out", ""}, {"--scenario", ""}, {"--replay", ""}, {"--video", ""}}) {
        int exitCode = -1;
        EXPECT_FALSE(Parse(words, exitCode)) << words[0];
        EXPECT_EQ(exitCode, 2) << words[0];
    }
}

TEST(BenchOptionsTest, MfdSizeText) {
    EXPECT_TRUE(ParseMfdSize("1x65535"));
    EXPECT_FALSE(ParseMfdSize("x"));
    EXPECT_FALSE(ParseMfdSize("-4x4"));
    EXPECT_FALSE(ParseMfdSize(" 4x4"));
}

}  // namespace
}  // namespace quorvel::sim
