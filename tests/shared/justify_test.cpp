#include <gtest/gtest.h>

#include "core/shared/justify.h"

namespace {

TEST(Justify, TrimsPadsWithTheFirstFillCharacterAndNeverCuts)
{
    const struct { const char* value; int width; const char *fill, *left, *right; } cases[] = {
        {"7", 3, "0", "007", "700"},         {"AB", 4, "", "  AB", "AB  "},
        {"ABCDE", 3, "0", "ABCDE", "ABCDE"}, {"  x  ", 3, "-", "--x", "x--"},
        {"5", 4, "0123", "0005", "5000"},    {"", 3, "", "   ", "   "},
        {" a b ", 5, ".", "..a b", "a b.."}, {"12", -4, "0", "12", "12"},
        {"\t9", 3, "0", "0\t9", "\t90"},   // only blanks are trimmed
    };
    for (const auto& t : cases) {
        EXPECT_EQ(pad_left(t.value, t.width, t.fill), t.left) << '"' << t.value << '"';
        EXPECT_EQ(pad_right(t.value, t.width, t.fill), t.right) << '"' << t.value << '"';
    }
}

} // namespace
