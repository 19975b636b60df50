// The allocation-free and allocation-light paths of this folder. The counter replaces the global
// operator new, so it is included here only.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/allocation_counter.h"
#include "veltutil/properties/property_list.h"
#include "veltutil/properties/variant.h"

TEST(Variant, NumericScalarsNeverTouchTheHeap) {
    velttest::AllocationCount allocations;
    OrvVariant a(42L);
    OrvVariant b(2.5);
    OrvVariant c(a);
    c = b;
    b = a;
    OrvVariant d;
    d.SetValue(7L);
    d.SetValue(d);
    EXPECT_EQ(allocations(), 0);
    EXPECT_EQ(*b.GetInt(), 42);
    EXPECT_EQ(*c.GetDouble(), 2.5);
}

// Items are made in slabs that grow, and values too long for a string to hold in place stay in
// the items' nodes: reading or copying a list allocates a few times, not once or more per item.
TEST(PropertyList, ReadingAndCopyingAllocateFarLessThanOncePerItem) {
    constexpr long count = 1000;
    std::string text;
    for (long i = 0; i < count; ++i) {
        std::string index = std::to_string(i);
        text += "Item";
        text += index;
        text += ":string{a value longer than sixteen bytes, ";
        text += index;
        text += "}\n";
    }
    velttest::AllocationCount allocations;
    CPropertyList list{CString(text)};
    long reading = allocations();
    CPropertyList copy(list);
    long copying = allocations() - reading;
    EXPECT_EQ(copy.GetCount(), count);
    EXPECT_LT(reading, count / 20);
    EXPECT_LT(copying, count / 20);
}

// A program that reads document after document gets the storage of the last one back rather
// than the C library's, which returns a large freed heap top to the system (to fault it in
// again on the next read): only a new list's first, smaller slabs are allocated anew.
TEST(PropertyList, AFreedListsStorageServesTheNextOne) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "Count:long{" + std::to_string(i) + "}\n";
    const CString document(text);
    { CPropertyList first(document); }
    velttest::AllocationCount allocations;
    CPropertyList again(document);
    EXPECT_EQ(again.GetCount(), 20000);
    EXPECT_LT(allocations(), 10);
}
