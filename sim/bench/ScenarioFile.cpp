#include "sim/bench/ScenarioFile.h"

#include <algorithm>
#include <filesystem>

#include "sim/bench/InputError.h"
#include "sim/bench/InputFile.h"
#include "sim/bench/MessageText.h"
#include "sim/bench/TomlFields.h"
#include "sim/bench/VideoNames.h"
#include "sim/flight/Angles.h"

namespace quorvel::sim {

namespace {

constexpr std::size_t kMaxNameLength = 100;
// Far beyond any scenario (the README's, naming every key, is 3 KiB).
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

constexpr const char* kFlightOnlyKeys[] = {
    "altitude_m",      "speed_mps",        "pitch_deg",      "flight_path_deg",    "bank_deg",
    "roll_rate_degps", "pitch_rate_degps", "yaw_rate_degps", "main_propellant_kg", "rcs_propellant_kg",
};

void ReadVessel(TomlFields fields, flight::VesselConfig& vessel) {
    fields.Number("empty_mass_kg", kEmptyMassKg, vessel.emptyMassKg);
    fields.Number("main_tank_kg", kTankKg, vessel.mainTankCapacityKg);
    fields.Number("rcs_tank_kg", kTankKg, vessel.rcsTankCapacityKg);
    fields.Number("main_thrust_n", kThrustN, vessel.engine.vacuumThrustN);
    fields.Number("main_exhaust_velocity_mps", kExhaustVelocityMps, vessel.engine.vacuumExhaustVelocityMps);
    fields.Number("main_min_throttle", kFraction, vessel.engine.minThrottle);
    fields.Number("nozzle_exit_area_m2", kNozzleExitAreaM2, vessel.engine.nozzleExitAreaM2);
    const auto pitchYawThrust = fields.Number("rcs_pitch_yaw_thrust_n", kThrustN);
    const auto rollThrust = fields.Number("rcs_roll_thrust_n", kThrustN);
    const auto rcsExhaust = fields.Number("rcs_exhaust_velocity_mps", kExhaustVelocityMps);
    for (flight::RcsThruster& thruster : vessel.rcs) {
        const auto& thrust = thruster.axis == flight::kRoll ? rollThrust : pitchYawThrust;
        if (thrust) thruster.thrustN = *thrust;
        if (rcsExhaust) thruster.exhaustVelocityMps = *rcsExhaust;
    }
    fields.Number("wing_area_m2", kWingAreaM2, vessel.aero.wingAreaM2);
    fields.Number("aspect_ratio", kAspectRatio, vessel.aero.aspectRatio);
    const char* rateKeys[3] = {"max_roll_rate_degps", "max_pitch_rate_degps", "max_yaw_rate_degps"};
    for (int axis = 0; axis < 3; ++axis) {
        if (const auto rate = fields.Number(rateKeys[axis], kRateLimitDegps)) {
            vessel.maxRateRadps[static_cast<std::size_t>(axis)] = *rate * flight::kRadiansPerDegree;
        }
    }
    fields.RejectUnknown();
}

void ReadStart(TomlFields fields, const flight::VesselConfig& vessel, Scenario& scenario) {
    const auto place = fields.Text("place");
    if (!place) fields.Fail("place", "missing: say place = \"runway\" or place = \"flight\"");
    const double latitude = fields.Number("latitude_deg", kLatitudeDeg).value_or(0) * flight::kRadiansPerDegree;
    const double longitude = fields.Number("longitude_deg", kLongitudeDeg).value_or(0) * flight::kRadiansPerDegree;
    const double heading = fields.Number("heading_deg", kHeadingDeg).value_or(90) * flight::kRadiansPerDegree;

    if (*place == "runway") {
        for (const char* key : kFlightOnlyKeys) {
            if (fields.Has(key)) fields.Fail(key, "only for place = \"flight\"");
        }
        fields.RejectUnknown();
        scenario.start = RunwayStart{latitude, longitude, heading};
        return;
    }
    if (*place != "flight") fields.Fail("place", "expected \"runway\" or \"flight\", not \"" + Excerpt(*place) + "\"");

    AirStart air;
    air.latitudeRad = latitude;
    air.longitudeRad = longitude;
    air.headingRad = heading;
    // Above the ground, which kAltitudeM includes.
    const auto altitude = fields.Number("altitude_m", Positive(kAltitudeM.max));
    if (!altitude) fields.Fail("altitude_m", "missing: a flight starts at an altitude above 0");
    air.altitudeM = *altitude;
    const auto speed = fields.Number("speed_mps", kSpeedMps);
    if (!speed) fields.Fail("speed_mps", "missing: a flight starts at a speed");
    air.speedMps = *speed;
    air.pitchRad = fields.Number("pitch_deg", kPitchDeg).value_or(0) * flight::kRadiansPerDegree;
    air.flightPathRad = fields.Number("flight_path_deg", kPitchDeg).value_or(0) * flight::kRadiansPerDegree;
    air.bankRad = fields.Number("bank_deg", kBankDeg).value_or(0) * flight::kRadiansPerDegree;
    air.bodyRateRadps = {fields.Number("roll_rate_degps", kBodyRateDegps).value_or(0) * flight::kRadiansPerDegree,
                         fields.Number("pitch_rate_degps", kBodyRateDegps).value_or(0) * flight::kRadiansPerDegree,
                         fields.Number("yaw_rate_degps", kBodyRateDegps).value_or(0) * flight::kRadiansPerDegree};
    air.mainPropellantKg = fields.Number("main_propellant_kg", NonNegative(vessel.mainTankCapacityKg));
    air.rcsPropellantKg = fields.Number("rcs_propellant_kg", NonNegative(vessel.rcsTankCapacityKg));
    fields.RejectUnknown();
    scenario.start = air;
}

flight::ControlTable ReadSchedule(const toml::array& rows, const std::string& file) {
    std::vector<flight::ControlPoint> points;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string field = "controls.schedule[" + std::to_string(i) + "]";
        const toml::array* row = rows[i].as_array();
        if (row == nullptr || row->size() != 5) {
            throw InputError(file, LineOf(rows[i]), field, "expected [time_s, pitch, roll, yaw, throttle]");
        }
        flight::ControlPoint p;
        const Range demand{-1, 1};
        p.timeS = CheckedNumber((*row)[0], NonNegative(kMaxRunS), file, field + ".time_s");
        p.controls.pitch = CheckedNumber((*row)[1], demand, file, field + ".pitch");
        p.controls.roll = CheckedNumber((*row)[2], demand, file, field + ".roll");
        p.controls.yaw = CheckedNumber((*row)[3], demand, file, field + ".yaw");
        p.controls.throttle = CheckedNumber((*row)[4], kFraction, file, field + ".throttle");
        if (!points.empty() && p.timeS < points.back().timeS) {
            throw InputError(file, LineOf(rows[i]), field + ".time_s", "times must not decrease from row to row");
        }
        points.push_back(p);
    }
    return flight::ControlTable(std::move(points));
}

void ReadControls(TomlFields fields, Scenario& scenario) {
    const auto autopilot = fields.Text("autopilot");
    const toml::array* schedule = fields.Array("schedule");
    fields.RejectUnknown();
    if (autopilot && schedule) fields.Fail("schedule", "give either autopilot or a schedule, not both");
    if (schedule) {
        scenario.pilot = Pilot::Schedule;
        scenario.schedule = ReadSchedule(*schedule, fields.File());
    } else if (autopilot == "default") {
        scenario.pilot = Pilot::DefaultAutopilot;
    } else if (autopilot == "none") {
        scenario.pilot = Pilot::Schedule;
        scenario.schedule = {};
    } else if (autopilot) {
        fields.Fail("autopilot", "expected \"default\" or \"none\", not \"" + Excerpt(*autopilot) + "\"");
    } else {
        fields.Fail("autopilot", "missing: say autopilot = \"default\" or \"none\", or give a schedule");
    }
}

std::vector<KeyPress> ReadKeys(const toml::array& keys, const std::string& file) {
    std::vector<KeyPress> presses;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const std::string name = "key[" + std::to_string(i) + "]";
        const toml::table* table = keys[i].as_table();
        if (table == nullptr) throw InputError(file, LineOf(keys[i]), name, "expected a [[key]] table");
        TomlFields fields(*table, name, file);
        KeyPress press;
        press.index = i;
        press.sourceLine = fields.Line();
        const auto time = fields.Number("time_s", NonNegative(kMaxRunS));
        if (!time) fields.Fail("time_s", "missing: when the key is pressed");
        press.timeS = *time;
        press.mfd = static_cast<std::uint32_t>(fields.Integer("mfd", 0, kMaxMfds - 1).value_or(0));
        // Whether the run has that MFD is known only once the options are in: keep its line.
        if (const toml::node* mfd = table->get("mfd")) press.sourceLine = LineOf(*mfd);
        const auto code = fields.Integer("code", 0, 255);
        if (!code) fields.Fail("code", "missing: the key's code, such as 47");
        press.code = static_cast<std::uint32_t>(*code);
        fields.RejectUnknown();
        presses.push_back(press);
    }
    std::stable_sort(presses.begin(), presses.end(),
                     [](const KeyPress& a, const KeyPress& b) { return a.timeS < b.timeS; });
    return presses;
}

