#include "controls/core/settings.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace morvane::controls {

namespace {

// A text as a whole number, decimal or "0x..." hexadecimal; 0 when it is none.
int64_t parse_whole(std::string text) {
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t") + 1);
    int base = 10;
    size_t start = 0;
    if (text.size() > 2 && (text.compare(0, 2, "0x") == 0 || text.compare(0, 2, "0X") == 0)) base = 16, start = 2;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    int64_t parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed, base);
    return error == std::errc() && end == last ? parsed : 0;
}

}  // namespace

bool SettingValue::as_bool() const {
    if (const auto* b = std::get_if<bool>(&value_)) return *b;
    if (const auto* i = std::get_if<int64_t>(&value_)) return *i != 0;
    if (const auto* d = std::get_if<double>(&value_)) return *d != 0;
    if (const auto* s = std::get_if<std::string>(&value_)) return lower_case(*s) == "true" || as_int() != 0;
    return false;
}

int64_t SettingValue::as_int() const {
    if (const auto* b = std::get_if<bool>(&value_)) return *b ? 1 : 0;
    if (const auto* i = std::get_if<int64_t>(&value_)) return *i;
    if (const auto* d = std::get_if<double>(&value_)) return int64_t(*d);
    if (const auto* s = std::get_if<std::string>(&value_)) return parse_whole(*s);
    return 0;
}

double SettingValue::as_double() const {
    if (const auto* d = std::get_if<double>(&value_)) return *d;
    if (const auto* s = std::get_if<std::string>(&value_)) return std::strtod(s->c_str(), nullptr);
    return double(as_int());
}

std::string SettingValue::as_text() const {
    if (const auto* s = std::get_if<std::string>(&value_)) return *s;
    if (const auto* b = std::get_if<bool>(&value_)) return *b ? "True" : "False";
    if (const auto* i = std::get_if<int64_t>(&value_)) return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&value_)) return std::to_string(*d);
    return {};
}

std::string lower_case(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return lower;
}

Settings::Settings(std::initializer_list<std::pair<std::string, SettingValue>> pairs) {
    for (const auto& [key, value] : pairs) set(key, value);
}

const SettingValue* Settings::find(const std::string& key) const {
    const std::string wanted = lower_case(key);
    for (const auto& [k, v] : pairs_)
        if (k == wanted) return &v;
    return nullptr;
}

SettingValue Settings::read(const std::string& key, const SettingValue& fallback) const {
    const SettingValue* value = find(key);
    return value != nullptr ? *value : fallback;
}

void Settings::write(const std::string& key, const SettingValue& value, const SettingValue& default_value) {
    if (value == default_value)
        remove(key);
    else
        set(key, value);
}

void Settings::set(const std::string& key, const SettingValue& value) {
    const std::string lower = lower_case(key);
    for (auto& [k, v] : pairs_) {
        if (k == lower) {
            v = value;
            return;
        }
    }
    pairs_.emplace_back(lower, value);
}

void Settings::remove(const std::string& key) {
    const std::string lower = lower_case(key);
    pairs_.erase(std::remove_if(pairs_.begin(), pairs_.end(), [&](const auto& p) { return p.first == lower; }),
                 pairs_.end());
}

bool Settings::contains(const std::string& key) const { return find(key) != nullptr; }

}  // namespace morvane::controls
