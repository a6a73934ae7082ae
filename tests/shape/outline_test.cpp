#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "outline.h"

namespace {

constexpr qint32 kMin = std::numeric_limits<qint32>::min();
constexpr qint32 kMax = std::numeric_limits<qint32>::max();

// ---- rounding half to even ----

struct RoundingCase {
    double value;
    std::optional<qint32> checked;
};

class RoundingTest : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundingTest, NearestWithTiesToEven) {
    const RoundingCase& c = GetParam();
    EXPECT_EQ(roundHalfEvenChecked(c.value), c.checked) << c.value;
    if (c.checked) {
        EXPECT_EQ(roundHalfEven(c.value), *c.checked) << c.value;
    }
}

using R = RoundingCase;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, RoundingTest, ::testing::Values(
    R{0.5, 0}, R{1.5, 2}, R{2.5, 2}, R{3.5, 4}, R{36.5, 36}, R{37.5, 38}, R{-0.5, 0}, R{-1.5, -2},
    R{-2.5, -2}, R{2.4999, 2}, R{2.5001, 3}, R{-2.6, -3}, R{72.0, 72}, R{2147483647.4, kMax},
    R{2147483647.5, std::nullopt},  // 2147483647 is odd: the tie goes up, out of range
    R{-2147483648.5, kMin}, R{-2147483649.5, std::nullopt}, R{1e300, std::nullopt},
    R{std::nan(""), std::nullopt}));
// clang-format on

TEST(Rounding, UncheckedSaturatesInsteadOfOverflowing) {
    EXPECT_EQ(roundHalfEven(1e12), kMax);
    EXPECT_EQ(roundHalfEven(-1e12), kMin);
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
}

// ---- outline per code ----

struct Box {  // an ellipse box with exclusive right and bottom
    int left, top, right, bottom;
};

struct OutlineCase {
    const char* name;
    float shape;
    double W, H;
    qint32 rec, ell, dia;
    std::vector<std::vector<QPoint>> polygons;
    std::vector<Box> ellipses;
    bool floodFill;
    QPointF centre;
};

class OutlineTest : public ::testing::TestWithParam<OutlineCase> {};

TEST_P(OutlineTest, MatchesThePaintProcedure) {
    const OutlineCase& c = GetParam();
    const OutlineGeometry g = outlineGeometry(c.shape, c.W, c.H, c.rec, c.ell, c.dia);
    ASSERT_EQ(g.polygons.size(), c.polygons.size());
    for (size_t i = 0; i < c.polygons.size(); ++i)
        EXPECT_EQ(g.polygons[i],
                  QPolygon(QList<QPoint>(c.polygons[i].begin(), c.polygons[i].end())))
            << "polygon " << i;
    ASSERT_EQ(g.ellipses.size(), c.ellipses.size());
    for (size_t i = 0; i < c.ellipses.size(); ++i) {
        const QRect& r = g.ellipses[i];
        EXPECT_EQ(r.left(), c.ellipses[i].left);
        EXPECT_EQ(r.top(), c.ellipses[i].top);
        EXPECT_EQ(r.right() + 1, c.ellipses[i].right);
        EXPECT_EQ(r.bottom() + 1, c.ellipses[i].bottom);
    }
    EXPECT_EQ(g.floodFill, c.floodFill);
    ASSERT_TRUE(g.captionCentre.has_value());
    EXPECT_DOUBLE_EQ(g.captionCentre->x(), c.centre.x());
    EXPECT_DOUBLE_EQ(g.captionCentre->y(), c.centre.y());
    EXPECT_FALSE(g.overflow);
}

std::string outlineName(const ::testing::TestParamInfo<OutlineCase>& info) {
    return info.param.name;
}

