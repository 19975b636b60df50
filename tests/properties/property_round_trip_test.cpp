#include <gtest/gtest.h>

#include "veltutil/properties/property_list.h"

namespace {

using Item = CPropertyItem;

// Items of every kind of text: raw and given texts with braces, escaped strings, arrays of
// each kind, and lists nested three levels deep that hold such items again.
CPropertyList everyKind() {
    const long longs[] = {1, -2};
    const double doubles[] = {0.25, 1e-300};
    const Item::PI_BOOL bools[] = {Item::PI_TRUE, Item::PI_FALSE};
    const CString strings[] = {"{", "}\\"};
    char plain[] = "p}q";
    char* texts[] = {plain};
    const Item items[] = {
        Item(CString("raw:type{x} text")), Item("given", "custom", "v{1}"), Item("s", CString("x{y}\\z\\(")),
        Item("empty string", CString("")), Item("f", Item::PI_FLAG), Item("da", doubles, 2), Item("sa", strings, 2),
        Item("pa", texts, 1), Item("la", longs, 2), Item("ba", bools, 2), Item("none", longs, 0),
    };
    CPropertyList list;
    for (const Item& item : items) list.AddItem(item);
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

// Element `n` of the array item at `index`, as WriteToArray gives it.
template <class T>
T element(const CPropertyList& list, int index, int n) {
    Item item;
    list.GetNth(index, item);
    T out[2] = {};
    item.WriteToArray(out);
    return out[n];
}

}  // namespace

TEST(PropertyRoundTrip, EveryKindOfItemComesBackEqual) {
    CPropertyList original = everyKind();
    CString text = original.GetList();
    CPropertyList parsed(text);
    EXPECT_EQ(parsed.GetList(), text);
    // The display form descends into every nested list, parsing those of `parsed` from text.
    EXPECT_EQ(formatPropertyList(parsed, 0, 1), formatPropertyList(original, 0, 1));

    EXPECT_EQ(element<CString>(parsed, 6, 1), "}\\");
    EXPECT_EQ(element<double>(parsed, 5, 1), 1e-300);
    EXPECT_EQ(element<Item::PI_BOOL>(parsed, 9, 0), Item::PI_TRUE);
    EXPECT_EQ(element<Item::PI_BOOL>(parsed, 9, 1), Item::PI_FALSE);

    CPropertyList copy(parsed);
    const auto& self = copy;
    copy = self;
    EXPECT_EQ(copy.GetList(), text);
}
