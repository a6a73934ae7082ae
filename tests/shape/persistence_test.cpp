#include <gtest/gtest.h>

#include "propertybag.h"
#include "usercontrol1.h"

namespace {

QFont ambient() {
    QFont font(QStringLiteral("Noto Sans CJK TC"));
    font.setPointSize(9);
    return font;
}

QFont keyFont() {
    QFont font = ambient();
    font.setUnderline(true);
    return font;
}

void setNonDefaults(UserControl1& c) {
    c.setBackColor(0x00FF00);
    c.setForeColor(0x0000FF);
    c.setFont(keyFont());
    c.setBorderStyle(0);
    c.setShape(3);
    c.setCaption(QStringLiteral("學號"));
}

TEST(Persistence, DefaultsAreNotStored) {
    UserControl1 c;
    c.setFont(ambient());
    PropertyBag bag;
    c.WriteProperties(bag, ambient());
    EXPECT_TRUE(bag.names().isEmpty()) << bag.names().join(',').toStdString();
}

TEST(Persistence, WritesInOrderAndReadsBack) {
    UserControl1 written;
    setNonDefaults(written);
    PropertyBag bag;
    written.WriteProperties(bag, ambient());
    EXPECT_EQ(bag.names(),
              QStringList({"BackColor", "ForeColor", "Font", "BorderStyle", "Shape", "Caption"}));

    UserControl1 read;
    read.ReadProperties(bag, ambient());
    EXPECT_EQ(read.BackColor(), 0x00FF00u);
    EXPECT_EQ(read.ForeColor(), 0x0000FFu);
    EXPECT_EQ(read.Font(), keyFont());
    EXPECT_TRUE(read.Font().underline());
    EXPECT_EQ(read.BorderStyle(), 0);
    EXPECT_EQ(read.Shape(), 3.0f);
    EXPECT_EQ(read.Caption(), QStringLiteral("學號"));
}

TEST(Persistence, MissingEntriesYieldDefaults) {
    UserControl1 c;
    setNonDefaults(c);
    c.ReadProperties(PropertyBag(), ambient());
    EXPECT_EQ(c.BackColor(), 12632319u);
    EXPECT_EQ(c.ForeColor(), 0x80000008u);
    EXPECT_EQ(c.Font(), ambient());
    EXPECT_EQ(c.BorderStyle(), 1);
    EXPECT_EQ(c.Caption(), QStringLiteral("Label1"));
    EXPECT_EQ(c.Shape(), 0.0f);
}

TEST(Persistence, UnreadableEntriesYieldDefaults) {
    PropertyBag bag;
    bag.setValue("BackColor", QStringLiteral("pink"));
    bag.setValue("ForeColor", QVariant::fromValue(QFont()));
    bag.setValue("Font", 17);
    bag.setValue("BorderStyle", 9);
    bag.setValue("Shape", QStringLiteral("diamond"));
    UserControl1 c;
    c.ReadProperties(bag, ambient());
    EXPECT_EQ(c.BackColor(), 12632319u);
    EXPECT_EQ(c.ForeColor(), 0x80000008u);
    EXPECT_EQ(c.Font(), ambient());
    EXPECT_EQ(c.BorderStyle(), 1);
    EXPECT_EQ(c.Shape(), 0.0f);
}

TEST(Persistence, AcceptsOtherNumericEncodings) {
    PropertyBag bag;
    bag.setValue("ForeColor", qint32(-2147483640));  // the window-text colour as a signed value
    bag.setValue("BackColor", quint32(0xFF8000));
    bag.setValue("Shape", QVariant::fromValue<qint16>(4));
    bag.setValue("BorderStyle", 0.0);
    UserControl1 c;
    c.ReadProperties(bag, ambient());
    EXPECT_EQ(c.ForeColor(), 0x80000008u);
    EXPECT_EQ(c.BackColor(), 0xFF8000u);
    EXPECT_EQ(c.Shape(), 4.0f);
    EXPECT_EQ(c.BorderStyle(), 0);
}

TEST(Persistence, StoredInstanceKeepsInsetsZeroWhilePlacedOneGetsFive) {
    UserControl1 placed;
    placed.InitProperties();
    EXPECT_EQ(placed.RecWidth, 5);
    EXPECT_EQ(placed.EllWidth, 5);
    EXPECT_EQ(placed.DiaWidth, 5);
    EXPECT_EQ(placed.Shape(), 0.0f);

    UserControl1 stored;
    PropertyBag bag;
    placed.WriteProperties(bag, ambient());
    stored.ReadProperties(bag, ambient());
    EXPECT_EQ(stored.RecWidth, 0);
    EXPECT_EQ(stored.EllWidth, 0);
    EXPECT_EQ(stored.DiaWidth, 0);
    EXPECT_FALSE(stored.IsSizeLock);
}

TEST(Persistence, ReadingDoesNotPaintButTheNextPaintRequestDoes) {
    PropertyBag bag;
    bag.setValue("Shape", 4.0f);
    bag.setValue("BorderStyle", QVariant::fromValue<qint16>(0));
    UserControl1 c;
    c.resize(73, 41);
    c.ReadProperties(bag, ambient());
    EXPECT_TRUE(c.lastOutline().polygons.empty());
    c.grab();
    ASSERT_EQ(c.lastOutline().polygons.size(), 1u);
    EXPECT_EQ(c.lastOutline().polygons[0].boundingRect().right(), 73);
}

TEST(Persistence, RewritingABagDropsValuesBackAtTheirDefault) {
    UserControl1 c;
    setNonDefaults(c);
    PropertyBag bag;
    c.WriteProperties(bag, ambient());
    c.setCaption(QStringLiteral("Label1"));
    c.setBackColor(UserControl1::kDefaultBackColor);
    c.WriteProperties(bag, ambient());
    EXPECT_FALSE(bag.contains("Caption"));
    EXPECT_FALSE(bag.contains("BackColor"));
    EXPECT_TRUE(bag.contains("Shape"));
}

}  // namespace
