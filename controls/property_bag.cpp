#include "controls/property_bag.h"

#include <algorithm>

namespace morvane::controls {

PropertyBag::PropertyBag(std::initializer_list<std::pair<QString, QVariant>> pairs) {
    for (const auto& [key, value] : pairs) set(key, value);
}

const QVariant* PropertyBag::find(const QString& key) const {
    const QString wanted = key.toLower();
    for (const auto& [k, v] : pairs_)
        if (k == wanted) return &v;
    return nullptr;
}

QVariant PropertyBag::read(const QString& key, const QVariant& fallback) const {
    const QVariant* value = find(key);
    return value != nullptr ? *value : fallback;
}

void PropertyBag::write(const QString& key, const QVariant& value, const QVariant& default_value) {
    if (value == default_value)
        remove(key);
    else
        set(key, value);
}

void PropertyBag::set(const QString& key, const QVariant& value) {
    const QString lower = key.toLower();
    for (auto& [k, v] : pairs_) {
        if (k == lower) {
            v = value;
            return;
        }
    }
    pairs_.emplace_back(lower, value);
}

void PropertyBag::remove(const QString& key) {
    const QString lower = key.toLower();
    pairs_.erase(std::remove_if(pairs_.begin(), pairs_.end(), [&](const auto& p) { return p.first == lower; }),
                 pairs_.end());
}

bool PropertyBag::contains(const QString& key) const { return find(key) != nullptr; }

QStringList PropertyBag::keys() const {
    QStringList out;
    for (const auto& p : pairs_) out << p.first;
    return out;
}

}  // namespace morvane::controls
