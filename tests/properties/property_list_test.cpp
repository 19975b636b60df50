#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"
#include "veltutil/properties/property_list.h"

namespace {

CPropertyList workedExample() {
    CPropertyList sub(CPropertyItem("On", CPropertyItem::PI_TRUE));
    const long pins[] = {1, 2};
    CPropertyList list;
    list.AddItem(CPropertyItem("Name", CString("R1")));
    list.AddItem(CPropertyItem("Count", 3L));
    list.AddItem(CPropertyItem("Gain", 2.5));
    list.AddItem(CPropertyItem("Pins", pins, 2));
    list.AddItem(CPropertyItem("Sub", sub));
    return list;
}

const char* const workedText =
    "Name:string{R1}\n"
    "Count:long{3}\n"
    "Gain:double{2.5}\n"
    "Pins:long[]{-:-{1}\n"
    "-:-{2}\n"
    "}\n"
    "Sub:list{On:bool{1}\n"
    "}\n";

std::string labels(const CPropertyList& list) {
    std::string out;
    for (const CPropertyItem* item : list) out += std::string(item->GetLabel()) + ";";
    return out;
}

}  // namespace

TEST(PropertyList, WorkedExampleTextAndDisplayForm) {
    CPropertyList list = workedExample();
    EXPECT_EQ(list.GetList(), workedText);
    EXPECT_EQ(formatPropertyList(list, 0, 0),
              " Name:string{R1}\n"
              " Count:long{3}\n"
              " Gain:double{2.5}\n"
              " Pins:long[]{-:-{1}\n"
              "-:-{2}\n"
              "}\n"
              " Sub:list\n"
              " {\n"
              "   On:bool{1}\n"
              " }\n");

    // Parsing it back is the round trip's business; an item built from a list shows it too.
    CPropertyItem sub;
    ASSERT_EQ(list.GetNth(4, sub), 1);
    EXPECT_EQ(formatPropertyItem(sub, 1, 1), " Sub:list\r\n {\r\n   On:bool{1}\r\n }\r\n");
    EXPECT_EQ(sub.GetValue(), "On:bool{1}\n");
}

TEST(PropertyList, ParsingToleratesWhiteSpaceAndStopsAtTheFirstItemWithoutALabel) {
    EXPECT_TRUE(CPropertyList(CString("no braces: at all")).IsEmpty());
    EXPECT_EQ(CPropertyList(CString("a:long{1}")).GetList(), "a:long{1}\n");
    EXPECT_EQ(labels(CPropertyList(CString("a:long{1}\n:long{2}\nc:long{3}"))), "a;");
    EXPECT_EQ(CPropertyList(CString("\n\n a:long{1}\r\n\t\tb : x {2}\r\n")).GetList(), "a:long{1}\nb:x{2}\n");
    // Text between a closing brace and the next label becomes part of that label.
    EXPECT_EQ(labels(CPropertyList(CString("a:long{1} junk b:long{2}"))), "a;junk b;");
    // Unmatched braces stop the parse; what was read before stays.
    EXPECT_EQ(labels(CPropertyList(CString("a:long{1}\nb:list{c:long{2}\n"))), "a;");
    // An item text without a colon before its brace keeps everything up to the first colon.
    CPropertyItem odd;
    CPropertyList(CString("x{y}z:long{1}")).GetNth(0, odd);
    EXPECT_EQ(odd.GetLabel(), "x{y}");
    EXPECT_EQ(odd.GetField(), "");
}

TEST(PropertyList, AddingMergingAndTakingItems) {
    CPropertyList list;
    list.AddItem(CPropertyItem("   ", 1L));
    EXPECT_TRUE(list.IsEmpty());

    list = CPropertyList(CString("a:long{1}\nb:long{2}\nc:long{3}\n"));
    CPropertyItem item;
    CPropertyList tail;
    EXPECT_EQ(list.GetNthTail(1, item, tail), 1);
    EXPECT_EQ(item.GetLabel(), "b");
    EXPECT_EQ(labels(tail), "c;");
    EXPECT_EQ(labels(list), "a;b;c;");
    EXPECT_EQ(CPropertyList(CString("a:long{1}")).GetNthTail(1, item, tail), 0);
    EXPECT_TRUE(tail.IsEmpty());
    EXPECT_EQ(list.GetNth(-1, item), 0);
    EXPECT_TRUE(item.IsEmpty());

    CPropertyList other(CString("x:long{0}\n"));
    EXPECT_EQ(list.ExtractField(item, other), 1);
    EXPECT_EQ(labels(other), "x;b;c;") << "appends to what the rest already holds";
    EXPECT_EQ(item.GetLabel(), "a");

    list.AppendItems(list);
    EXPECT_EQ(labels(list), "a;b;c;a;b;c;");
    list.MergeItem(CPropertyItem("m", 0L), CPropertyList(CString("p:long{1}\nq:long{2}\n")));
    EXPECT_EQ(labels(list), "m;p;q;");
    list.MergeItem(CPropertyItem("n", 0L), list);
    EXPECT_EQ(labels(list), "n;m;p;q;");

    while (list.ExtractField(item, list)) {
    }
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(item.GetField(), "");
}

TEST(PropertyList, DisplayFormEdges) {
    CPropertyItem deep("x", 1L);
    EXPECT_EQ(formatPropertyItem(deep, 600, 0), std::string(540, ' ') + "x:long{1}\n");
    EXPECT_EQ(formatPropertyItem(CPropertyItem(" ", 1L), 0, 0), "");
    CPropertyList list(CString("a:long{1}\n"));
    list.AddItem(CPropertyItem("b", CPropertyList()));
    EXPECT_EQ(formatPropertyList(list, 1, 0), "  a:long{1}\n  b:list\n  {\n  }\n");
}

TEST(PropertyList, FilesAreWrittenWholeAndUnwritablePathsSkipped) {
    TempDir dir;
    std::string listPath = dir / "list.txt", itemPath = dir / "item.txt";
    CPropertyList list = workedExample();
    list.SaveList(listPath.c_str());
    EXPECT_EQ(ReadFile(listPath), std::string(workedText) + "\n");
    CPropertyItem("s", CString("a{b}")).SaveItem(itemPath.c_str());
    EXPECT_EQ(ReadFile(itemPath), "a{b}\n");
    CPropertyItem("n", 1L).SaveItem(itemPath.c_str());
    EXPECT_EQ(ReadFile(itemPath), "");
    list.SaveList((dir / "no/such/dir/file").c_str());
    list.SaveList(nullptr);
}
