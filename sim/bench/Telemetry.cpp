#include "sim/bench/Telemetry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string_view>

#include "sim/bench/MessageText.h"
#include "sim/flight/Angles.h"

namespace quorvel::sim {

namespace {

// How a replay blends a column between two records.
enum class Blend { Linear, Hold, Angle };

// One column: its name, how a state gives it and how it takes it back.
struct Column {
    const char* name;
    double (*get)(const VesselState&);
    void (*set)(VesselState&, double);
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

#define QUORVEL_SCALAR(name, field) \
    Column { name, [](const VesselState& s) { return s.field; }, [](VesselState& s, double v) { s.field = v; } }

constexpr Column kColumns[] = {
    QUORVEL_SCALAR("altitude_m", altitude),
    QUORVEL_SCALAR("airspeed_mps", airspeed),
    QUORVEL_SCALAR("mach", mach),
    QUORVEL_SCALAR("density_kgpm3", atmDensity),
    QUORVEL_SCALAR("pressure_pa", atmPressure),
    QUORVEL_SCALAR("pitch_rad", pitch),
    QUORVEL_SCALAR("bank_rad", bank),
    Column{"heading_rad", [](const VesselState& s) { return s.heading; },
           [](VesselState& s, double v) { s.heading = v; }, Blend::Angle},
    QUORVEL_SCALAR("aoa_rad", aoa),
    QUORVEL_SCALAR("slip_rad", slip),
    QUORVEL_SCALAR("ship_airspeed_x_mps", shipAirspeed.x),
    QUORVEL_SCALAR("ship_airspeed_y_mps", shipAirspeed.y),
    QUORVEL_SCALAR("ship_airspeed_z_mps", shipAirspeed.z),
    QUORVEL_SCALAR("horizon_airspeed_x_mps", horizonAirspeed.x),
    QUORVEL_SCALAR("horizon_airspeed_y_mps", horizonAirspeed.y),
    QUORVEL_SCALAR("horizon_airspeed_z_mps", horizonAirspeed.z),
    QUORVEL_SCALAR("angular_velocity_x_radps", angularVelocity.x),
    QUORVEL_SCALAR("angular_velocity_y_radps", angularVelocity.y),
    QUORVEL_SCALAR("angular_velocity_z_radps", angularVelocity.z),
    QUORVEL_SCALAR("position_x_m", position.x),
    QUORVEL_SCALAR("position_y_m", position.y),
    QUORVEL_SCALAR("position_z_m", position.z),
    QUORVEL_SCALAR("velocity_x_mps", velocity.x),
    QUORVEL_SCALAR("velocity_y_mps", velocity.y),
    QUORVEL_SCALAR("velocity_z_mps", velocity.z),
    QUORVEL_SCALAR("engine_level", mainEngineLevel),
    Column{"landed", [](const VesselState& s) { return s.landed ? 1.0 : 0.0; },
           [](VesselState& s, double v) { s.landed = v != 0; }, Blend::Hold},
    Column{"apoapsis_m", [](const VesselState& s) { return s.hasApoapsis ? s.apoapsisDistance : std::nan(""); },
           [](VesselState& s, double v) {
               s.hasApoapsis = !std::isnan(v);
               s.apoapsisDistance = s.hasApoapsis ? v : 0;
           }},
    Column{"main_propellant_kg", [](const VesselState& s) { return TankMass(s, 0); },
           [](VesselState& s, double v) { Tank(s, 0).mass = v; }},
    Column{"main_propellant_max_kg", [](const VesselState& s) { return TankMax(s, 0); },
           [](VesselState& s, double v) { Tank(s, 0).maxMass = v; }},
    Column{"rcs_propellant_kg", [](const VesselState& s) { return TankMass(s, 1); },
           [](VesselState& s, double v) { Tank(s, 1).mass = v; }},
    Column{"rcs_propellant_max_kg", [](const VesselState& s) { return TankMax(s, 1); },
           [](VesselState& s, double v) { Tank(s, 1).maxMass = v; }},
    Column{"main_thrust_n", [](const VesselState& s) { return s.thrusters.empty() ? 0.0 : s.thrusters[0].maxThrust; },
           [](VesselState& s, double v) { MainThruster(s).maxThrust = v; }},
    Column{"main_exhaust_velocity_mps",
           [](const VesselState& s) { return s.thrusters.empty() ? 0.0 : s.thrusters[0].exhaustVelocity; },
           [](VesselState& s, double v) { MainThruster(s).exhaustVelocity = v; }},
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
constexpr std::size_t kFieldCount = std::size(kColumns) + 1;  // the time, then kColumns

const char* FieldName(std::size_t field) { return field == 0 ? kTimeColumn : kColumns[field - 1].name; }

// Where each field is in a row, from the header: every one must be there,
// in any order.
std::vector<std::size_t> FieldPlaces(std::string header, const std::string& path) {
    if (header.starts_with(kByteOrderMark)) header.erase(0, kByteOrderMark.size());
    const std::vector<std::string> names = SplitCsv(header);
    std::vector<std::size_t> placeOf(kFieldCount, names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = Trim(names[i]);
        for (std::size_t field = 0; field < kFieldCount; ++field) {
            if (name == FieldName(field)) placeOf[field] = i;
        }
    }
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        if (placeOf[field] == names.size()) throw InputError(path, 1, FieldName(field), "column missing from the header");
    }
    return placeOf;
}

// One field's value: a finite number, or NaN for an empty apoapsis.
double FieldValue(const std::string& text, std::size_t field, const std::string& path, long line) {
    double value = std::nan("");
    if (text.empty() && field == kApoapsisColumn + 1) return value;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        throw InputError(path, line, FieldName(field), "\"" + Excerpt(text) + "\" is not a number");
    }
    // A recorder's nan or inf is no state to show.
    if (!std::isfinite(value)) throw InputError(path, line, FieldName(field), "must be a finite number");
    if (field == 0 && std::fabs(value) > kMaxLogTimeS) {
        throw InputError(path, line, kTimeColumn, "must be -1000000000 to 1000000000, not " + Excerpt(text));
    }
    return value;
}

TelemetryRecord ReadRecord(const std::string& line, const std::vector<std::size_t>& placeOf,
                           const TelemetryRecord* previous, const std::string& path, long lineNumber) {
    const std::vector<std::string> fields = SplitCsv(line);
    TelemetryRecord record;
    for (std::size_t field = 0; field < kFieldCount; ++field) {
        if (placeOf[field] >= fields.size()) throw InputError(path, lineNumber, FieldName(field), "missing value");
        const double value = FieldValue(Trim(fields[placeOf[field]]), field, path, lineNumber);
        if (field > 0) {
            kColumns[field - 1].set(record.state, value);
        } else if (previous != nullptr && value <= previous->timeS) {
            throw InputError(path, lineNumber, kTimeColumn, "time must increase from row to row");
        } else {
            record.timeS = value;
        }
    }
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
    std::ifstream in(path);
    if (!in) throw InputError(path, 0, "", "cannot open the replay log");
    std::string line;
    if (!std::getline(in, line)) throw InputError(path, 1, "", "empty file: expected a header line");
    const std::vector<std::size_t> placeOf = FieldPlaces(line, path);

    std::vector<TelemetryRecord> log;
    for (long lineNumber = 2; std::getline(in, line); ++lineNumber) {
        if (lineNumber % kRowsPerCheckpoint == 0) checkpoint();
        if (Trim(line).empty()) continue;
        log.push_back(ReadRecord(line, placeOf, log.empty() ? nullptr : &log.back(), path, lineNumber));
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
