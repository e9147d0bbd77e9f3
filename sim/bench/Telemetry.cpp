#include "sim/bench/Telemetry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string_view>

#include "sim/bench/FieldLimits.h"
#include "sim/bench/InputFile.h"
#include "sim/bench/MessageText.h"
#include "sim/flight/Angles.h"

namespace quorvel::sim {

namespace {

// How a replay blends a column between two records.
enum class Blend { Linear, Hold, Angle };

// What a column's value is, for its limits: a number in the limits' unit,
// an angle in radians against limits in degrees, or a flag (0 or 1).
enum class Kind { Number, Radians, Flag };

// One column: its name, how a state gives it and how it takes it back,
// and the values it may hold (FieldLimits.h, as a scenario's).
struct Column {
    const char* name;
    double (*get)(const VesselState&);
    void (*set)(VesselState&, double);
    Range range;
    Kind kind = Kind::Number;
    Blend blend = Blend::Linear;
};

PropellantTank& Tank(VesselState& s, std::size_t i) {
    if (s.tanks.size() <= i) s.tanks.resize(i + 1);
    return s.tanks[i];
}
double TankMass(const VesselState& s, std::size_t i) { return i < s.tanks.size() ? s.tanks[i].mass : 0; }
double TankMax(const VesselState& s, std::size_t i) { return i < s.tanks.size() ? s.tanks[i].maxMass : 0; }
Thruster& MainThruster(VesselState& s) {
    if (s.thrusters.empty()) s.thrusters.resize(1);
    return s.thrusters[0];
}

#define QUORVEL_SCALAR(name, field, ...)                                                                  \
    Column {                                                                                               \
        name, [](const VesselState& s) { return s.field; }, [](VesselState& s, double v) { s.field = v; }, \
            __VA_ARGS__                                                                                    \
    }

constexpr Column kColumns[] = {
    QUORVEL_SCALAR("altitude_m", altitude, kAltitudeM),
    QUORVEL_SCALAR("airspeed_mps", airspeed, kSpeedMps),
    QUORVEL_SCALAR("mach", mach, kMach),
    QUORVEL_SCALAR("density_kgpm3", atmDensity, kDensityKgpm3),
    QUORVEL_SCALAR("pressure_pa", atmPressure, kPressurePa),
    QUORVEL_SCALAR("pitch_rad", pitch, kPitchDeg, Kind::Radians),
    QUORVEL_SCALAR("bank_rad", bank, kBankDeg, Kind::Radians),
    QUORVEL_SCALAR("heading_rad", heading, kHeadingDeg, Kind::Radians, Blend::Angle),
    QUORVEL_SCALAR("aoa_rad", aoa, kBankDeg, Kind::Radians),
    QUORVEL_SCALAR("slip_rad", slip, kBankDeg, Kind::Radians),
    QUORVEL_SCALAR("ship_airspeed_x_mps", shipAirspeed.x, kSpeedComponentMps),
    QUORVEL_SCALAR("ship_airspeed_y_mps", shipAirspeed.y, kSpeedComponentMps),
    QUORVEL_SCALAR("ship_airspeed_z_mps", shipAirspeed.z, kSpeedComponentMps),
    QUORVEL_SCALAR("horizon_airspeed_x_mps", horizonAirspeed.x, kSpeedComponentMps),
    QUORVEL_SCALAR("horizon_airspeed_y_mps", horizonAirspeed.y, kSpeedComponentMps),
    QUORVEL_SCALAR("horizon_airspeed_z_mps", horizonAirspeed.z, kSpeedComponentMps),
    QUORVEL_SCALAR("angular_velocity_x_radps", angularVelocity.x, kBodyRateDegps, Kind::Radians),
    QUORVEL_SCALAR("angular_velocity_y_radps", angularVelocity.y, kBodyRateDegps, Kind::Radians),
    QUORVEL_SCALAR("angular_velocity_z_radps", angularVelocity.z, kBodyRateDegps, Kind::Radians),
    QUORVEL_SCALAR("position_x_m", position.x, kPositionComponentM),
    QUORVEL_SCALAR("position_y_m", position.y, kPositionComponentM),
    QUORVEL_SCALAR("position_z_m", position.z, kPositionComponentM),
    QUORVEL_SCALAR("velocity_x_mps", velocity.x, kSpeedComponentMps),
    QUORVEL_SCALAR("velocity_y_mps", velocity.y, kSpeedComponentMps),
    QUORVEL_SCALAR("velocity_z_mps", velocity.z, kSpeedComponentMps),
    QUORVEL_SCALAR("engine_level", mainEngineLevel, kFraction),
    Column{"landed", [](const VesselState& s) { return s.landed ? 1.0 : 0.0; },
           [](VesselState& s, double v) { s.landed = v != 0; }, kFraction, Kind::Flag, Blend::Hold},
    Column{"apoapsis_m", [](const VesselState& s) { return s.hasApoapsis ? s.apoapsisDistance : std::nan(""); },
           [](VesselState& s, double v) {
               s.hasApoapsis = !std::isnan(v);
               s.apoapsisDistance = s.hasApoapsis ? v : 0;
           },
           kApoapsisM},
    Column{"main_propellant_kg", [](const VesselState& s) { return TankMass(s, 0); },
           [](VesselState& s, double v) { Tank(s, 0).mass = v; }, kTankKg},
    Column{"main_propellant_max_kg", [](const VesselState& s) { return TankMax(s, 0); },
           [](VesselState& s, double v) { Tank(s, 0).maxMass = v; }, kTankKg},
    Column{"rcs_propellant_kg", [](const VesselState& s) { return TankMass(s, 1); },
           [](VesselState& s, double v) { Tank(s, 1).mass = v; }, kTankKg},
    Column{"rcs_propellant_max_kg", [](const VesselState& s) { return TankMax(s, 1); },
           [](VesselState& s, double v) { Tank(s, 1).maxMass = v; }, kTankKg},
    Column{"main_thrust_n", [](const VesselState& s) { return s.thrusters.empty() ? 0.0 : s.thrusters[0].maxThrust; },
           [](VesselState& s, double v) { MainThruster(s).maxThrust = v; }, kThrustN},
    Column{"main_exhaust_velocity_mps",
           [](const VesselState& s) { return s.thrusters.empty() ? 0.0 : s.thrusters[0].exhaustVelocity; },
           [](VesselState& s, double v) { MainThruster(s).exhaustVelocity = v; },
           // 0 for a vessel with no engine, which a scenario cannot give.
           NonNegative(kExhaustVelocityMps.max)},
};

#undef QUORVEL_SCALAR

constexpr const char* kTimeColumn = "time_s";
// Its value may be empty: the orbit has no apoapsis.
constexpr std::size_t kApoapsisColumn = 27;
static_assert(std::string_view(kColumns[kApoapsisColumn].name) == "apoapsis_m");
constexpr const char* kNoApoapsis = "";

std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream stream(line);
    while (std::getline(stream, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

std::string Trim(std::string text) {
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    return text;
}

// Editors on Windows may start a CSV file with one.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr long kRowsPerCheckpoint = 256;
// A row is under a kilobyte; a longer line is no log's (/dev/zero's, say).
constexpr std::size_t kMaxLineBytes = std::size_t{1} << 22;
constexpr std::size_t kFieldCount = std::size(kColumns) + 1;  // the time, then kColumns

const char* FieldName(std::size_t field) { return field == 0 ? kTimeColumn : kColumns[field - 1].name; }

// The header: where each field is in a row (every one must be there, in
// any order, once), and how many columns a row may have.
struct Header {
    std::vector<std::size_t> placeOf;
    std::size_t columns = 0;
};

Header ReadHeader(std::string line, const std::string& path) {
    if (line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
    const std::vector<std::string> names = SplitCsv(line);
    Header header{std::vector<std::size_t>(kFieldCount, names.size()), names.size()};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = Trim(names[i]);
        for (std::size_t field = 0; field < kFieldCount; ++field) {
            if (name != FieldName(field)) continue;
            std::size_t& place = header.placeOf[field];
            // Which of the two a reader meant, nobody can tell.
            if (place != names.size()) {
                throw InputError(path, 1, name,
                                 "column given twice: columns " + std::to_string(place + 1) + " and " +
                                     std::to_string(i + 1));
            }
            place = i;
        }
    }
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        if (header.placeOf[field] == names.size()) {
            throw InputError(path, 1, FieldName(field), "column missing from the header");
        }
    }
    return header;
}

// Throws unless the value is one a scenario could give for the column.
void CheckLimits(const Column& column, double value, const std::string& text, const std::string& path, long line) {
    const Range& range = column.range;
    const std::string given = ", not " + Excerpt(text);
    switch (column.kind) {
        case Kind::Flag:
            if (value != 0 && value != 1) throw InputError(path, line, column.name, "must be 0 or 1" + given);
            return;
        case Kind::Radians: {
            using flight::kRadiansPerDegree;
            const Range radians{range.min * kRadiansPerDegree, range.max * kRadiansPerDegree, range.aboveMin};
            if (!InRange(value, radians)) {
                throw InputError(path, line, column.name,
                                 "must be " + RangeText(range) + " degrees in radians" + given);
            }
            return;
        }
        case Kind::Number:
            if (!InRange(value, range)) {
                throw InputError(path, line, column.name, "must be " + RangeText(range) + given);
            }
            return;
    }
}

// One field's value: a finite number within its limits, or NaN for an
// empty apoapsis.
double FieldValue(const std::string& text, std::size_t field, const std::string& path, long line) {
    double value = std::nan("");
    if (text.empty() && field == kApoapsisColumn + 1) return value;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = end == text.data() + text.size() && !text.empty();
    if (whole && error == std::errc::result_out_of_range) {
        throw InputError(path, line, FieldName(field), "\"" + Excerpt(text) + "\" is out of range for a number");
    }
    if (error != std::errc{} || !whole) {
        throw InputError(path, line, FieldName(field), "\"" + Excerpt(text) + "\" is not a number");
    }
    // A recorder's nan or inf is no state to show.
    if (!std::isfinite(value)) throw InputError(path, line, FieldName(field), "must be a finite number");
    if (field == 0 && std::fabs(value) > kMaxLogTimeS) {
        throw InputError(path, line, kTimeColumn, "must be -1000000000 to 1000000000, not " + Excerpt(text));
    }
    if (field > 0) CheckLimits(kColumns[field - 1], value, text, path, line);
    return value;
}

// As a scenario's start: no tank holds more than it takes.
void CheckTanks(const VesselState& state, const std::string& path, long line) {
    const char* names[2][2] = {{"main_propellant_kg", "main_propellant_max_kg"},
                               {"rcs_propellant_kg", "rcs_propellant_max_kg"}};
    for (std::size_t tank = 0; tank < 2; ++tank) {
        if (TankMass(state, tank) <= TankMax(state, tank)) continue;
        throw InputError(path, line, names[tank][0],
                         "must be 0 to " + NumberText(TankMax(state, tank)) + " (" + names[tank][1] + "), not " +
                             NumberText(TankMass(state, tank)));
    }
}

TelemetryRecord ReadRecord(const std::string& line, const Header& header, const TelemetryRecord* previous,
                           const std::string& path, long lineNumber) {
    const std::vector<std::string> fields = SplitCsv(line);
    if (fields.size() > header.columns) {
        throw InputError(path, lineNumber, "column " + std::to_string(header.columns + 1),
                         "a value beyond the header's " + std::to_string(header.columns) + " columns");
    }
    TelemetryRecord record;
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        const std::size_t place = header.placeOf[field];
        if (place >= fields.size()) throw InputError(path, lineNumber, FieldName(field), "missing value");
        const double value = FieldValue(Trim(fields[place]), field, path, lineNumber);
        if (field > 0) {
            kColumns[field - 1].set(record.state, value);
        } else if (previous != nullptr && value <= previous->timeS) {
            throw InputError(path, lineNumber, kTimeColumn, "time must increase from row to row");
        } else {
            record.timeS = value;
        }
    }
    CheckTanks(record.state, path, lineNumber);
    // As the flight model's vessel: no airspeed vectors outside the air,
    // and RCS thrusters on the RCS tank when there is one.
    record.state.hasAirspeedVectors = record.state.atmDensity > 0;
    if (TankMax(record.state, 1) > 0) {
        record.state.thrusters.resize(2);
        record.state.thrusters[1].tank = 1;
    }
    return record;
}

}  // namespace

void WriteTelemetryHeader(std::ostream& out) {
    out << kTimeColumn;
    for (const Column& column : kColumns) out << ',' << column.name;
    out << '\n';
}

void WriteTelemetryRow(std::ostream& out, double timeS, const VesselState& state) {
    char number[32];
    const auto write = [&](double value) {
        const auto [end, error] = std::to_chars(number, number + sizeof number, value);
        out.write(number, error == std::errc{} ? end - number : 0);
    };
    write(timeS);
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        out << ',';
        const double value = kColumns[c].get(state);
        if (std::isnan(value) && c == kApoapsisColumn) {
            out << kNoApoapsis;
        } else {
            write(value);
        }
    }
    out << '\n';
}

