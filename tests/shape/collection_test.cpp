#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "collection.h"

namespace {

Collection filled(std::initializer_list<std::pair<qint16, const char*>> entries) {
    Collection c;
    for (const auto& [item, key] : entries) c.add(item, QString::fromUtf8(key));
    return c;
}

TEST(Collection, PositionsAreOneBased) {
    const Collection c = filled({{3, "3"}, {12, "12"}, {7, "7"}});
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c.item(1), 3);
    EXPECT_EQ(c.item(3), 7);
    EXPECT_EQ(c.item(0), std::nullopt);
    EXPECT_EQ(c.item(4), std::nullopt);
    EXPECT_EQ(c.positionOfItem(12), 2);
    EXPECT_EQ(c.positionOfItem(99), 0);
    EXPECT_EQ(c.joined(), QStringLiteral("3,12,7"));
}

TEST(Collection, DuplicateKeyChangesNothing) {
    Collection c = filled({{4, "4"}, {9, "9"}});
    EXPECT_FALSE(c.add(5, QStringLiteral("4")));
    EXPECT_EQ(c.count(), 2);
    EXPECT_EQ(c.itemByKey(QStringLiteral("4")), 4);
    EXPECT_EQ(c.joined(), QStringLiteral("4,9"));
    // The recursive second connector files the same item under its own key.
    EXPECT_TRUE(c.add(4, QStringLiteral("4_2")));
    EXPECT_EQ(c.joined(), QStringLiteral("4,9,4"));
    EXPECT_EQ(c.itemByKey(QStringLiteral("4_2")), 4);
}

TEST(Collection, EntriesWithoutKeyMayRepeat) {
    Collection c;
    EXPECT_TRUE(c.add(8));
    EXPECT_TRUE(c.add(8));
    EXPECT_EQ(c.count(), 2);
    EXPECT_FALSE(c.containsKey(QString()));
    EXPECT_FALSE(c.removeKey(QString()));
    EXPECT_EQ(c.count(), 2);
}

TEST(Collection, RemoveByKeyAndByPosition) {
    Collection c = filled({{3, "3"}, {12, "12"}, {7, "7"}, {5, "5"}});
    EXPECT_TRUE(c.removeKey(QStringLiteral("12")));
    EXPECT_EQ(c.joined(), QStringLiteral("3,7,5"));
    EXPECT_FALSE(c.removeKey(QStringLiteral("12")));
    EXPECT_TRUE(c.remove(1));
    EXPECT_EQ(c.joined(), QStringLiteral("7,5"));
    EXPECT_FALSE(c.remove(0));
    EXPECT_FALSE(c.remove(3));
    EXPECT_EQ(c.joined(), QStringLiteral("7,5"));
    // A removed key may be filed again.
    EXPECT_TRUE(c.add(3, QStringLiteral("3")));
    EXPECT_EQ(c.joined(), QStringLiteral("7,5,3"));
    c.clear();
    EXPECT_TRUE(c.isEmpty());
    EXPECT_EQ(c.joined(), QString());
}

TEST(Collection, ACopySharesUntilEitherSideChanges) {
    Collection original = filled({{1, "1"}, {2, "2"}});
    Collection copy = original;
    EXPECT_TRUE(copy.sharesEntriesWith(original));
    copy.add(3, QStringLiteral("3"));
    EXPECT_FALSE(copy.sharesEntriesWith(original));
    EXPECT_EQ(original.joined(), QStringLiteral("1,2"));
    EXPECT_EQ(copy.joined(), QStringLiteral("1,2,3"));

    Collection second = original;
    original.removeKey(QStringLiteral("1"));
    EXPECT_EQ(second.joined(), QStringLiteral("1,2"));
    EXPECT_EQ(original.joined(), QStringLiteral("2"));
    // Failed changes leave the sharing alone; equal entries compare equal however held.
    Collection third = second;
    EXPECT_FALSE(third.add(9, QStringLiteral("2")));
    EXPECT_TRUE(third.sharesEntriesWith(second));
    EXPECT_EQ(filled({{1, "1"}, {2, "2"}}), second);
}

