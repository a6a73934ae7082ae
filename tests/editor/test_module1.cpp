#include <gtest/gtest.h>

#include <ostream>

#include "module1.h"

namespace {

struct SplitCase {
    const char* text;
    const char* min;
    const char* max;
};

std::ostream& operator<<(std::ostream& os, const SplitCase& s) {
    return os << '"' << s.text << '"';
}

class SplitAtFirstComma : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitAtFirstComma, GivesTheTextBeforeAndAfter) {
    const SplitCase& s = GetParam();
    EXPECT_EQ(MinPart(QString::fromUtf8(s.text)), QString::fromUtf8(s.min));
    EXPECT_EQ(MaxPart(QString::fromUtf8(s.text)), QString::fromUtf8(s.max));
}

INSTANTIATE_TEST_SUITE_P(Module1, SplitAtFirstComma,
                         ::testing::Values(SplitCase{"0,N", "0", "N"},      // participation
                                           SplitCase{"3,12", "3", "12"},    // connector tag
                                           SplitCase{"", "", ""},           // nothing given yet
                                           SplitCase{"N", "", "N"},         // textbook caption
                                           SplitCase{"1,2,3", "1", "2,3"},  // only the first comma
                                           SplitCase{",5", "", "5"}, SplitCase{"7,", "7", ""},
                                           SplitCase{"角色,二", "角色", "二"}));

}  // namespace
