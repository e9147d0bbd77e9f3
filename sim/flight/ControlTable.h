// Controls scripted as a table of rows (time, pitch, roll, yaw, throttle),
// for scenario files. Between rows the controls are interpolated linearly;
// before the first row and after the last they hold; two rows at the same
// time make a step there.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "sim/flight/ControlInputs.h"

namespace quorvel::flight {

struct ControlPoint {
    double timeS = 0;
    ControlInputs controls;
};

class ControlTable {
public:
    ControlTable() = default;
    // Rows in any order; equal times keep the order given. Rows with a
    // time that is not finite are dropped.
    explicit ControlTable(std::vector<ControlPoint> points);

    // Neutral controls with the engine off when the table is empty.
    ControlInputs At(double timeS) const;
    const std::vector<ControlPoint>& Points() const { return points; }

private:
    std::vector<ControlPoint> points;
};

// Reads a table as text: one row per line, five numbers separated by
// blanks or commas; '#' starts a comment, blank lines are skipped. On a
// malformed line returns nothing and says which line in `error`.
std::optional<ControlTable> ParseControlTable(std::istream& in, std::string& error);

}  // namespace quorvel::flight
