#include <gtest/gtest.h>

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

}  // namespace
