#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/properties/com_item.h"

class CEventSink;
class CTreeInstance;
class OrvVariant;

namespace veltutil::detail {
class HookList;
class HookTable;
}

// Keeps, per registered event, the ordered hooks of the sinks that want it and broadcasts
// events to them. Sinks are referred to, never owned: a hook holds one reference count.
class VELTUTIL_API CEventSource : public CInterfaceBase {
public:
    // The record that travels with an event.
    struct EventData {
        long eventId;
        const OrvVariant* input;
        OrvVariant* output;
        OrvVariant* extra;
    };

    CEventSource(const char* name, const char* description);
    CEventSource(const char* name, CGuiFE* context);
    // A copy starts with hooks of its own (none): two sources never share one hook table.
    CEventSource(const CEventSource& other);
    CEventSource& operator=(const CEventSource& other);
    ~CEventSource();

    // A null sink is refused with 1: it could never be delivered to.
    virtual long RegisterEventHook(long id, CEventSink* sink, OrvVariant* data);
    virtual long UnregisterEventHook(CEventSink* sink, OrvVariant** data);
    virtual long UnregisterEventHook(long id, CEventSink* sink, OrvVariant** data);
    virtual long BroadCastEvent(const EventData* data, int include, CEventSink** sinks,
                                int sinkCount);
    virtual long GetEventSinkList(long id, SList<CEventSink, 3>& list) const;
    virtual long GetCount(long id) const;
    virtual const char* GetName() const;
    virtual const char* GetFullName() const;
    virtual void SetOwner(const ComItem& owner);
    virtual const ComItem& GetOwner() const;
    virtual long GetProperty(long id, OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);
    virtual long SetProperty(long id, const OrvVariant& value, const OrvVariant* in,
                             CTreeInstance* instance);

private:
    using HookList = veltutil::detail::HookList;

    void ReleaseAllHooks();
    // BroadCastEvent for a filtered broadcast, or an event other than the one looked up last.
    [[gnu::noinline]] long BroadCastSelected(const EventData* data, int include, CEventSink** sinks,
                                             int sinkCount);
    HookList* FindList(std::uint16_t key) const {
        return key == lastKey_ ? lastList_ : LookUpList(key);
    }
    HookList* LookUpList(std::uint16_t key) const;

    veltutil::detail::HookTable* hooks_;
    ComItem owner_;
    // Every broadcast looks up its event's list and the list of every event; both are kept
    // here, beside the table. The last key looked up is remembered with its list, or with null
    // when it has none (registering refreshes it). No key matches the initial last key.
    mutable std::uint32_t lastKey_ = 0x10000;
    mutable HookList* lastList_ = nullptr;
    HookList* allEvents_ = nullptr;
};
