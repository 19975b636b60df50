#include "veltutil/framework/event_source.h"

#include <cstdint>
#include <new>
#include <vector>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/hook_table.h"
#include "veltutil/properties/variant.h"

using veltutil::detail::HookTable;

namespace {

constexpr long kEventNone = 0;
constexpr long kRegisterHooksOnNone = 8;

std::uint16_t KeyOf(long id) { return static_cast<std::uint16_t>(id); }

EventInfo* InfoOf(VoidList::VoidListLink* node) {
    return static_cast<COSList::SListLink*>(node)->value;
}

CEventSink* LiveSink(VoidList::VoidListLink* node) {
    if (node->removed) return nullptr;
    EventInfo* info = InfoOf(node);
    return info ? info->sink : nullptr;
}

// Keeps a hook list's removal lock for the duration of a walk, also if a handler throws.
class WalkGuard {
public:
    explicit WalkGuard(COSList& list) : list_(list) { list_.begin_walk(); }
    ~WalkGuard() { list_.end_walk(); }
    WalkGuard(const WalkGuard&) = delete;
    WalkGuard& operator=(const WalkGuard&) = delete;

private:
    COSList& list_;
};

bool Listed(const CEventSink* sink, CEventSink* const* sinks, int sinkCount) {
    for (int i = 0; i < sinkCount; ++i) {
        if (sinks[i] == sink) return true;
    }
    return false;
}

// Releases the hook at node: the sink loses the reference the hook held, the record loses its
// sink (so that nothing reaches it again), and the node goes now or when the walk ends.
OrvVariant* ReleaseHook(COSList& list, VoidList::VoidListLink* node) {
    EventInfo* info = InfoOf(node);
    OrvVariant* data = info->data;
    info->sink->DecRefCount();
    info->sink = nullptr;
    list.mark_removed(node);
    return data;
}

VoidList::VoidListLink* FirstHookOf(const COSList& list, const CEventSink* sink) {
    for (VoidList::VoidListLink* node = list.front(); node; node = node->next) {
        if (LiveSink(node) == sink) return node;
    }
    return nullptr;
}

}  // namespace

CEventSource::CEventSource(const char* name, const char* description)
    : CInterfaceBase(name, "CEventSource", description), hooks_(new (std::nothrow) HookTable) {}

CEventSource::CEventSource(const char* name, CGuiFE* context)
    : CInterfaceBase(name, context), hooks_(new (std::nothrow) HookTable) {}

CEventSource::CEventSource(const CEventSource& other)
    : CInterfaceBase(other), hooks_(new (std::nothrow) HookTable), owner_(other.owner_) {}

CEventSource& CEventSource::operator=(const CEventSource& other) {
    CInterfaceBase::operator=(other);
    owner_ = other.owner_;
    return *this;
}

CEventSource::~CEventSource() {
    ReleaseAllHooks();
    delete hooks_;
}

void CEventSource::ReleaseAllHooks() {
    if (!hooks_) return;
    hooks_->ForEach([](std::uint16_t, COSList& list) {
        for (VoidList::VoidListLink* node = list.front(); node; node = node->next) {
            if (CEventSink* sink = LiveSink(node)) sink->DecRefCount();
        }
    });
}

long CEventSource::RegisterEventHook(long id, CEventSink* sink, OrvVariant* data) {
    if (!hooks_ || !sink) return S_FALSE;
    COSList* list = hooks_->FindOrCreate(KeyOf(id));
    EventInfo* info = list ? new (std::nothrow) EventInfo{sink, data} : nullptr;
    auto* node = info ? new (std::nothrow) COSList::SListLink(info) : nullptr;
    if (!node) {
        delete info;
        return S_FALSE;
    }
    list->push_back(node);
    sink->IncRefCount();
    return S_OK;
}

long CEventSource::UnregisterEventHook(long id, CEventSink* sink, OrvVariant** data) {
    if (data) *data = nullptr;
    if (!hooks_) return S_FALSE;
    if (!sink) return S_OK;
    COSList* list = hooks_->Find(KeyOf(id));
    VoidList::VoidListLink* node = list ? FirstHookOf(*list, sink) : nullptr;
    if (!node) return E_NOINTERFACE;
    OrvVariant* released = ReleaseHook(*list, node);
    if (data) *data = released;
    return S_OK;
}

