#include <gtest/gtest.h>

#include <climits>

#include "veltutil/framework/event_sink.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/properties/variant.h"

TEST(Variant, GettersAnswerOnlyTheirOwnShape) {
    OrvVariant five(5L);
    EXPECT_EQ(five.GetDouble(), nullptr);
    EXPECT_EQ(five.GetCount(), -1);
    EXPECT_FALSE(five.HasType(OrvVariant::VarLong, 1));

    OrvVariant doubles(OrvVariant::VarDouble, 3, nullptr);
    EXPECT_TRUE(doubles.GetDoubleArray() && !doubles.GetDouble() && doubles.GetCount() == 3);
    EXPECT_EQ(doubles.GetSizeOfBinaryObject(), static_cast<long>(sizeof(double)));

    OrvVariant text(CString("x"));
    text.SetValue(7L);
    EXPECT_EQ(text.GetString(), nullptr);

    // A count below 1 without data is a scalar of the code with no value.
    OrvVariant noValue(OrvVariant::VarString, 0, nullptr);
    EXPECT_EQ(noValue.GetType(), OrvVariant::VarString);
    EXPECT_EQ(noValue.GetStringArray(), nullptr);

    OrvVariant items(OrvVariant::VarComItem, 3, nullptr);
    EXPECT_FALSE(items.GetComItemArray()[2]);
    EXPECT_EQ(OrvVariant(OrvVariant::VarVariant, 3, nullptr).GetComItemArray(), nullptr);

    Ptr* block = reinterpret_cast<Ptr*>(&five);
    OrvVariant binary(block, 48);
    EXPECT_EQ(*binary.GetPtr(), block);
    EXPECT_EQ(OrvVariant(binary).GetSizeOfBinaryObject(), 48);
}

TEST(Variant, BorrowedArraysAreNeverFreedOrWritten) {
    long values[4] = {1, 2, 3, 4};
    {
        OrvVariant borrowed(OrvVariant::VarLong, 4, values);
        OrvVariant copy(borrowed);
        EXPECT_EQ(copy.GetIntArray(), values);
        copy.SetValue();
        borrowed.SetValue(CString("other"));
    }
    // The sanitizer build would report a free of this stack array.
    EXPECT_EQ(values[3], 4);

    OrvVariant owned(OrvVariant::VarLong, 2, nullptr);
    owned.GetIntArray()[1] = 20;
    OrvVariant ownedCopy(owned);
    EXPECT_NE(ownedCopy.GetIntArray(), owned.GetIntArray());
    EXPECT_EQ(ownedCopy.GetIntArray()[1], 20);
}

TEST(Variant, AnArrayTooLargeToAllocateIsAScalarWithoutValue) {
    for (OrvVariant::Type type : {OrvVariant::VarLong, OrvVariant::VarDouble, OrvVariant::VarPtr, OrvVariant::VarSpiceArgs,
                                  OrvVariant::VarAsys, OrvVariant::VarString, OrvVariant::VarVariant,
                                  OrvVariant::VarComItem, OrvVariant::VarPropertyList, OrvVariant::VarPropertyItem}) {
        SCOPED_TRACE(type);
        OrvVariant huge;
        EXPECT_NO_THROW(huge.SetValue(type, LONG_MAX, nullptr, 0));
        EXPECT_EQ(huge.GetType(), type);
        EXPECT_FALSE(huge.HasType(type, 1));
        EXPECT_NO_THROW(OrvVariant copy(huge));
    }
}

TEST(Variant, CopyingAScalarOfCode3Or6LeavesTheTargetUnchanged) {
    for (OrvVariant::Type code : {OrvVariant::VarReserved3, OrvVariant::VarVariant}) {
        SCOPED_TRACE(code);
        const OrvVariant scalar(code, 0, nullptr);
        OrvVariant owned(OrvVariant::VarLong, 2, nullptr);
        owned.GetIntArray()[1] = 20;
        owned = scalar;
        ASSERT_NE(owned.GetIntArray(), nullptr);
        EXPECT_EQ(owned.GetIntArray()[1], 20);
        EXPECT_EQ(owned.GetCount(), 2);
    }
}

