// Checked reading of one TOML table, key by key, for the bench host's
// input files. Each accessor marks its key as known; RejectUnknown then
// names the first key nothing asked for, so a misspelt key is an error
// rather than a silently kept default. Every fault throws InputError with
// the file, the line of the offending node and the dotted field name.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include <toml++/toml.h>

#include "sim/bench/FieldLimits.h"

namespace quorvel::sim {

// The line a node starts on; 0 when it has none (made, not parsed).
long LineOf(const toml::node& node);

// A finite number within the range, integer or floating point; throws
// InputError naming `field` otherwise.
double CheckedNumber(const toml::node& node, Range range, const std::string& file, const std::string& field);

class TomlFields {
public:
    // `name` prefixes the field names in messages ("vessel" gives
    // "vessel.empty_mass_kg"); empty for the top level.
    TomlFields(const toml::table& table, std::string name, std::string file);

    std::optional<double> Number(std::string_view key, Range range);
    // Sets target when the key is there.
    void Number(std::string_view key, Range range, double& target);
    std::optional<std::int64_t> Integer(std::string_view key, std::int64_t min, std::int64_t max);
    std::optional<std::string> Text(std::string_view key);
    const toml::table* Table(std::string_view key);
    const toml::array* Array(std::string_view key);

    bool Has(std::string_view key) const { return table.contains(key); }
    // Throws for the first key (in file order) no accessor asked for.
    void RejectUnknown() const;

    [[noreturn]] void Fail(std::string_view key, const std::string& problem) const;
    // The dotted name of a key of this table.
    std::string Field(std::string_view key) const;
    long Line() const { return LineOf(table); }
    const std::string& File() const { return file; }

private:
    const toml::node* Take(std::string_view key);

    const toml::table& table;
    std::string name;
    std::string file;
    std::set<std::string, std::less<>> known;
};

}  // namespace quorvel::sim