void ReadOutput(TomlFields fields, OutputSchedule& output) {
    const Range interval{kMinIntervalS, kMaxRunS};
    if (const auto duration = fields.Number("duration_s", interval)) output.durationS = duration;
    fields.Number("frame_every_s", interval, output.frameEveryS);
    if (const auto repaint = fields.Number("repaint_every_s", interval)) output.repaintEveryS = repaint;
    if (const auto video = fields.Text("video")) {
        if (const std::string fault = VideoNameFault(*video); !fault.empty()) fields.Fail("video", fault);
        output.videoPath = *video;
    }
    if (const toml::array* mfds = fields.Array("mfds")) {
        if (mfds->empty() || mfds->size() > kMaxMfds) {
            fields.Fail("mfds", "expected 1 to " + std::to_string(kMaxMfds) + " sizes such as \"400x400\"");
        }
        output.mfds.clear();
        for (std::size_t i = 0; i < mfds->size(); ++i) {
            const auto* text = (*mfds)[i].as_string();
            const auto size = text != nullptr ? ParseMfdSize(text->get()) : std::nullopt;
            const std::string field = "output.mfds[" + std::to_string(i) + "]";
            if (!size) {
                throw InputError(fields.File(), LineOf((*mfds)[i]), field, "expected \"WIDTHxHEIGHT\", each 1 to 65535");
            }
            if (const std::string fault = MfdSizeFault(*size); !fault.empty()) {
                throw InputError(fields.File(), LineOf((*mfds)[i]), field, text->get() + " " + fault);
            }
            output.mfds.push_back(*size);
        }
    }
    fields.RejectUnknown();
}

}  // namespace

