#include "sim/bench/TomlFields.h"

#include <cmath>

#include "sim/bench/InputError.h"
#include "sim/bench/MessageText.h"
#include "sim/files/NameText.h"

namespace quorvel::sim {

namespace {

const char* TypeName(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::table:
            return "a table";
        case toml::node_type::array:
            return "an array";
        case toml::node_type::string:
            return "a string";
        case toml::node_type::integer:
            return "a whole number";
        case toml::node_type::floating_point:
            return "a number";
        case toml::node_type::boolean:
            return "true or false";
        case toml::node_type::date:
            return "a date";
        case toml::node_type::time:
            return "a time";
        case toml::node_type::date_time:
            return "a date and time";
        default:
            return "nothing";
    }
}

}  // namespace

long LineOf(const toml::node& node) { return static_cast<long>(node.source().begin.line); }

double CheckedNumber(const toml::node& node, Range range, const std::string& file, const std::string& field) {
    double value = 0;
    if (const auto* integer = node.as_integer()) {
        value = static_cast<double>(integer->get());
    } else if (const auto* real = node.as_floating_point()) {
        value = real->get();
    } else {
        throw InputError(file, LineOf(node), field, std::string("expected a number, not ") + TypeName(node));
    }
    if (!std::isfinite(value)) throw InputError(file, LineOf(node), field, "must be a finite number");
    if (!InRange(value, range)) {
        throw InputError(file, LineOf(node), field, "must be " + RangeText(range) + ", not " + NumberText(value));
    }
    return value;
}

TomlFields::TomlFields(const toml::table& table, std::string name, std::string file)
    : table(table), name(std::move(name)), file(std::move(file)) {}

std::string TomlFields::Field(std::string_view key) const {
    return name.empty() ? std::string(key) : name + "." + std::string(key);
}

void TomlFields::Fail(std::string_view key, const std::string& problem) const {
    const toml::node* node = table.get(key);
    throw InputError(file, node != nullptr ? LineOf(*node) : Line(), Field(key), problem);
}

const toml::node* TomlFields::Take(std::string_view key) {
    known.emplace(key);
    return table.get(key);
}

std::optional<double> TomlFields::Number(std::string_view key, Range range) {
    const toml::node* node = Take(key);
    if (node == nullptr) return std::nullopt;
    return CheckedNumber(*node, range, file, Field(key));
}

void TomlFields::Number(std::string_view key, Range range, double& target) {
    if (const auto value = Number(key, range)) target = *value;
}

std::optional<std::int64_t> TomlFields::Integer(std::string_view key, std::int64_t min, std::int64_t max) {
    const toml::node* node = Take(key);
    if (node == nullptr) return std::nullopt;
    const auto* integer = node->as_integer();
    if (integer == nullptr) Fail(key, std::string("expected a whole number, not ") + TypeName(*node));
    const std::int64_t value = integer->get();
    if (value < min || value > max) {
        Fail(key, "must be " + std::to_string(min) + " to " + std::to_string(max) + ", not " + std::to_string(value));
    }
    return value;
}

std::optional<std::string> TomlFields::Text(std::string_view key) {
    const toml::node* node = Take(key);
    if (node == nullptr) return std::nullopt;
    const auto* text = node->as_string();
    if (text == nullptr) Fail(key, std::string("expected a string, not ") + TypeName(*node));
    // Each of the files' strings is a file name or is printed.
    if (const std::string fault = NameTextFault(text->get()); !fault.empty()) Fail(key, fault);
    return text->get();
}

const toml::table* TomlFields::Table(std::string_view key) {
    const toml::node* node = Take(key);
    if (node == nullptr) return nullptr;
    if (!node->is_table()) Fail(key, std::string("expected a table, not ") + TypeName(*node));
    return node->as_table();
}

const toml::array* TomlFields::Array(std::string_view key) {
    const toml::node* node = Take(key);
    if (node == nullptr) return nullptr;
    if (!node->is_array()) Fail(key, std::string("expected an array, not ") + TypeName(*node));
    return node->as_array();
}

void TomlFields::RejectUnknown() const {
    // Keys come in file order: the first misspelling is the one named.
    const toml::key* first = nullptr;
    for (auto&& [key, node] : table) {
        if (known.contains(key.str())) continue;
        if (first == nullptr || key.source().begin.line < first->source().begin.line) first = &key;
    }
    if (first == nullptr) return;
    std::string expected;
    for (const std::string& k : known) expected += (expected.empty() ? "" : ", ") + k;
    throw InputError(file, static_cast<long>(first->source().begin.line), Field(Excerpt(first->str())),
                     "unknown key (expected " + (expected.empty() ? std::string("none") : expected) + ")");
}

}  // namespace quorvel::sim
