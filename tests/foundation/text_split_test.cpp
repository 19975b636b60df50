#include <gtest/gtest.h>

#include <vector>

#include "veltutil/foundation/text_format.h"
#include "veltutil/foundation/text_split.h"

namespace {

std::vector<CString> items(const CStringArray& array) { return {array.begin(), array.end()}; }

}  // namespace

TEST(DivideStringIntoStatements, SplitsAtSemicolonsKeepingTrailingBlanksAndEmptyStatements) {
    CStringArray out;
    DivideStringIntoStatements("  a ; b;;c ", out);
    EXPECT_EQ(items(out), (std::vector<CString>{"a ", "b", "", "c"}));

    // A ";" followed only by blanks yields an empty statement; a final ";" does not.
    DivideStringIntoStatements("x; ;y;", out);
    EXPECT_EQ(items(out), (std::vector<CString>{"x", "", "y"}));
    DivideStringIntoStatements(" \t\n ", out);
    EXPECT_TRUE(out.IsEmpty());
}

TEST(DivideStringIntoWords, SplitsOnlyAtBlanksAfterSkippingWhiteSpace) {
    CStringArray out;
    DivideStringIntoWords("  one  two", out);
    EXPECT_EQ(items(out), (std::vector<CString>{"one", "two"}));

    // Tabs and line ends inside a word stay part of it; leading white space of any kind goes.
    DivideStringIntoWords("\t a\tb  c\nd \t ", out);
    EXPECT_EQ(items(out), (std::vector<CString>{"a\tb", "c\nd"}));
}

TEST(DetabString, PadsEachTabSeparatedPieceByItsLengthModuloTheTabSize) {
    EXPECT_EQ(DetabString("ab\tc", 4), "ab  c ");
    // Leading tabs and runs of tabs add nothing of their own.
    EXPECT_EQ(DetabString("\t\tabc\t\t\tdefg", 8), "abc   defg    ");
    EXPECT_EQ(DetabString("\t\t", 4), "");
    // The padding is capped at 37 blanks.
    EXPECT_EQ(DetabString(CString('x', 50), 100), CString('x', 50) + CString(' ', 37));
    // A tab size below 1 cannot pad and must not fault.
    EXPECT_EQ(DetabString("ab\tc", 0), "abc");
}
