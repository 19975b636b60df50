#include <gtest/gtest.h>

#include <cstdlib>

#include "veltutil/properties/property_list.h"

namespace {
using Item = CPropertyItem;
}

TEST(PropertyItem, ParsingTrimsLabelAndTypeAndKeepsTheValueRaw) {
    EXPECT_EQ(Item(CString("  a : long {12}  ")).GetField(), "a:long{12}");

    EXPECT_EQ(Item(CString("a:long{12")).GetValue(), "");

    Item unlabelled(CString(":long{1}"));
    EXPECT_EQ(unlabelled.IsEmpty(), 1);
    EXPECT_EQ(unlabelled.GetTypeOfValue(), Item::TYPE_NONE);

    Item bare(CString("  just a label "));
    EXPECT_EQ(bare.GetLabel(), "just a label");
    EXPECT_EQ(bare.IsEmpty(), 0);
    EXPECT_EQ(bare.GetTypeOfValue(), Item::TYPE_NONE);
    EXPECT_EQ(bare.GetField(), "");

    EXPECT_EQ(Item(CString("s:x{a{b}c}d}")).GetValue(), "a{b}c");
    EXPECT_EQ(Item(CString("s:x{}")).GetField(), "s:x{}");
}

TEST(PropertyItem, TypeCodesAreExactTexts) {
    const char* names[] = {"long", "flag", "bool", "double", "string", "list", "long[]", "bool[]", "double[]", "string[]"};
    int code = Item::TYPE_LONG;
    for (const char* name : names) EXPECT_EQ(Item("x", CString(name), "").GetTypeOfValue(), code++) << name;
    EXPECT_EQ(Item("x", "Long", "1").GetTypeOfValue(), Item::TYPE_OTHER);
    EXPECT_EQ(Item("x", "", "1").GetTypeOfValue(), Item::TYPE_NONE);
    EXPECT_EQ(Item("", "long", "1").GetTypeOfValue(), Item::TYPE_NONE);
    EXPECT_EQ(Item(" x ", 1L).GetLabel(), " x ") << "only parsing trims labels";
}

TEST(PropertyItem, ScalarValuesAndTheirConversions) {
    EXPECT_EQ(Item("x", -42L).GetValue(), "-42");
    EXPECT_EQ(Item("x", Item::PI_TRUE).GetValue(), "1");
    EXPECT_EQ(Item("x", 123456789.0).GetValue(), "1.23457e+08");
    Item d("x", 2.75);
    EXPECT_EQ(d.GetInt(), 2) << "getters do not check the type";
    EXPECT_DOUBLE_EQ(d.GetDouble(), 2.75);
    EXPECT_EQ(Item("x", "bool", "7").GetBool(), Item::PI_TRUE);
    EXPECT_EQ(Item("x", "bool", "0").GetBool(), Item::PI_FALSE);
}

TEST(PropertyItem, StringsAreEscapedSoThatBracesNest) {
    Item s("s", CString("x{y}\\z"));
    EXPECT_EQ(s.GetValue(), "x\\(y\\)\\\\z");
    EXPECT_EQ(s.GetString(), "x{y}\\z");
    EXPECT_EQ(Item("s", "string", "a\\qb\\").GetString(), "aqb") << "unknown escape keeps the byte, lone final one drops";
    EXPECT_EQ(Item("o", CPropertyList(s)).GetField(), "o:list{s:string{x\\(y\\)\\\\z}\n}");
}

TEST(PropertyItem, ListCopiesAreDeepAndSurviveAssignmentFromTheirOwnChild) {
    CPropertyList inner(CString("a:long{1}\n"));
    Item item("l", inner);
    inner.AddItem(Item("b", 2L));
    EXPECT_EQ(item.GetPropertyList().GetCount(), 1) << "the item holds its own copy";
    Item holder("h", CPropertyList(Item("child", CPropertyList(Item("leaf", 5L)))));
    CPropertyItem child;
    holder.GetPropertyList().GetNth(0, child);
    holder = child;
    EXPECT_EQ(holder.GetField(), "child:list{leaf:long{5}\n}");
}

// Element values of every array kind are covered by the round trip; these are the forms it
// does not reach: narrower element types, caller-owned C strings and degenerate counts.
TEST(PropertyItem, ArraysWriteIntoEveryTargetKind) {
    const long longs[] = {1, -2, 3};
    const int ints[] = {7, 8};
    const char* texts[] = {"a{}", "\\", ""};

    EXPECT_EQ(Item("l", 3L).GetArrayCount(), -1);
    int outInts[2] = {};
    Item("i", ints, 2).WriteToArray(outInts);
    EXPECT_EQ(outInts[1], 8);

    Item textItem("t", texts, 3);
    ASSERT_EQ(textItem.GetArrayCount(), 3);
    char* duplicated[3];
    textItem.WriteToArray(duplicated, 1);
    const char* allocated[3];
    textItem.WriteToArray(allocated, 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(duplicated[i], texts[i]);
        EXPECT_STREQ(allocated[i], texts[i]);
        std::free(duplicated[i]);
        delete[] allocated[i];
    }

    Item empty("e", longs, 0);
    EXPECT_EQ(empty.GetArrayCount(), 0);
    empty.WriteToArray(static_cast<long*>(nullptr));
    EXPECT_EQ(Item("n", longs, -4).GetField(), "n:long[]{}");
}
