#include <gtest/gtest.h>

#include <deque>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/logs/tree_log.h"
#include "veltutil/properties/com_item.h"
#include "veltutil/properties/variant.h"

namespace {

// A snap-in that reports its name as property 3 and records the property writes it answers,
// its own or those of the sources and sinks it owns.
class NamedSnapIn : public CInstrumentInterface {
public:
    NamedSnapIn() : CInstrumentInterface("Item-Name", "") {}
    long GetProperty(long id, OrvVariant& value, const OrvVariant*, CTreeInstance* instance) override {
        lastInstance = instance;
        if (id != 3) return S_FALSE;
        value.SetValue("Reported");
        return S_OK;
    }
    long SetProperty(long id, const OrvVariant&, const OrvVariant*, CTreeInstance*) override {
        lastSetId = id;
        return S_OK;
    }
    CTreeInstance* lastInstance = reinterpret_cast<CTreeInstance*>(1);
    long lastSetId = -1;
};

}  // namespace

TEST(ComItem, CountedCopiesRaiseAndReleaseTheCount) {
    CEventSink sink("Osc", "Front");
    {
        ComItem counted(&sink, true);
        EXPECT_EQ(sink.GetRefCount(), 2);
        ComItem copy(counted);
        EXPECT_EQ(sink.GetRefCount(), 3);
        ComItem uncounted(&sink, false);
        ComItem uncountedCopy(counted, false);
        EXPECT_EQ(sink.GetRefCount(), 3);
        ComItem& same = copy;
        copy = same;
        uncounted = counted;  // assignment always counts
        EXPECT_EQ(sink.GetRefCount(), 4);
        uncountedCopy.SetValue();
        EXPECT_EQ(sink.GetRefCount(), 4);
        EXPECT_FALSE(uncountedCopy);
    }
    EXPECT_EQ(sink.GetRefCount(), 1);

    EXPECT_FALSE(ComItem(static_cast<CTreeLog*>(nullptr), true));

    // A grapher's count goes up once and never comes down.
    CGrapherSource grapher;
    {
        ComItem item(&grapher, true);
    }
    EXPECT_EQ(grapher.GetRefCount(), 2);
}

TEST(ComItem, NamesByItemAndByProperty) {
    NamedSnapIn snapIn;
    ComItem item(&snapIn, false);
    EXPECT_EQ(item.HasName(ComItem::NameByItem, "Item-Name"), 1);
    EXPECT_EQ(item.HasName(ComItem::NameByItem, "item-name"), 0);
    EXPECT_EQ(item.HasName(ComItem::NameByProperty, "Reported"), 1);
    EXPECT_EQ(item.HasName(static_cast<ComItem::NameSource>(2), "Item-Name"), 0);
    EXPECT_EQ(snapIn.lastInstance, nullptr);  // the instance is never passed on
    // A sink has no property 3.
    CEventSink sink("Osc", "");
    EXPECT_EQ(ComItem(&sink, false).HasName(ComItem::NameByProperty, "Osc"), 0);
}

TEST(ComItem, ShowAndPropertiesFollowTheKind) {
    CEventSource source("S", "");
    ComItem sourceItem(&source, false);
    sourceItem.Show(true);
    EXPECT_EQ(sourceItem.GetShown(), -1);

    // Sources and sinks pass property writes to their owner; reads go to themselves.
    NamedSnapIn owner;
    CEventSink sink("Osc", "");
    sink.SetOwner(ComItem(&owner, true));
    ComItem sinkItem(&sink, false);
    OrvVariant value(1L);
    EXPECT_EQ(sinkItem.SetProperty(42, value, nullptr, nullptr), S_OK);
    EXPECT_EQ(owner.lastSetId, 42);
    EXPECT_EQ(sinkItem.GetProperty(3, value, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(sourceItem.SetProperty(42, value, nullptr, nullptr), S_FALSE);  // no owner
    sink.SetOwner(ComItem());
    EXPECT_EQ(owner.GetRefCount(), 1);
}

TEST(ComItem, PropertyWritesAlongAnOwnerCycleFail) {
    for (int length : {1, 2, 3, 7}) {
        SCOPED_TRACE(length);
        // A source owned by the first of `length` sinks, each owned by the next, the last by
        // the first: the source's write enters the cycle after one step.
        std::deque<CEventSink> sinks;
        for (int i = 0; i < length; ++i) sinks.emplace_back("Cycle", "");
        for (int i = 0; i < length; ++i) sinks[i].SetOwner(ComItem(&sinks[(i + 1) % length], false));
        CEventSource source("Tail", "");
        source.SetOwner(ComItem(&sinks[0], false));
        OrvVariant value(1L);
        EXPECT_EQ(ComItem(&source, false).SetProperty(42, value, nullptr, nullptr), E_FAIL);
        EXPECT_EQ(ComItem(&sinks[length - 1], false).SetProperty(42, value, nullptr, nullptr), E_FAIL);
    }
}
