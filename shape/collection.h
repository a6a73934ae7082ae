#pragma once

#include <QSharedData>
#include <QString>
#include <optional>
#include <vector>

#include "glyphon_global.h"

// An ordered list of 16-bit items, each optionally filed under a text key that is unique within
// the collection. Positions are 1-based, like the element collections the editor keeps per shape.
// Every operation that cannot succeed (a duplicate key, a missing key, a position out of range)
// reports false and leaves the collection exactly as it was.
//
// A Collection is a value that shares its entries with its copies until one of them changes
// (copy on write), so copying an element with its collections costs no deep copy.
//
// Lookups by key or item take constant time (positions logarithmic) once a collection has more
// than a few entries: an entity may own tens of thousands of attributes, and the loader and the
// converter look each of them up. The index lives beside the entries, is kept up to date by the
// changing operations alone (never built by a lookup, so copies shared between threads are only
// read) and is invisible to the API.
class GLYPHON_EXPORT Collection {
public:
    struct Entry {
        qint16 item = 0;
        QString key;  // empty: filed without a key

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    Collection();
    Collection(const Collection&);
    Collection& operator=(const Collection&);
    // Moves cost no reference counting and never throw, so lists of elements grow by moving
    // them; a moved-from collection is empty.
    Collection(Collection&& other) noexcept;
    Collection& operator=(Collection&& other) noexcept;
    ~Collection();

    int count() const { return int(entries().size()); }
    bool isEmpty() const { return entries().empty(); }

    // Appends item; with a non-empty key that is already filed, nothing is added.
    bool add(qint16 item, const QString& key = QString());

    // Item at a 1-based position; nullopt when the position is out of range.
    std::optional<qint16> item(int position) const;
    std::optional<qint16> itemByKey(const QString& key) const;
    bool containsKey(const QString& key) const;
    bool containsItem(qint16 item) const;
    // 1-based position of the first entry holding item, 0 when none does.
    int positionOfItem(qint16 item) const;

    bool remove(int position);
    bool removeKey(const QString& key);
    void clear();

    // The items in collection order (a convenient copy for loops that change the collection).
    std::vector<qint16> items() const;
    const std::vector<Entry>& entries() const;

    // Items as decimal text joined by single commas: "3,12,7".
    QString joined() const;

    // Whether both are copies of one another that neither has changed since: then they hold the
    // same entries without comparing them.
    bool sharesEntriesWith(const Collection& other) const { return data_ == other.data_; }
    friend GLYPHON_EXPORT bool operator==(const Collection& a, const Collection& b);

private:
    struct Data;
    // What a moved-from collection holds.
    static QSharedDataPointer<Data> emptyData();
    int positionOfKey(const QString& key) const;
    // The entries and their index to change; detaches them from every copy first.
    Data& changeable();

    QSharedDataPointer<Data> data_;
};
