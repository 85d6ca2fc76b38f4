#pragma once
// The stored definition of one control: its settings as key/value pairs, the way a window keeps them for each
// control it holds. Keys are matched without regard to case and kept in lower case; pairs keep the order in
// which they were written.
//
//   PropertyBag definition{{"caption", "Load Picture"}, {"centercaption", true}, {"backcolor", 0x646464u}};
//   button.read_properties(definition);
//
// Values are QVariants: colours as unsigned 32-bit 0x00BBGGRR (0x80000000 + index for system colours),
// booleans, 32-bit integers, font sizes in points as numbers, texts as QString, fonts as QFont.
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <utility>
#include <vector>

namespace morvane::controls {

class PropertyBag {
public:
    PropertyBag() = default;
    PropertyBag(std::initializer_list<std::pair<QString, QVariant>> pairs);

    // The value stored under `key`, or `fallback` when there is none.
    QVariant read(const QString& key, const QVariant& fallback = {}) const;
    // Stores `value` under `key`, unless it equals `default_value`; then any stored value is removed, so that a
    // definition holds only what differs from the defaults.
    void write(const QString& key, const QVariant& value, const QVariant& default_value);
    // Stores `value` unconditionally (for building definitions by hand).
    void set(const QString& key, const QVariant& value);
    void remove(const QString& key);
    bool contains(const QString& key) const;

    QStringList keys() const;  // lower case, in writing order
    int size() const { return int(pairs_.size()); }
    bool empty() const { return pairs_.empty(); }

private:
    std::vector<std::pair<QString, QVariant>> pairs_;  // keys in lower case
    const QVariant* find(const QString& key) const;
};

}  // namespace morvane::controls
