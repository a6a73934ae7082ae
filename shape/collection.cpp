#include "collection.h"

#include <QStringList>

bool Collection::add(qint16 item, const QString& key) {
    if (!key.isEmpty() && positionOfKey(key) != 0) return false;
    entries_.push_back({item, key});
    return true;
}

std::optional<qint16> Collection::item(int position) const {
    if (position < 1 || position > count()) return std::nullopt;
    return entries_[position - 1].item;
}

std::optional<qint16> Collection::itemByKey(const QString& key) const {
    const int position = positionOfKey(key);
    if (position == 0) return std::nullopt;
    return entries_[position - 1].item;
}

bool Collection::containsKey(const QString& key) const {
    return positionOfKey(key) != 0;
}

bool Collection::containsItem(qint16 item) const {
    return positionOfItem(item) != 0;
}

int Collection::positionOfItem(qint16 item) const {
    for (int i = 0; i < count(); ++i)
        if (entries_[i].item == item) return i + 1;
    return 0;
}

bool Collection::remove(int position) {
    if (position < 1 || position > count()) return false;
    entries_.erase(entries_.begin() + (position - 1));
    return true;
}

bool Collection::removeKey(const QString& key) {
    const int position = positionOfKey(key);
    return position != 0 && remove(position);
}

std::vector<qint16> Collection::items() const {
    std::vector<qint16> result;
    result.reserve(entries_.size());
    for (const Entry& e : entries_) result.push_back(e.item);
    return result;
}

QString Collection::joined() const {
    QStringList parts;
    for (const Entry& e : entries_) parts << QString::number(e.item);
    return parts.join(QLatin1Char(','));
}

int Collection::positionOfKey(const QString& key) const {
    if (key.isEmpty()) return 0;
    for (int i = 0; i < count(); ++i)
        if (entries_[i].key == key) return i + 1;
    return 0;
}