Scenario ParseScenario(const std::string& text, const std::string& path) {
    toml::table root;
    try {
        root = toml::parse(text, path);
    } catch (const toml::parse_error& error) {
        throw InputError(path, static_cast<long>(error.source().begin.line), "",
                         "not valid TOML: " + std::string(error.description()));
    }

    Scenario scenario = DefaultScenario();
    scenario.source = path;
    // Unset unless the file says: a replay then runs the whole log.
    scenario.output.durationS.reset();
    scenario.name = std::filesystem::path(path).stem().string();
    TomlFields fields(root, "", path);
    if (const auto name = fields.Text("name")) {
        // Characters, not bytes: every byte but UTF-8's continuation bytes starts one.
        const auto starts = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
        const auto characters = static_cast<std::size_t>(std::count_if(name->begin(), name->end(), starts));
        if (characters == 0 || characters > kMaxNameLength) {
            fields.Fail("name", "expected 1 to " + std::to_string(kMaxNameLength) + " characters");
        }
        scenario.name = *name;
    }
    // The vessel first: the start's propellant is checked against its tanks.
    if (const toml::table* vessel = fields.Table("vessel")) ReadVessel({*vessel, "vessel", path}, scenario.vessel);
    if (const toml::table* start = fields.Table("start")) ReadStart({*start, "start", path}, scenario.vessel, scenario);
    if (const toml::table* controls = fields.Table("controls")) ReadControls({*controls, "controls", path}, scenario);
    if (const toml::array* keys = fields.Array("key")) scenario.keys = ReadKeys(*keys, path);
    if (const toml::table* output = fields.Table("output")) ReadOutput({*output, "output", path}, scenario.output);
    fields.RejectUnknown();
    return scenario;
}

Scenario ReadScenario(const std::string& path) {
    return ParseScenario(ReadWhole(path, "the scenario file", kMaxFileBytes), path);
}

}  // namespace quorvel::sim
