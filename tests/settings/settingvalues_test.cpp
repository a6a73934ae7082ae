#include <gtest/gtest.h>

#include "settingvalues.h"

namespace {

struct ColourCase {
    const char* text;
    std::optional<OleColor> expected;
};

class ColourText : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourText, ReadsTheNumberAtTheStart) {
    EXPECT_EQ(settingToColour(QString::fromUtf8(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColourText,
    ::testing::Values(ColourCase{"255", 255}, ColourCase{"255abc", 255},
                      ColourCase{"  65280 px", 65280}, ColourCase{"1.5e3px", 1500},
                      ColourCase{"1eggs", 1}, ColourCase{"254.5", 254}, ColourCase{"255.5", 256},
                      ColourCase{"+12", 12}, ColourCase{"16777215", 16777215},
                      ColourCase{"abc", std::nullopt}, ColourCase{"", std::nullopt},
                      ColourCase{".", std::nullopt}, ColourCase{"-5", std::nullopt},
                      ColourCase{"16777216", std::nullopt}, ColourCase{"1e400", std::nullopt},
                      ColourCase{"９９", std::nullopt}));

struct WholeCase {
    const char* text;
    std::optional<qint16> expected;
};

class Int16Text : public ::testing::TestWithParam<WholeCase> {};

TEST_P(Int16Text, NeedsTheWholeTextToBeANumber) {
    EXPECT_EQ(settingToInt16(QString::fromUtf8(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, Int16Text,
    ::testing::Values(WholeCase{"0", 0}, WholeCase{" 7 ", 7}, WholeCase{"-3", -3},
                      WholeCase{"2.5", 2}, WholeCase{"3.5", 4}, WholeCase{"-2.5", -2},
                      WholeCase{"32767", 32767}, WholeCase{"32767.6", std::nullopt},
                      WholeCase{"-32769", std::nullopt}, WholeCase{"12abc", std::nullopt},
                      WholeCase{"abc", std::nullopt}, WholeCase{"", std::nullopt},
                      WholeCase{"nan", std::nullopt}, WholeCase{"1 2", std::nullopt}));

TEST(SettingValues, MissingValuesReadAsNothing) {
    EXPECT_EQ(settingToInt16(std::nullopt), std::nullopt);
    EXPECT_EQ(settingToInt32(std::nullopt), std::nullopt);
    EXPECT_EQ(settingToFloat(std::nullopt), std::nullopt);
    EXPECT_EQ(settingToColour(std::nullopt), std::nullopt);
}

TEST(SettingValues, Int32KeepsItsWholeRange) {
    EXPECT_EQ(settingToInt32(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(settingToInt32(QStringLiteral("-2147483648")), -2147483647 - 1);
    EXPECT_EQ(settingToInt32(QStringLiteral("2147483648")), std::nullopt);
}

TEST(SettingValues, FloatsAreWrittenShortestAndReadBackExactly) {
    EXPECT_EQ(floatText(12.5f), QStringLiteral("12.5"));
    EXPECT_EQ(floatText(1024.f), QStringLiteral("1024"));
    EXPECT_EQ(floatText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(floatText(-3.75f), QStringLiteral("-3.75"));
    for (float value : {0.1f, 1.f / 3.f, 123456.79f, -0.001f, 1e7f, 3.4e38f})
        EXPECT_EQ(settingToFloat(floatText(value)), value) << value;
    EXPECT_EQ(settingToFloat(QStringLiteral("1e39")), std::nullopt);
}

struct QuadCase {
    std::array<std::optional<OleColor>, 4> read;
    ColourQuad expected;
};

class DistinctColours : public ::testing::TestWithParam<QuadCase> {};

TEST_P(DistinctColours, KeepsTheFourColoursApart) {
    const ColourQuad defaults{16711680, 255, 16744576, 8421631};
    const ColourQuad result = distinctColours(GetParam().read, defaults);
    EXPECT_EQ(result, GetParam().expected);
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = i + 1; j < 4; ++j) EXPECT_NE(result[i], result[j]) << i << "," << j;
}

INSTANTIATE_TEST_SUITE_P(
    Colours, DistinctColours,
    ::testing::Values(
        // Distinct read colours stay as read.
        QuadCase{{1, 2, 3, 4}, {1, 2, 3, 4}},
        // Missing ones take their defaults.
        QuadCase{{std::nullopt, 2, std::nullopt, 4}, {16711680, 2, 16744576, 4}},
        // Two equal colours both go back to their defaults.
        QuadCase{{7, 7, 3, 4}, {16711680, 255, 3, 4}},
        QuadCase{{0, 0, 0, 0}, {16711680, 255, 16744576, 8421631}},
        // A default taken by a kept colour gives way to the next free default.
        QuadCase{{255, std::nullopt, 16744576, 8421631}, {255, 16711680, 16744576, 8421631}},
        QuadCase{{std::nullopt, 16711680, std::nullopt, 16744576},
                 {255, 16711680, 8421631, 16744576}}));

}  // namespace
