#include <gtest/gtest.h>

#include "core/shared/justify.h"

namespace {

TEST(Justify, TrimsPadsWithTheFirstFillCharacterAndNeverCuts)
{
    const struct {
        const char* value;
        int width;
        const char *fill, *left, *right, *trimmed;
    } cases[] = {
        {"7", 3, "0", "007", "700", "7"},         {"AB", 4, "", "  AB", "AB  ", "AB"},
        {"ABCDE", 3, "0", "ABCDE", "ABCDE", "ABCDE"}, {"  x  ", 3, "-", "--x", "x--", "x"},
        {"5", 4, "0123", "0005", "5000", "5"},    {"", 3, "", "   ", "   ", ""},
        {" a b ", 5, ".", "..a b", "a b..", "a b"}, {"12", -4, "0", "12", "12", "12"},
        {"\t9", 3, "0", "0\t9", "\t90", "\t9"},   // only blanks are trimmed
    };
    for (const auto& t : cases) {
        QString left = t.value, right = t.value;
        EXPECT_EQ(pad_left(left, t.width, t.fill), t.left) << '"' << t.value << '"';
        EXPECT_EQ(pad_right(right, t.width, t.fill), t.right) << '"' << t.value << '"';
        EXPECT_EQ(left, t.trimmed);
        EXPECT_EQ(right, t.trimmed);
    }
    const QString fixed = " 42 ";
    EXPECT_EQ(pad_left(fixed, 5) + pad_right(fixed, 5), "   4242   ");
    EXPECT_EQ(fixed, " 42 ");
}

} // namespace
