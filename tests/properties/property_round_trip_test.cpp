#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "veltutil/properties/property_list.h"

namespace {

using Item = CPropertyItem;

// One item from every constructor, strings holding braces and backslashes, and lists nested
// three levels deep that hold such items again.
CPropertyList everyKind() {
    const long longs[] = {1, -2};
    const int ints[] = {3};
    const double doubles[] = {0.25, 1e-300};
    const Item::PI_BOOL bools[] = {Item::PI_TRUE, Item::PI_FALSE};
    const CString strings[] = {"{", "}\\"};
    const char* constTexts[] = {"a{b", "\\)"};
    char plain[] = "p}q";
    char* texts[] = {plain};

    CPropertyList list;
    list.AddItem(Item(CString("raw:type{x} text")));
    list.AddItem(Item("given", "custom", "v{1}"));
    list.AddItem(Item("s", CString("x{y}\\z\\(")));
    list.AddItem(Item("empty string", CString("")));
    list.AddItem(Item("l", -9L));
    list.AddItem(Item("f", Item::PI_FLAG));
    list.AddItem(Item("b", Item::PI_FALSE));
    list.AddItem(Item("d", -0.125));
    list.AddItem(Item("da", doubles, 2));
    list.AddItem(Item("sa", strings, 2));
    list.AddItem(Item("ca", constTexts, 2));
    list.AddItem(Item("pa", texts, 1));
    list.AddItem(Item("la", longs, 2));
    list.AddItem(Item("ia", ints, 1));
    list.AddItem(Item("ba", bools, 2));
    list.AddItem(Item("none", longs, 0));
    CPropertyList level = list;
    for (int depth = 0; depth < 3; ++depth) {
        CPropertyList wrapper = list;
        wrapper.AddItem(Item("nested", level));
        level = wrapper;
    }
    list.AddItem(Item("tree", level));
    list.AddItem(Item("empty list", CPropertyList()));
    return list;
}

// Walks two lists side by side, descending into every "list" item.
void expectSameTree(const CPropertyList& expected, const CPropertyList& actual) {
    std::vector<std::pair<CPropertyList, CPropertyList>> pending{{expected, actual}};
    while (!pending.empty()) {
        auto [a, b] = std::move(pending.back());
        pending.pop_back();
        ASSERT_EQ(a.GetCount(), b.GetCount());
        for (int i = 0; i < a.GetCount(); ++i) {
            Item x, y;
            a.GetNth(i, x);
            b.GetNth(i, y);
            EXPECT_EQ(x.GetLabel(), y.GetLabel());
            EXPECT_EQ(x.GetType(), y.GetType());
            EXPECT_EQ(x.GetString(), y.GetString());
            EXPECT_EQ(x.GetArrayCount(), y.GetArrayCount());
            if (x.GetTypeOfValue() == Item::TYPE_LIST) pending.emplace_back(x.GetPropertyList(), y.GetPropertyList());
        }
    }
}

}  // namespace

TEST(PropertyRoundTrip, EveryKindOfItemComesBackEqual) {
    CPropertyList original = everyKind();
    CString text = original.GetList();
    CPropertyList parsed(text);
    EXPECT_EQ(parsed.GetList(), text);
    expectSameTree(original, parsed);
    EXPECT_EQ(formatPropertyList(parsed, 0, 1), formatPropertyList(original, 0, 1));

    // Array elements of every kind come back as the values that went in.
    Item item;
    CString outStrings[2];
    parsed.GetNth(9, item);
    item.WriteToArray(outStrings);
    EXPECT_EQ(outStrings[1], "}\\");
    double outDoubles[2];
    parsed.GetNth(8, item);
    item.WriteToArray(outDoubles);
    EXPECT_EQ(outDoubles[1], 1e-300);
    long outLongs[2];
    parsed.GetNth(12, item);
    item.WriteToArray(outLongs);
    EXPECT_EQ(outLongs[1], -2);
    Item::PI_BOOL outBools[2] = {Item::PI_FALSE, Item::PI_TRUE};
    parsed.GetNth(14, item);
    item.WriteToArray(outBools);
    EXPECT_EQ(outBools[0], Item::PI_TRUE);
    EXPECT_EQ(outBools[1], Item::PI_FALSE);

    CPropertyList copy(parsed);
    const auto& self = copy;
    copy = self;
    EXPECT_EQ(copy.GetList(), text);
}
