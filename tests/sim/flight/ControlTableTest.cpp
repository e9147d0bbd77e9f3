#include "sim/flight/ControlTable.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "sim/flight/DefaultFlight.h"

namespace quorvel::flight {
namespace {

TEST(ControlTableTest, InterpolatesBetweenRowsHoldsOutsideAndStepsAtRepeatedTimes) {
    const ControlTable table({
        {10, {1, 0, 0, 1}},
        {0, {0, 0, 0, 0}},
        {10, {0, -1, 0, 0.5}},  // after the first row at 10: a step there
        {20, {0, 0, 1, 0.5}},
    });
    EXPECT_DOUBLE_EQ(table.At(-5).pitch, 0);
    EXPECT_DOUBLE_EQ(table.At(2.5).pitch, 0.25);
    EXPECT_DOUBLE_EQ(table.At(2.5).throttle, 0.25);
    EXPECT_DOUBLE_EQ(table.At(9.999).pitch, 0.9999);
    EXPECT_DOUBLE_EQ(table.At(10).pitch, 0);
    EXPECT_DOUBLE_EQ(table.At(10).roll, -1);
    EXPECT_DOUBLE_EQ(table.At(15).roll, -0.5);
    EXPECT_DOUBLE_EQ(table.At(15).yaw, 0.5);
    EXPECT_DOUBLE_EQ(table.At(99).yaw, 1);
    EXPECT_DOUBLE_EQ(table.At(std::numeric_limits<double>::quiet_NaN()).yaw, 1);
    EXPECT_DOUBLE_EQ(ControlTable{}.At(3).throttle, 0);
}

TEST(ControlTableTest, ReadsRowsWithBlanksCommasAndComments) {
    std::istringstream text(
        "# time pitch roll yaw throttle\n"
        "0 0 0 0 1\n"
        "\n"
        "5, 0.5, 0, 0, 1   # pull up\n"
        "  \t\n"
        "8 0 0 0 0\n");
    std::string error = "stale";
    const auto table = ParseControlTable(text, error);
    ASSERT_TRUE(table) << error;
    EXPECT_TRUE(error.empty());
    ASSERT_EQ(table->Points().size(), 3u);
    EXPECT_DOUBLE_EQ(table->At(6.5).pitch, 0.25);
    EXPECT_DOUBLE_EQ(table->At(6.5).throttle, 0.5);
}

TEST(ControlTableTest, NamesTheFirstMalformedLine) {
    for (const char* bad : {"0 0 0 0 1\n1 0 0 0\n", "0 0 0 0 1\n1 0 0 0 1 7\n", "0 0 0 0 1\n1 0 x 0 1\n"}) {
        std::istringstream text(bad);
        std::string error;
        EXPECT_FALSE(ParseControlTable(text, error)) << bad;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(ControlTableTest, FliesTheModelAsAControlLaw) {
    const ControlTable table({{0, {0, 0, 0, 1}}, {1, {0, 0, 0, 1}}, {1, {0, 0, 0, 0}}});
    const ControlLaw law = [&table](double t, const FlightModel&) { return table.At(t); };
    FlightModel model = DefaultFlightStart();
    const double full = model.State().mainPropellantKg;
    while (model.TimeS() < 2 - 1e-9) model.Step(law(model.TimeS(), model));
    EXPECT_EQ(model.Readings().engineLevel, 0.0);
    EXPECT_NEAR(full - model.State().mainPropellantKg, 262000.0 / 2736.0, 1e-6) << "one second of full thrust";
    EXPECT_GT(model.Readings().airspeedMps, 10);
}

}  // namespace
}  // namespace quorvel::flight