TEST(Collection, AMovedFromCollectionIsEmptyAndUsable) {
    Collection source = filled({{1, "1"}, {2, "2"}});
    Collection moved = std::move(source);
    EXPECT_EQ(moved.joined(), QStringLiteral("1,2"));
    EXPECT_TRUE(source.isEmpty());  // NOLINT(bugprone-use-after-move): empty by contract
    EXPECT_TRUE(source.add(5, QStringLiteral("5")));
    Collection other;
    other = std::move(source);  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(other.joined(), QStringLiteral("5"));
    EXPECT_TRUE(source.isEmpty());  // NOLINT(bugprone-use-after-move)
    // Two moved-from collections share nothing a change could reach.
    Collection a = filled({{1, "1"}}), b = filled({{2, "2"}});
    Collection takeA = std::move(a), takeB = std::move(b);
    a.add(7);                  // NOLINT(bugprone-use-after-move)
    EXPECT_TRUE(b.isEmpty());  // NOLINT(bugprone-use-after-move)
    EXPECT_EQ(a.joined(), QStringLiteral("7"));
}

// Large collections answer lookups from an index; whatever mix of additions and removals made
// them, every answer must be the one a plain search of the entries gives, and copies taken along
// the way must keep what they held.
TEST(Collection, LookupsMatchASearchOfTheEntriesAtAnySize) {
    std::mt19937 random(7);
    const auto pick = [&](int below) { return int(random() % unsigned(below)); };
    Collection c;
    std::vector<Collection::Entry> expected;
    std::vector<std::pair<Collection, std::vector<Collection::Entry>>> copies;
    for (int step = 0; step < 3000; ++step) {
        const int op = pick(10);
        // Mostly additions, so the collection grows well past the size an index starts at;
        // items from a small range repeat, and every third entry has no key.
        if (op < 6) {
            const qint16 item = qint16(pick(60));
            const QString key = pick(3) == 0 ? QString() : QString::number(pick(200));
            const bool fresh =
                key.isEmpty() || std::none_of(expected.begin(), expected.end(),
                                              [&](const auto& e) { return e.key == key; });
            EXPECT_EQ(c.add(item, key), fresh);
            if (fresh) expected.push_back({item, key});
        } else if (op < 8) {
            const int position = pick(int(expected.size()) + 2);  // sometimes out of range
            const bool inRange = position >= 1 && position <= int(expected.size());
            EXPECT_EQ(c.remove(position), inRange);
            if (inRange) expected.erase(expected.begin() + (position - 1));
        } else if (op == 8) {
            const QString key = QString::number(pick(200));
            const auto at = std::find_if(expected.begin(), expected.end(),
                                         [&](const auto& e) { return e.key == key; });
            EXPECT_EQ(c.removeKey(key), at != expected.end());
            if (at != expected.end()) expected.erase(at);
        } else if (pick(40) == 0) {
            c.clear();
            expected.clear();
        } else {
            copies.emplace_back(c, expected);
        }
        ASSERT_EQ(c.entries(), expected) << "after step " << step;
        for (int item = 0; item < 60; ++item) {
            const auto at = std::find_if(expected.begin(), expected.end(),
                                         [&](const auto& e) { return e.item == item; });
            const int position = at == expected.end() ? 0 : int(at - expected.begin()) + 1;
            ASSERT_EQ(c.positionOfItem(qint16(item)), position) << "item " << item;
            ASSERT_EQ(c.containsItem(qint16(item)), position != 0);
        }
        for (int k = 0; k < 200; ++k) {
            const QString key = QString::number(k);
            const auto at = std::find_if(expected.begin(), expected.end(),
                                         [&](const auto& e) { return e.key == key; });
            ASSERT_EQ(c.containsKey(key), at != expected.end()) << "key " << k;
            ASSERT_EQ(c.itemByKey(key),
                      at == expected.end() ? std::nullopt : std::optional<qint16>(at->item));
        }
    }
    for (const auto& [copy, held] : copies) {
        EXPECT_EQ(copy.entries(), held);
        for (size_t i = 0; i < held.size(); ++i)
            if (!held[i].key.isEmpty()) EXPECT_EQ(copy.itemByKey(held[i].key), held[i].item);
    }
}

}  // namespace
