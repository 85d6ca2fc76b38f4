#pragma once
// The stored definition of one control (or label): its settings as key/value pairs, the way a window keeps
// them for each control it holds. Keys are matched without regard to case and kept in lower case; pairs keep
// the order in which they were written. Plain C++, so that every host reads the same window layouts.
//
//   Settings definition{{"caption", "Load Picture"}, {"centercaption", true}, {"backcolor", 0x646464u}};
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace morvane::controls {

// One stored value: a flag, a whole number (colours as 0x00BBGGRR or 0x80000000 + system index), a number
// with a fraction (font sizes in points) or a text.
class SettingValue {
public:
    SettingValue() = default;
    SettingValue(bool v) : value_(v) {}
    SettingValue(int v) : value_(int64_t(v)) {}
    SettingValue(unsigned v) : value_(int64_t(v)) {}
    SettingValue(int64_t v) : value_(v) {}
    SettingValue(double v) : value_(v) {}
    SettingValue(const char* v) : value_(std::string(v)) {}
    SettingValue(std::string v) : value_(std::move(v)) {}

    bool empty() const { return value_.index() == 0; }
    // Each as the kind asked for: a number as a flag (non-zero), a flag as 0 or 1, a text as a number when it
    // reads as one ("0x..." in hexadecimal), anything else as 0, false or "".
    bool as_bool() const;
    int64_t as_int() const;
    double as_double() const;
    std::string as_text() const;

    friend bool operator==(const SettingValue&, const SettingValue&) = default;

private:
    std::variant<std::monostate, bool, int64_t, double, std::string> value_;
};

class Settings {
public:
    Settings() = default;
    Settings(std::initializer_list<std::pair<std::string, SettingValue>> pairs);

    // The value stored under `key`, or `fallback` when there is none.
    SettingValue read(const std::string& key, const SettingValue& fallback = {}) const;
    // Stores `value` under `key`, unless it equals `default_value`; then any stored value is removed, so that a
    // definition holds only what differs from the defaults.
    void write(const std::string& key, const SettingValue& value, const SettingValue& default_value);
    void set(const std::string& key, const SettingValue& value);
    void remove(const std::string& key);
    bool contains(const std::string& key) const;

    const std::vector<std::pair<std::string, SettingValue>>& pairs() const { return pairs_; }  // keys lower case
    bool empty() const { return pairs_.empty(); }

private:
    const SettingValue* find(const std::string& key) const;
    std::vector<std::pair<std::string, SettingValue>> pairs_;
};

std::string lower_case(const std::string& text);  // ASCII letters only: keys are ASCII

}  // namespace morvane::controls