TEST(Variant, NestedArraysCopyDeeplyAndIndependently) {
    OrvVariant inner;
    inner.SetArray(OrvVariant(1L), OrvVariant("deep"));
    OrvVariant middle;
    middle.SetArray(inner, OrvVariant(2.5));
    OrvVariant source;
    source.SetArray(middle, OrvVariant("top"), OrvVariant(3L));

    OrvVariant copy(source);
    copy[0][0][1].SetValue("changed");
    copy[0][1].SetValue(9L);
    copy[2].SetValue();
    EXPECT_EQ(*source[0][0][1].GetString(), "deep");
    EXPECT_EQ(*source[0][1].GetDouble(), 2.5);
    EXPECT_EQ(*source[2].GetInt(), 3);
    EXPECT_EQ(*copy[0][0][1].GetString(), "changed");

    // Assigning an element of itself, and an element's own text, keeps the value intact.
    copy = copy[0];
    EXPECT_EQ(copy.GetCount(), 2);
    EXPECT_EQ(*copy[1].GetInt(), 9);
    OrvVariant strings(OrvVariant::VarString, 2, nullptr);
    strings.GetStringArray()[1] = "element text that is long enough to live on the heap";
    strings.SetValue(strings.GetStringArray()[1]);
    EXPECT_EQ(*strings.GetString(), "element text that is long enough to live on the heap");
    source.SetArray(source[1], source[0][0]);
    EXPECT_EQ(*source[0].GetString(), "top");
    EXPECT_EQ(*source[1][1].GetString(), "deep");
}

TEST(Variant, ElementAccessAndTypeChecks) {
    OrvVariant pair;
    pair.SetArray(OrvVariant(1L), OrvVariant("s"));
    EXPECT_FALSE(static_cast<int>(pair[2]));
    EXPECT_FALSE(static_cast<int>(pair[-1]));
    EXPECT_EQ(&pair[2], &OrvVariant(4L)[0]);

    EXPECT_EQ(pair.CheckType(OrvVariant::VarString, OrvVariant::VarLong), 0);
    // Codes past the element count are not compared.
    EXPECT_EQ(pair.CheckType(OrvVariant::VarLong, OrvVariant::VarString, OrvVariant::VarDouble), 1);
    EXPECT_EQ(OrvVariant().CheckType(OrvVariant::VarLong), 1);
    EXPECT_EQ(OrvVariant(3L).CheckType(OrvVariant::VarLong), 0);
}

TEST(Variant, CountedItemsReturnEveryReference) {
    CEventSink probe("Probe", "p");
    {
        OrvVariant held(&probe);
        ASSERT_NE(held.GetComItem(), nullptr);
        EXPECT_EQ(held.GetComItem()->GetEventSink(), &probe);
        EXPECT_EQ(probe.GetRefCount(), 2);

        OrvVariant inner;
        inner.SetArray(held, OrvVariant(ComItem(&probe, false)));
        OrvVariant outer;
        outer.SetArray(inner, held);
        OrvVariant copy(outer);
        EXPECT_EQ(probe.GetRefCount(), 10);

        OrvVariant items(OrvVariant::VarComItem, 3, nullptr);
        items.GetComItemArray()[1] = ComItem(&probe, true);
        OrvVariant itemsCopy(items);
        held.SetValue(held);  // self-assignment
        held.SetValue(*held.GetComItem());
        EXPECT_EQ(held.GetComItem()->GetEventSink(), &probe);
    }
    EXPECT_EQ(probe.GetRefCount(), 1);

    OrvVariant none(static_cast<CEventSink*>(nullptr));
    ASSERT_NE(none.GetComItem(), nullptr);
    EXPECT_EQ(none.GetComItem()->GetType(), ComItem::ItemNone);

    // A grapher source is counted once per variant that holds it, however it was set.
    CGrapherSource source;
    int before = source.GetRefCount();
    OrvVariant constructed(&source);
    EXPECT_EQ(source.GetRefCount(), before + 1);
    OrvVariant set;
    set.SetValue(&source);
    EXPECT_EQ(source.GetRefCount(), before + 2);
}