using P = std::vector<QPoint>;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, OutlineTest, ::testing::Values(
    OutlineCase{"Rectangle", 0, 73, 41, 5, 5, 5,
                {P{{0, 0}, {72, 0}, {72, 40}, {0, 40}}}, {}, true, {36, 20}},
    OutlineCase{"RectangleHalfCentre", 0, 74, 42, 0, 0, 0,
                {P{{0, 0}, {73, 0}, {73, 41}, {0, 41}}}, {}, true, {36.5, 20.5}},
    // W - 1 = 72.5 and H - 1 = 40.5 round to the even 72 and 40.
    OutlineCase{"RectangleFractionalScale", 0, 73.5, 41.5, 0, 0, 0,
                {P{{0, 0}, {72, 0}, {72, 40}, {0, 40}}}, {}, true, {36, 20}},
    OutlineCase{"DoubleRectangle", 1, 73, 41, 5, 9, 9,
                {P{{0, 0}, {72, 0}, {72, 40}, {0, 40}}, P{{5, 5}, {67, 5}, {67, 35}, {5, 35}}},
                {}, false, {36, 20}},
    OutlineCase{"Ellipse", 2, 73, 41, 5, 5, 5, {}, {{0, 0, 73, 41}}, false, {36.5, 20.5}},
    OutlineCase{"EllipseFractionalScale", 2, 72.5, 40.5, 0, 0, 0,
                {}, {{0, 0, 72, 40}}, false, {36.25, 20.25}},
    OutlineCase{"DoubleEllipse", 3, 73, 41, 9, 5, 9,
                {}, {{0, 0, 73, 41}, {5, 5, 68, 36}}, false, {36.5, 20.5}},
    // N(36.5) = 36 and N(20.5) = 20; the right and bottom tips are at W and H.
    OutlineCase{"Diamond", 4, 73, 41, 5, 5, 5,
                {P{{36, 0}, {73, 20}, {36, 41}, {0, 20}}}, {}, false, {36, 20}},
    OutlineCase{"DiamondOddHalves", 4, 75, 43, 0, 0, 0,
                {P{{38, 0}, {75, 22}, {38, 43}, {0, 22}}}, {}, false, {38, 22}},
    OutlineCase{"DoubleDiamond", 5, 73, 41, 9, 9, 5,
                {P{{36, 0}, {73, 20}, {36, 41}, {0, 20}}, P{{36, 5}, {68, 20}, {36, 36}, {5, 20}}},
                {}, false, {36, 20}},
    // Negative insets push the inner outline outwards; they are values like any other.
    OutlineCase{"DoubleDiamondNegativeInset", 5, 40, 20, 0, 0, -3,
                {P{{20, 0}, {40, 10}, {20, 20}, {0, 10}}, P{{20, -3}, {43, 10}, {20, 23}, {-3, 10}}},
                {}, false, {20, 10}}),
    outlineName);
// clang-format on

TEST(Outline, DiamondTipsLieOnePixelOutsideTheSurface) {
    for (const auto& [W, H] : {std::pair{73, 41}, {135, 67}, {2, 2}, {100, 51}}) {
        const OutlineGeometry diamond = outlineGeometry(4, W, H, 0, 0, 0);
        const QRect bounds = diamond.polygons.at(0).boundingRect();
        EXPECT_EQ(bounds.right(), W) << W;  // the last visible column is W - 1
        EXPECT_EQ(bounds.bottom(), H) << H;
        const QRect rectangle = outlineGeometry(0, W, H, 0, 0, 0).polygons.at(0).boundingRect();
        EXPECT_EQ(rectangle.right(), W - 1);
        EXPECT_EQ(rectangle.bottom(), H - 1);
    }
}

TEST(Outline, OtherCodesDrawNothingAndLeaveTheCaption) {
    for (const float code : {8.0f, 2.5f, -1.0f, 0.5f, 6.5f, 4.0001f, std::nanf("")}) {
        const OutlineGeometry g = outlineGeometry(code, 73, 41, 5, 5, 5);
        EXPECT_TRUE(g.polygons.empty()) << code;
        EXPECT_TRUE(g.ellipses.empty()) << code;
        EXPECT_FALSE(g.floodFill) << code;
        EXPECT_FALSE(g.captionCentre.has_value()) << code;
        EXPECT_FALSE(g.overflow) << code;
    }
}

// With inset 0 (an instance read from stored properties) the inner outline is the outer one.
class ZeroInsetTest : public ::testing::TestWithParam<std::pair<float, float>> {};

TEST_P(ZeroInsetTest, InnerOutlineCoincidesWithOuter) {
    const auto [doubled, single] = GetParam();
    for (const auto& [W, H] : {std::pair{73.0, 41.0}, {120.0, 60.0}, {72.5, 35.5}}) {
        const OutlineGeometry inner = outlineGeometry(doubled, W, H, 0, 0, 0);
        const OutlineGeometry outer = outlineGeometry(single, W, H, 0, 0, 0);
        if (!outer.polygons.empty()) {
            ASSERT_EQ(inner.polygons.size(), 2u);
            EXPECT_EQ(inner.polygons[0], outer.polygons[0]);
            EXPECT_EQ(inner.polygons[1], outer.polygons[0]);
        } else {
            ASSERT_EQ(inner.ellipses.size(), 2u);
            EXPECT_EQ(inner.ellipses[0], outer.ellipses[0]);
            EXPECT_EQ(inner.ellipses[1], outer.ellipses[0]);
        }
        EXPECT_EQ(inner.captionCentre, outer.captionCentre);
    }
}

