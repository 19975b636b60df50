#include <gtest/gtest.h>

#include "veltutil/platform/host/cstring.h"
#include "veltutil/platform/host/cstring_array.h"
#include "veltutil/platform/host/message_box.h"

TEST(CString, SlicesClampOutOfRangePositions) {
    CString s("abcdef");
    EXPECT_EQ(s.Left(2), "ab");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(99), "abcdef");
    EXPECT_EQ(s.Mid(4), "ef");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Mid(5, 10), "f");
    EXPECT_EQ(s.Mid(10), "");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(10), "abcdef");
}

TEST(CString, FindsCharactersAndTextsFromAPosition) {
    CString s("a:b:c");
    EXPECT_EQ(s.Find(':'), 1);
    EXPECT_EQ(s.Find(':', 2), 3);
    EXPECT_EQ(s.Find(':', 4), -1);
    EXPECT_EQ(s.Find("b:c"), 2);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Find("a", 99), -1);
    EXPECT_EQ(s.ReverseFind(':'), 3);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
}

TEST(CString, TrimsCLocaleWhiteSpaceAtEitherEnd) {
    CString s(" \t\r\n x y \v\f");
    EXPECT_EQ(CString(s).TrimLeft(), "x y \v\f");
    EXPECT_EQ(CString(s).TrimRight(), " \t\r\n x y");
    EXPECT_EQ(CString(s).Trim(), "x y");
    EXPECT_EQ(CString("xxaxx").Trim('x'), "a");
    EXPECT_EQ(CString("-+a+-").TrimLeft("+-"), "a+-");
    EXPECT_EQ(CString("   ").Trim(), "");
}

TEST(CString, CaseAndComparison) {
    EXPECT_EQ(CString("aBc1").MakeUpper(), "ABC1");
    EXPECT_EQ(CString("aBc1").MakeLower(), "abc1");
    EXPECT_EQ(CString("Hello").CompareNoCase("hELLO"), 0);
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("abcd").CompareNoCase("ABC"), 0);
    EXPECT_LT(CString("a").Compare("b"), 0);
    EXPECT_EQ(CString(nullptr), "");
}

TEST(CString, FormatHandlesLongOutputAndAppends) {
    CString s;
    s.Format("%ld|%lg|%s", 42L, 2.5, "x");
    EXPECT_EQ(s, "42|2.5|x");
    std::string big(1000, 'z');
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 1002);
    s.AppendFormat("%d", 7);
    EXPECT_EQ(s.Right(2), ">7");
}

TEST(CString, EditingOperations) {
    CString s("a-b-c");
    EXPECT_EQ(s.Replace("-", "--"), 2);
    EXPECT_EQ(s, "a--b--c");
    EXPECT_EQ(s.Remove('-'), 4);
    EXPECT_EQ(s, "abc");
    s.Insert(1, "XY");
    EXPECT_EQ(s, "aXYbc");
    s.Delete(1, 2);
    EXPECT_EQ(s, "abc");
    s.Delete(2, 100);
    EXPECT_EQ(s, "ab");
    int pos = 0;
    CString line(" one  two ");
    EXPECT_EQ(line.Tokenize(" ", pos), "one");
    EXPECT_EQ(line.Tokenize(" ", pos), "two");
    EXPECT_EQ(line.Tokenize(" ", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(CStringArray, InsertRemoveAndBounds) {
    CStringArray a;
    EXPECT_EQ(a.Add("x"), 0);
    EXPECT_EQ(a.Add("z"), 1);
    a.InsertAt(1, "y");
    ASSERT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[1], "y");
    a.RemoveAt(0);
    a.RemoveAt(7);  // ignored
    EXPECT_EQ(a.GetSize(), 2);
    EXPECT_EQ(a[0], "y");
}

TEST(MessageBox, NobodyAtTheTerminalGetsTheDefaultButton) {
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_OK), IDOK);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
}

TEST(MessageBox, ScriptedAnswersAreRecordedAndRestored) {
    {
        ScriptedMessageBoxes boxes;
        boxes.Answer(IDNO);
        EXPECT_EQ(MessageBox(nullptr, "Quit?", "Q", MB_YESNO | MB_ICONQUESTION), IDNO);
        EXPECT_EQ(MessageBox(nullptr, "Again?", "Q", MB_YESNO), IDYES);
        ASSERT_EQ(boxes.Requests().size(), 2u);
        EXPECT_EQ(boxes.Requests()[0].text, "Quit?");
        EXPECT_EQ(boxes.Requests()[0].type, MB_YESNO | MB_ICONQUESTION);
    }
    EXPECT_EQ(MessageBox(nullptr, "t", "c", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
}
