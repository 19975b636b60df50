// A list keeps the long values it reads in the nodes of their items. These pin that such a value
// travels with its item wherever the item goes, and outlives the list it was read into.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "veltutil/properties/property_list.h"

namespace {

// Too long for a string to hold in place, so that reading keeps it in the list's node.
std::string longValue(int i) { return std::to_string(i).append(" is a value long enough to be kept apart"); }

CString listText(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text.append("L:string{").append(longValue(i)).append("}\n");
    return CString(text);
}

}  // namespace

TEST(PropertyListNodes, LongValuesOutliveTheListTheyWereReadInto) {
    const CString text = listText(40);
    auto original = std::make_unique<CPropertyList>(text);
    CPropertyList copied(*original);
    CPropertyItem nth, extracted;
    original->GetNth(3, nth);
    CPropertyList consumed(*original);
    consumed.ExtractField(extracted, consumed);
    CPropertyItem moved(std::move(**original->begin()));
    CPropertyItem wrapped("W", std::move(*original));
    original.reset();  // frees the nodes that held the texts

    EXPECT_EQ(copied.GetList(), text);
    EXPECT_EQ(nth.GetString(), longValue(3));
    EXPECT_EQ(extracted.GetValue(), CString(longValue(0)));
    EXPECT_EQ(consumed.GetCount(), 39);
    EXPECT_EQ(moved.GetString(), longValue(0));
    CPropertyItem last;
    wrapped.GetPropertyList().GetNth(39, last);
    EXPECT_EQ(last.GetString(), longValue(39));
}

TEST(PropertyListNodes, AKeptValueAnswersEveryGetterAlikeBeforeAndAfterItBecomesAString) {
    CPropertyList list(CString("Pins:long[]{-:-{1000}\n-:-{2000}\n-:-{3000}\n}\n"));
    const CPropertyItem& pins = **list.begin();
    CString field = pins.GetField();
    EXPECT_EQ(pins.GetArrayCount(), 3);
    long values[3] = {};
    pins.WriteToArray(values);
    EXPECT_EQ(values[2], 3000);
    EXPECT_EQ(pins.GetValue(), CString("-:-{1000}\n-:-{2000}\n-:-{3000}\n"));
    values[2] = 0;
    pins.WriteToArray(values);
    EXPECT_EQ(values[2], 3000);
    EXPECT_EQ(pins.GetField(), field);
    EXPECT_EQ(list.GetList(), field + "\n");
}

// A caller walking nodes by hand may take an item out of its node or swap another in; what it
// takes is its own, and what it puts in the list owns.
TEST(PropertyListNodes, ItemsTakenOutOfTheirNodesAreIndependentCopies) {
    auto list = std::make_unique<CPropertyList>(listText(3));
    std::unique_ptr<CPropertyItem> taken, swapped;
    {
        auto it = list->begin();
        taken.reset(static_cast<CPropertyItem*>(it.node()->detach_value()));
        ++it;
        swapped.reset(static_cast<CPropertyItem*>(it.node()->exchange_value(new CPropertyItem("X", 1L))));
    }
    EXPECT_EQ((*list->begin())->GetLabel(), CString("X"));  // the emptied first node is skipped
    EXPECT_EQ(list->GetCount(), 3);
    list.reset();
    EXPECT_EQ(taken->GetString(), longValue(0));
    EXPECT_EQ(swapped->GetString(), longValue(1));
}
