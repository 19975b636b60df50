#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "veltutil/foundation/named_cstring_array.h"
#include "veltutil/foundation/selectable_string.h"

namespace {

// "text:selection" of every live element, in order.
std::vector<std::string> contents(const SelectableStringList& list) {
    std::vector<std::string> result;
    for (const SelectableString* element : list)
        result.push_back(std::string(element->string()) + ":" + std::to_string(element->selection()));
    return result;
}

std::vector<CString> entries(const CStringArray& array) { return {array.begin(), array.end()}; }

CStringArray arrayOf(std::initializer_list<const char*> texts) {
    CStringArray array;
    for (const char* text : texts) array.Add(text);
    return array;
}

SelectableStringList listOf(std::initializer_list<SelectableString> elements) {
    SelectableStringList list;
    for (const SelectableString& element : elements) list.append(new SelectableString(element));
    return list;
}

}  // namespace

TEST(SelectableStringList, ReadsAndMergesBlankSeparatedWords) {
    SelectableStringList list;
    list.fromSpaceDelimittedTokens("  a  b \t c  ", 1);
    EXPECT_EQ(contents(list), (std::vector<std::string>{"a:1", "b:1", "c:1"}));
    list.fromSpaceDelimittedTokens("x", 2);
    list.addFromSpaceDelimittedTokens(" y x ", 4);
    EXPECT_EQ(contents(list), (std::vector<std::string>{"x:4", "y:4"}));
    fromString("p", list, 8, 0);
    EXPECT_EQ(contents(list), (std::vector<std::string>{"x:4", "y:4", "p:8"}));
    fromString("r", list, 1, 1);
    EXPECT_EQ(contents(list), (std::vector<std::string>{"r:1"}));
}

TEST(SelectableStringList, WritesTextsByEqualSelectionOrByMask) {
    SelectableStringList list = listOf({{1, "one"}, {2, "two"}, {4, "four"}});
    EXPECT_EQ(list.toSpaceDelimittedTokens(2, "none"), "two ");
    EXPECT_EQ(list.toSpaceDelimittedTokens(3, "none"), "");  // equality, not a mask
    EXPECT_EQ(SelectableStringList().toSpaceDelimittedTokens(2, "none"), "none");

    int count = -1;
    EXPECT_EQ(toString(list, 3, &count), "one two");
    EXPECT_EQ(count, 2);

    SelectableStringList out = listOf({{1, "stale"}});
    list.GetStrings(6, out);
    EXPECT_EQ(contents(out), (std::vector<std::string>{"two:0", "four:0"}));
}

TEST(SelectableStringList, PositionsCountRemovedNodesWhichCopiesKeep) {
    EXPECT_EQ(SelectableStringList().Find("a"), -1);
    SelectableStringList list = listOf({{0, "a"}, {0, "b"}, {0, "a"}, {0, "B"}});
    EXPECT_EQ(list.Find("B"), 3);

    SelectableStringList::iter walk(list);  // removal is deferred while a walk runs
    list.remove(list.nth(0));
    EXPECT_EQ(list.Find("a"), 2);
    list.addFromSpaceDelimittedTokens("a", 5);
    EXPECT_EQ(list.toSpaceDelimittedTokens(5, ""), "a ");

    SelectableStringList copy(list);
    SelectableStringList& same = copy;
    copy = same;
    EXPECT_EQ(copy.Find("B"), 3);
}

TEST(NamedCStringArray, AddsRemovesAndExchangesSelections) {
    NamedCStringArray named("opts", arrayOf({"a", "b", "a", "c"}));
    EXPECT_EQ(named.Find("A"), -1);
    named.RemoveCStrings(arrayOf({"a", "x"}));
    EXPECT_EQ(entries(named.array()), (std::vector<CString>{"b", "a", "c"}));
    named.AddCStrings(named.array());  // adding itself doubles, once
    EXPECT_EQ(named->GetSize(), 6);

    SelectableStringList list = listOf({{0, "a"}, {1, "b"}, {0, "c"}, {3, "d"}});
    NamedCStringArray picks("n", arrayOf({"c", "a", "zz"}));
    picks.SelectCStrings(list, 2);
    EXPECT_EQ(contents(list), (std::vector<std::string>{"a:2", "b:1", "c:2", "d:3"}));
    picks.SetStrings(list, 1);
    EXPECT_EQ(entries(picks.array()), (std::vector<CString>{"b", "d"}));
}
