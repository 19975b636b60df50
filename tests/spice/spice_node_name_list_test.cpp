#include <gtest/gtest.h>

#include "../support/temp_dir.h"
#include "list_dump.h"

namespace {
CSpiceNodeNameList Make(const char* text, int bSelect = 1, int bIPlot = 0, NODE_TYPE type = NODE_VOLTAGE) {
    CSpiceNodeNameList list;
    list.fromSpaceDelimittedTokens(text, bSelect, bIPlot, type);
    return list;
}
}  // namespace

TEST(CSpiceNodeNameList, FillsFromWordsAndOtherLists) {
    EXPECT_EQ(Dump(Make("  a  mid:x1\t ", 0, 1, NODE_CURRENT)), "a/4/300 mid:x1/4/308");
    EXPECT_EQ(Dump(Make("a\tb a", 0)), "a\tb/3/0 a/3/0");  // only blanks separate; duplicates stay

    CSpiceNodeNameList list = Make("a b");
    list.addFromToken(" a ", 0, 1, NODE_CURRENT);  // known: only the selection changes
    list.addFromSpaceDelimittedTokens("c  b", 1, 1, NODE_CURRENT);
    list.addFromToken("  ", 1, 1, NODE_CURRENT);
    EXPECT_EQ(Dump(list), "a/3/0 b/3/100 c/4/300");

    fromString("all", list, NODE_NONE, GROUP_ALL, 0);
    CSpiceNodeNameList empty;
    empty.addFromCSpiceNodeNameList(list, 1, 0);  // takes everything, with fresh marks
    EXPECT_EQ(Dump(empty), "a/3/100 b/3/100 c/4/100 all/0/fffffeff");
    CSpiceNodeNameList some = Make("b q:x1", 0);
    some.addFromCSpiceNodeNameList(list, 0, 0);
    EXPECT_EQ(Dump(some), "b/3/0 q:x1/3/8 a/3/0 c/4/0 all/0/fffffeff");

    fromString("p q:x1", some, NODE_CURRENT, 0x004, 1);
    EXPECT_EQ(Dump(some), "p/4/4 q:x1/4/4");
}

TEST(CSpiceNodeNameList, TextFormListsMatchingNames) {
    EXPECT_EQ(CSpiceNodeNameList().toSpaceDelimittedTokens(0x100, "<none>", 0), "<none>");
    EXPECT_EQ(CSpiceNodeNameList().toSpaceDelimittedTokens(0x100, "<none>", 1), "all ");

    CSpiceNodeNameList list = Make("vout @r1[i]");
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, "<none>", 0), "vout @r1[i] ");
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, "<none>", 1), "all @r1[i] ");
    list.IPlotAll(1);
    list.SelectAll(0);
    EXPECT_EQ(list.toSpaceDelimittedTokens(0x100, "<none>", 0), "");  // records, none matching
    EXPECT_EQ(list.toSpaceDelimittedTokens(GROUP_IPLOT, "<none>", 0), "vout @r1[i] ");
}

TEST(CSpiceNodeNameList, FiltersByGroupAndType) {
    CSpiceNodeNameList list = Make("a mid:x1 col:q1");
    fromString("i1 i2:x1", list, NODE_CURRENT, 0, 0);
    CSpiceNodeNameList out = Make("stale");
    list.GetStrings(GROUP_SUBMODULE, out);
    EXPECT_EQ(Dump(out), "mid:x1/3/108 i2:x1/4/8");
    list.GetStrings(NODE_CURRENT, GROUP_ALL, out);
    EXPECT_EQ(Dump(out), "i2:x1/4/8");

    const std::string before = Dump(list);
    CSpiceNodeNameList byType = list;
    byType.EraseAllOfNodeType(NODE_VOLTAGE, 0);
    EXPECT_EQ(Dump(byType), "a/3/100 mid:x1/3/108 col:q1/3/104");
    EXPECT_EQ(Dump(list), before);  // the copy was deep

    list.EraseAllOfNodeGroup(GROUP_SUBMODULE | GROUP_SUBCKT, 1);
    EXPECT_EQ(Dump(list), "a/3/100 i1/4/0");
    list.EraseAllOfNodeGroup(GROUP_SELECTED, 0);
    list.GetStrings(GROUP_SELECTED, list);  // into itself
    EXPECT_EQ(Dump(list), "a/3/100");
}

TEST(CSpiceNodeNameList, FindCountsEveryNode) {
    CSpiceNodeNameList list = Make("a b c");
    EXPECT_EQ(list.Find("d"), -1);
    EXPECT_EQ(list.Find(nullptr), -1);
    {
        auto walk = list.begin();
        list.remove(walk.node());  // only marked while the walk runs
        EXPECT_EQ(list.Find("a"), -1);
        EXPECT_EQ(list.Find("c"), 2);
        list.addFromToken("a", 0, 0, NODE_NONE);  // the marked record is still found
    }
    EXPECT_EQ(Dump(list), "b/3/100 c/3/100");
}

TEST(CSpiceNodeNameList, PrintAppendsNamesAndAnEmptyLine) {
    TempDir dir;
    const std::string path = dir / "print.txt";
    Make("a b").print(path.c_str());
    CSpiceNodeNameList().print(path.c_str());
    EXPECT_EQ(ReadFile(path), "a\nb\n\n\n");
    Make("a").print((dir / "missing/x.txt").c_str());  // skipped without a word
}