long CEventSource::UnregisterEventHook(CEventSink* sink, OrvVariant** data) {
    if (data) *data = nullptr;
    if (!hooks_ || hooks_->IsEmpty()) return S_FALSE;
    if (!sink) return S_OK;
    long result = S_FALSE;
    hooks_->ForEach([&](std::uint16_t, COSList& list) {
        if (result == S_OK) return;
        if (VoidList::VoidListLink* node = FirstHookOf(list, sink)) {
            OrvVariant* released = ReleaseHook(list, node);
            if (data) *data = released;
            result = S_OK;
        }
    });
    return result;
}

namespace {

// Delivers to every live hook of list, in order, whose sink passes the filter; hooks appended
// by a handler are reached, hooks released by a handler are not. Keeps the first non-zero
// result in `result`.
void Deliver(COSList& list, CEventSource* source, const CEventSource::EventData* data,
             bool include, CEventSink** sinks, int sinkCount, long& result) {
    WalkGuard guard(list);
    for (VoidList::VoidListLink* node = list.front(); node; node = node->next) {
        CEventSink* sink = LiveSink(node);
        if (!sink) continue;
        if (sinkCount > 0 && sinks) {
            if (Listed(sink, sinks, sinkCount) != include) continue;
        } else if (include) {
            continue;
        }
        long answer = sink->HandleEventIndirect(source, data);
        if (answer != S_OK && result == S_OK) result = answer;
    }
}

}  // namespace

long CEventSource::BroadCastEvent(const EventData* data, int include, CEventSink** sinks,
                                  int sinkCount) {
    if (!hooks_ || !data) return S_FALSE;
    long result = S_OK;
    std::uint16_t key = KeyOf(data->eventId);
    if (key != HookTable::kAllEvents) {
        if (COSList* list = hooks_->Find(key)) {
            Deliver(*list, this, data, include != 0, sinks, sinkCount, result);
        }
    }
    if (COSList* list = hooks_->AllEvents()) {
        Deliver(*list, this, data, include != 0, sinks, sinkCount, result);
    }
    return result;
}

long CEventSource::GetEventSinkList(long id, SList<CEventSink, 3>& list) const {
    list.erase_all();
    if (!hooks_) return 0;
    long visited = 0;
    auto collect = [&](const COSList* hooks) {
        if (!hooks) return;
        for (EventInfo* info : *hooks) {
            if (!info->sink) continue;
            list.append(info->sink);
            info->sink->IncRefCount();
            ++visited;
        }
    };
    std::uint16_t key = KeyOf(id);
    if (key != HookTable::kAllEvents) collect(hooks_->Find(key));
    collect(hooks_->AllEvents());
    return visited;
}

long CEventSource::GetCount(long id) const {
    if (!hooks_) return 0;
    auto count = [](const COSList* hooks) {
        long live = 0;
        if (!hooks) return live;
        for (EventInfo* info : *hooks) live += info->sink ? 1 : 0;
        return live;
    };
    std::uint16_t key = KeyOf(id);
    return (key != HookTable::kAllEvents ? count(hooks_->Find(key)) : 0) + count(hooks_->AllEvents());
}

const char* CEventSource::GetName() const { return CInterfaceBase::GetName(); }

const char* CEventSource::GetFullName() const { return CInterfaceBase::GetFullName(); }

void CEventSource::SetOwner(const ComItem& owner) { owner_ = owner; }

const ComItem& CEventSource::GetOwner() const { return owner_; }

long CEventSource::GetProperty(long, OrvVariant&, const OrvVariant*, CTreeInstance*) {
    return S_FALSE;
}

long CEventSource::SetProperty(long id, const OrvVariant& value, const OrvVariant*,
                               CTreeInstance*) {
    const long* on = value.GetInt();
    if (id != kRegisterHooksOnNone || !hooks_ || !on) return S_FALSE;
    if (*on) {
        // The sinks are gathered first: registering into the list of event 0 while walking it
        // would never end.
        std::vector<CEventSink*> sinks;
        hooks_->ForEach([&](std::uint16_t, COSList& list) {
            for (EventInfo* info : list) {
                if (info->sink) sinks.push_back(info->sink);
            }
        });
        for (CEventSink* sink : sinks) RegisterEventHook(kEventNone, sink, nullptr);
    } else if (COSList* list = hooks_->Find(KeyOf(kEventNone))) {
        WalkGuard guard(*list);
        for (VoidList::VoidListLink* node = list->front(); node; node = node->next) {
            if (LiveSink(node)) ReleaseHook(*list, node);
        }
    }
    return S_FALSE;
}