std::vector<TelemetryRecord> ReadTelemetryLog(const std::string& path, const std::function<void()>& checkpoint) {
    std::ifstream in = OpenInput(path, "the replay log");
    std::string line;
    if (!ReadLine(in, line, kMaxLineBytes, path, 1)) {
        throw InputError(path, 1, "", "empty file: expected a header line");
    }
    const Header header = ReadHeader(line, path);

    std::vector<TelemetryRecord> log;
    for (long lineNumber = 2; ReadLine(in, line, kMaxLineBytes, path, lineNumber); ++lineNumber) {
        if (lineNumber % kRowsPerCheckpoint == 0) checkpoint();
        if (Trim(line).empty()) continue;
        log.push_back(ReadRecord(line, header, log.empty() ? nullptr : &log.back(), path, lineNumber));
    }
    if (log.empty()) throw InputError(path, 1, "", "no rows after the header");
    return log;
}

const char* FirstNonFinite(const VesselState& state) {
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        const double value = kColumns[c].get(state);
        if (std::isfinite(value) || (c == kApoapsisColumn && std::isnan(value) && !state.hasApoapsis)) continue;
        return kColumns[c].name;
    }
    return nullptr;
}

void ReplayState(const std::vector<TelemetryRecord>& log, double timeS, VesselState& state) {
    if (log.empty()) return;
    const auto later = std::upper_bound(log.begin(), log.end(), timeS,
                                        [](double t, const TelemetryRecord& r) { return t < r.timeS; });
    if (later == log.begin()) {
        state = log.front().state;
        return;
    }
    const TelemetryRecord& before = *(later - 1);
    state = before.state;
    if (later == log.end()) return;
    const double f = (timeS - before.timeS) / (later->timeS - before.timeS);
    using flight::kTurnRad;
    for (const Column& column : kColumns) {
        const double a = column.get(before.state);
        const double b = column.get(later->state);
        // A value missing on either side (no apoapsis) is held.
        if (column.blend == Blend::Hold || std::isnan(a) || std::isnan(b)) continue;
        if (column.blend == Blend::Angle) {
            // The short way round, back into one turn; each side taken into
            // a turn first, so that no difference overflows.
            const double shortWay = std::remainder(std::remainder(b, kTurnRad) - std::remainder(a, kTurnRad), kTurnRad);
            const double blended = std::fmod(a + shortWay * f, kTurnRad);
            column.set(state, blended < 0 ? blended + kTurnRad : blended);
            continue;
        }
        // Exactly a at f = 0, so that a replay at a record's time gives the
        // record (-0 included); and no overflow between the largest values.
        column.set(state, f == 0 ? a : std::lerp(a, b, f));
    }
}

}  // namespace quorvel::sim
