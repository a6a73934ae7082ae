#include "propertybag.h"

void PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue) {
    // A bag written over again must not keep a value from before that is now the default.
    if (value == defaultValue) {
        remove(name);
        return;
    }
    setValue(name, value);
}

void PropertyBag::remove(const QString& name) {
    std::erase_if(values_, [&](const auto& entry) { return entry.first == name; });
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    for (const auto& [n, v] : values_)
        if (n == name) return v;
    return defaultValue;
}

bool PropertyBag::contains(const QString& name) const {
    for (const auto& entry : values_)
        if (entry.first == name) return true;
    return false;
}

QStringList PropertyBag::names() const {
    QStringList result;
    for (const auto& entry : values_) result << entry.first;
    return result;
}

void PropertyBag::setValue(const QString& name, const QVariant& value) {
    for (auto& entry : values_)
        if (entry.first == name) {
            entry.second = value;
            return;
        }
    values_.emplace_back(name, value);
}
