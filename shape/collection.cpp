#include "collection.h"

#include <QStringList>

struct Collection::Data : QSharedData {
    std::vector<Entry> entries;
};

Collection::Collection() : data_(new Data) {}
Collection::Collection(const Collection&) = default;
Collection& Collection::operator=(const Collection&) = default;
Collection::~Collection() = default;

const std::vector<Collection::Entry>& Collection::entries() const {
    return data_->entries;
}

std::vector<Collection::Entry>& Collection::changeable() {
    return data_->entries;  // the non-const access detaches
}

bool Collection::add(qint16 item, const QString& key) {
    if (!key.isEmpty() && positionOfKey(key) != 0) return false;
    changeable().push_back({item, key});
    return true;
}

std::optional<qint16> Collection::item(int position) const {
    if (position < 1 || position > count()) return std::nullopt;
    return entries()[size_t(position - 1)].item;
}

std::optional<qint16> Collection::itemByKey(const QString& key) const {
    const int position = positionOfKey(key);
    if (position == 0) return std::nullopt;
    return entries()[size_t(position - 1)].item;
}

bool Collection::containsKey(const QString& key) const {
    return positionOfKey(key) != 0;
}

bool Collection::containsItem(qint16 item) const {
    return positionOfItem(item) != 0;
}

int Collection::positionOfItem(qint16 item) const {
    const std::vector<Entry>& all = entries();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].item == item) return int(i) + 1;
    return 0;
}

bool Collection::remove(int position) {
    if (position < 1 || position > count()) return false;
    std::vector<Entry>& all = changeable();
    all.erase(all.begin() + (position - 1));
    return true;
}

bool Collection::removeKey(const QString& key) {
    const int position = positionOfKey(key);
    return position != 0 && remove(position);
}

void Collection::clear() {
    if (!isEmpty()) changeable().clear();
}

std::vector<qint16> Collection::items() const {
    std::vector<qint16> result;
    result.reserve(entries().size());
    for (const Entry& e : entries()) result.push_back(e.item);
    return result;
}

QString Collection::joined() const {
    QStringList parts;
    for (const Entry& e : entries()) parts << QString::number(e.item);
    return parts.join(QLatin1Char(','));
}

bool operator==(const Collection& a, const Collection& b) {
    return a.sharesEntriesWith(b) || a.entries() == b.entries();
}

int Collection::positionOfKey(const QString& key) const {
    if (key.isEmpty()) return 0;
    const std::vector<Entry>& all = entries();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].key == key) return int(i) + 1;
    return 0;
}
