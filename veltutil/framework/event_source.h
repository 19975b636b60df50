#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/properties/com_item.h"

class CEventSink;
class COSList;
class CTreeInstance;
class OrvVariant;

namespace veltutil::detail {
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
    void ReleaseAllHooks();
    COSList* FindList(std::uint16_t key) const {
        return key == lastKey_ ? lastList_ : LookUpList(key);
    }
    COSList* LookUpList(std::uint16_t key) const;

    veltutil::detail::HookTable* hooks_;
    ComItem owner_;
    // Every broadcast looks up its event's list and the list of every event; both are kept
    // here, beside the table (lists live as long as the source, so a list once found stays
    // valid). No key matches the initial last key.
    mutable std::uint32_t lastKey_ = 0x10000;
    mutable COSList* lastList_ = nullptr;
    COSList* allEvents_ = nullptr;
};
