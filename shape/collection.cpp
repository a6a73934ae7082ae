#include "collection.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <limits>

namespace {

// Collections up to this size are searched entry by entry (most hold one or two); from it on
// they keep an index.
constexpr size_t kIndexFrom = 16;

}  // namespace

// The entries, and for a large collection the index over them. Entries are only ever appended or
// removed, never inserted, so numbering each one as it is appended gives numbers that increase
// along the entries: an entry's position is a binary search over them, and removing one renumbers
// nothing.
struct Collection::Data : QSharedData {
    std::vector<Entry> entries;

    bool indexed = false;
    std::vector<quint32> numbers;  // the entries' numbers, parallel to `entries`
    quint32 nextNumber = 0;
    QHash<QString, quint32> byKey;  // non-empty key -> the number of its entry
    // item -> the number of the first entry holding it, and how many entries hold it
    struct Holders {
        quint32 first;
        quint32 count;
    };
    QHash<qint16, Holders> byItem;

    void append(qint16 item, const QString& key) {
        entries.push_back({item, key});
        if (indexed) {
            if (nextNumber == std::numeric_limits<quint32>::max())
                buildIndex();  // numbers run out after billions of additions: number afresh
            else
                indexLast();
        } else if (entries.size() >= kIndexFrom) {
            buildIndex();
        }
    }

    void erase(size_t i) {
        if (indexed) {
            const Entry& gone = entries[i];
            if (!gone.key.isEmpty()) byKey.remove(gone.key);
            const auto holders = byItem.find(gone.item);
            if (holders->count == 1) {
                byItem.erase(holders);
            } else {
                --holders->count;
                // Items repeat rarely (a recursive relationship's entity): only then is the next
                // holder looked for.
                if (holders->first == numbers[i]) {
                    size_t next = i + 1;
                    while (entries[next].item != gone.item) ++next;
                    holders->first = numbers[next];
                }
            }
            numbers.erase(numbers.begin() + std::ptrdiff_t(i));
        }
        entries.erase(entries.begin() + std::ptrdiff_t(i));
    }

    void clear() {
        entries.clear();
        indexed = false;
        numbers.clear();
        nextNumber = 0;
        byKey.clear();
        byItem.clear();
    }

    // 1-based position of the entry numbered `number`.
    int positionOfNumber(quint32 number) const {
        return int(std::lower_bound(numbers.begin(), numbers.end(), number) - numbers.begin()) + 1;
    }

    void buildIndex() {
        indexed = true;
        numbers.clear();
        nextNumber = 0;
        byKey.clear();
        byItem.clear();
        numbers.reserve(entries.capacity());
        byKey.reserve(qsizetype(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i) {
            numbers.push_back(0);
            indexEntry(i);
        }
    }

private:
    void indexLast() {
        numbers.push_back(0);
        indexEntry(entries.size() - 1);
    }

    void indexEntry(size_t i) {
        const quint32 number = nextNumber++;
        numbers[i] = number;
        if (!entries[i].key.isEmpty()) byKey.insert(entries[i].key, number);
        const auto holders = byItem.find(entries[i].item);
        if (holders == byItem.end())
            byItem.insert(entries[i].item, {number, 1});
        else
            ++holders->count;
    }
};

QSharedDataPointer<Collection::Data> Collection::emptyData() {
    // No entries, shared by every moved-from collection and never changed: the first change of
    // such a collection detaches it like any shared copy.
    static const QSharedDataPointer<Data> empty(new Data);
    return empty;
}

Collection::Collection() : data_(new Data) {}
Collection::Collection(const Collection&) = default;
Collection& Collection::operator=(const Collection&) = default;
Collection::~Collection() = default;

Collection::Collection(Collection&& other) noexcept : data_(emptyData()) {
    data_.swap(other.data_);
}

Collection& Collection::operator=(Collection&& other) noexcept {
    if (this != &other) {
        data_.swap(other.data_);
        other.data_ = emptyData();
    }
    return *this;
}

const std::vector<Collection::Entry>& Collection::entries() const {
    return data_->entries;
}

Collection::Data& Collection::changeable() {
    return *data_;  // the non-const access detaches
}

bool Collection::add(qint16 item, const QString& key) {
    if (!key.isEmpty() && positionOfKey(key) != 0) return false;
    changeable().append(item, key);
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
    const Data& d = *data_;
    if (d.indexed) {
        const auto found = d.byItem.constFind(item);
        return found == d.byItem.constEnd() ? 0 : d.positionOfNumber(found->first);
    }
    for (size_t i = 0; i < d.entries.size(); ++i)
        if (d.entries[i].item == item) return int(i) + 1;
    return 0;
}

bool Collection::remove(int position) {
    if (position < 1 || position > count()) return false;
    changeable().erase(size_t(position - 1));
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
    parts.reserve(count());
    for (const Entry& e : entries()) parts << QString::number(e.item);
    return parts.join(QLatin1Char(','));
}

bool operator==(const Collection& a, const Collection& b) {
    return a.sharesEntriesWith(b) || a.entries() == b.entries();
}

int Collection::positionOfKey(const QString& key) const {
    if (key.isEmpty()) return 0;
    const Data& d = *data_;
    if (d.indexed) {
        const auto found = d.byKey.constFind(key);
        return found == d.byKey.constEnd() ? 0 : d.positionOfNumber(*found);
    }
    for (size_t i = 0; i < d.entries.size(); ++i)
        if (d.entries[i].key == key) return int(i) + 1;
    return 0;
}
