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

// Items are made in slabs that grow, values too long for a string to hold in place stay in the
// items' nodes, and a freed list's largest slabs serve the next one: reading a document again
// allocates only the new list's first, smaller slabs, rather than storage that the C library
// would have returned to the system in between (to fault it in again), and copying allocates
// far less than once per item.
TEST(PropertyList, ReadingAgainAndCopyingAllocateFarLessThanOncePerItem) {
    constexpr long count = 20000;
    std::string text;
    for (long i = 0; i < count; ++i) text.append("Item:string{held apart: ").append(std::to_string(i)).append("}\n");
    const CString document(text);
    { CPropertyList first(document); }
    velttest::AllocationCount allocations;
    CPropertyList list(document);
    long reading = allocations();
    CPropertyList copy(list);
    long copying = allocations() - reading;
    EXPECT_EQ(copy.GetCount(), count);
    EXPECT_LT(reading, 10);
    EXPECT_LT(copying, count / 100);
}