INSTANTIATE_TEST_SUITE_P(DoubleCodes, ZeroInsetTest,
                         ::testing::Values(std::pair{1.0f, 0.0f}, std::pair{3.0f, 2.0f},
                                           std::pair{5.0f, 4.0f}));

// ---- inset overflow ----

struct OverflowCase {
    const char* name;
    float shape;
    qint32 inset;
    bool overflows;
};

class InsetOverflowTest : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(InsetOverflowTest, InnerOutlineIsDroppedWhenItLeavesThe32BitRange) {
    const OverflowCase& c = GetParam();
    const OutlineGeometry g = outlineGeometry(c.shape, 73, 41, c.inset, c.inset, c.inset);
    EXPECT_EQ(g.overflow, c.overflows);
    EXPECT_EQ(g.polygons.size() + g.ellipses.size(), c.overflows ? 1u : 2u);
    // The outer outline and the caption are there either way.
    const OutlineGeometry single = outlineGeometry(c.shape - 1, 73, 41, 0, 0, 0);
    if (!single.polygons.empty()) {
        EXPECT_EQ(g.polygons.at(0), single.polygons.at(0));
    } else {
        EXPECT_EQ(g.ellipses.at(0), single.ellipses.at(0));
    }
    EXPECT_EQ(g.captionCentre, single.captionCentre);
}

std::string overflowName(const ::testing::TestParamInfo<OverflowCase>& info) {
    return info.param.name;
}

// The rectangle's inner right edge is 72 - R, the ellipse's and diamond's N(73 - inset).
// clang-format off
INSTANTIATE_TEST_SUITE_P(Insets, InsetOverflowTest, ::testing::Values(
    OverflowCase{"RectangleLastFit", 1, kMin + 73, false},
    OverflowCase{"RectangleFirstOverflow", 1, kMin + 72, true},
    OverflowCase{"RectangleMinimum", 1, kMin, true},
    OverflowCase{"RectangleMaximumFits", 1, kMax, false},
    OverflowCase{"EllipseLastFit", 3, kMin + 74, false},
    OverflowCase{"EllipseFirstOverflow", 3, kMin + 73, true},
    OverflowCase{"EllipseMaximumFits", 3, kMax, false},
    OverflowCase{"DiamondLastFit", 5, kMin + 74, false},
    OverflowCase{"DiamondFirstOverflow", 5, kMin + 73, true}),
    overflowName);
// clang-format on

TEST(Outline, HugeSurfaceOverflowsWithoutDrawing) {
    const OutlineGeometry g = outlineGeometry(0, 1e12, 41, 0, 0, 0);
    EXPECT_TRUE(g.overflow);
    EXPECT_TRUE(g.polygons.empty());
    EXPECT_FALSE(g.captionCentre.has_value());
}

TEST(PixelRect, AnyFloatingPointRectangleGivesOneWhoseEdgesFitAnInt) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(pixelRect(QRectF(10.4, 20.6, 73.5, 41)), QRect(10, 21, 74, 41));
    EXPECT_EQ(pixelRect(QRectF(10.4, 20.6, 73.2, 41), true), QRect(10, 20, 74, 42));
    for (const QRectF& r :
         {QRectF(nan, nan, nan, nan), QRectF(1e39, -1e39, 3e9, inf), QRectF(-inf, 0, inf, 1e300)}) {
        for (const bool aligned : {false, true}) {
            const QRect p = pixelRect(r, aligned);
            // The right and bottom edges are sums that must not overflow.
            for (const qint64 v : {qint64(p.left()), qint64(p.top()), qint64(p.right()),
                                   qint64(p.bottom()), qint64(p.width()), qint64(p.height())})
                EXPECT_LE(std::abs(v), qint64(1) << 25);
        }
    }
    EXPECT_EQ(pixelCoordinate(nan), 0);
}

TEST(Caption, TopLeftCentresTheLabelOnTheAnchor) {
    EXPECT_EQ(captionTopLeft({36, 20}, {30, 12}), QPointF(21, 14));
    EXPECT_EQ(captionTopLeft({36.5, 20.5}, {31, 13}), QPointF(21, 14));
    EXPECT_EQ(captionTopLeft({36, 20}, {31, 13}), QPointF(20.5, 13.5));
    // A caption wider than the outline overhangs it on both sides.
    EXPECT_EQ(captionTopLeft({36, 20}, {100, 12}), QPointF(-14, 14));
}

}  // namespace
