#include <gtest/gtest.h>

#include <string>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/windows/message_box.h"

TEST(CString, SlicesClampAndSearchesStopAtTheEnd) {
    CString s("abcdef");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(99), "abcdef");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Mid(5, 10), "f");
    EXPECT_EQ(s.Right(10), "abcdef");

    CString t("a:b:c");
    EXPECT_EQ(t.Find(':', 2), 3);
    EXPECT_EQ(t.Find(':', 4), -1);
    EXPECT_EQ(t.Find("b:c"), 2);
    EXPECT_EQ(t.ReverseFind(':'), 3);
    EXPECT_EQ(t.FindOneOf("cb"), 2);
}

TEST(CString, TrimsCLocaleWhiteSpaceAndComparesWithoutCase) {
    CString s(" \t\r\n x y \v\f");
    EXPECT_EQ(CString(s).TrimLeft(), "x y \v\f");
    EXPECT_EQ(CString(s).TrimRight(), " \t\r\n x y");
    EXPECT_EQ(CString("   ").Trim(), "");
    EXPECT_EQ(CString("Hello").CompareNoCase("hELLO"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
}

TEST(CString, FormatGrowsForLongOutputAndEditsCountWhatTheyChange) {
    CString s;
    s.Format("<%s>", std::string(1000, 'z').c_str());
    s.AppendFormat("%ld|%lg", 42L, 2.5);
    EXPECT_EQ(s.GetLength(), 1008);
    EXPECT_EQ(s.Right(7), ">42|2.5");

    CString e("a-b-c");
    EXPECT_EQ(e.Replace("-", "--"), 2);
    EXPECT_EQ(e.Remove('-'), 4);
    e.Delete(2, 100);
    EXPECT_EQ(e, "ab");
    int pos = 0;
    CString line(" one  two ");
    EXPECT_EQ(line.Tokenize(" ", pos), "one");
    EXPECT_EQ(line.Tokenize(" ", pos), "two");
    EXPECT_EQ(line.Tokenize(" ", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(MessageBox, UnscriptedBoxesGetTheDefaultButton) {
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
}
