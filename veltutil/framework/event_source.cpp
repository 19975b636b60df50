#include "veltutil/framework/event_source.h"

#include <cstdint>
#include <new>
#include <vector>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/internal/hook_table.h"
#include "veltutil/properties/variant.h"

using veltutil::detail::HookTable;

namespace {

constexpr long kEventNone = 0;
constexpr std::uint16_t kAllEvents = 1;
constexpr long kRegisterHooksOnNone = 8;

std::uint16_t KeyOf(long id) { return static_cast<std::uint16_t>(id); }

// Every node of a hook list carries a copy of its record's sink, so that a broadcast reaches
// the sink from the node without going through the record. Both are cleared when the hook is
// released, before the node is marked removed; a marked node therefore never has a sink, and a
// node with a sink is live.
struct HookLink : COSList::SListLink {
    explicit HookLink(EventInfo* info) : COSList::SListLink(info), sink(info->sink) {}
    CEventSink* sink;
};

EventInfo* InfoOf(VoidList::VoidListLink* node) {
    return static_cast<COSList::SListLink*>(node)->value;
}

CEventSink* LiveSink(VoidList::VoidListLink* node) { return static_cast<HookLink*>(node)->sink; }

// Keeps a hook list's removal lock for the duration of a walk, also if a handler throws.
class WalkGuard {
public:
    explicit WalkGuard(COSList& list) : list_(list), lockBefore_(list.begin_walk()) {}
    ~WalkGuard() { list_.end_walk(lockBefore_); }
    WalkGuard(const WalkGuard&) = delete;
    WalkGuard& operator=(const WalkGuard&) = delete;

private:
    COSList& list_;
    long lockBefore_;
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
    static_cast<HookLink*>(node)->sink = nullptr;
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
    auto* node = info ? new (std::nothrow) HookLink(info) : nullptr;
    if (!node) {
        delete info;
        return S_FALSE;
    }
    list->push_back(node);
    if (KeyOf(id) == kAllEvents) allEvents_ = list;
    sink->IncRefCount();
    return S_OK;
}

long CEventSource::UnregisterEventHook(long id, CEventSink* sink, OrvVariant** data) {
    if (data) *data = nullptr;
    if (!hooks_) return S_FALSE;
    if (!sink) return S_OK;
    COSList* list = FindList(KeyOf(id));
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

COSList* CEventSource::LookUpList(std::uint16_t key) const {
    COSList* list = hooks_ ? hooks_->Find(key) : nullptr;
    if (list) {
        lastKey_ = key;
        lastList_ = list;
    }
    return list;
}

namespace {

// The filter of a broadcast: with a list of sinks, a sink is reached when being listed matches
// `include`; without one (include zero) everyone is.
struct SinkFilter {
    CEventSink* const* sinks;
    int count;
    bool include;
    bool Passes(const CEventSink* sink) const { return Listed(sink, sinks, count) == include; }
};
struct Everyone {
    bool Passes(const CEventSink*) const { return true; }
};

// Delivers to every live hook of list, in order, whose sink passes the filter; hooks appended
// by a handler are reached, hooks released by a handler are not. Returns the first non-zero
// answer, or `result` when there was none.
template <class Filter>
[[gnu::always_inline]] inline long Deliver(COSList& list, CEventSource* source, const CEventSource::EventData* data,
             Filter filter, long result) {
    WalkGuard guard(list);
    for (VoidList::VoidListLink* node = list.front(); node; node = node->next) {
        CEventSink* sink = LiveSink(node);
        if (!sink || !filter.Passes(sink)) continue;
        long answer = sink->HandleEventIndirect(source, data);
        if (answer != S_OK && result == S_OK) result = answer;
    }
    return result;
}

// The event's own list, then the list of every event (looked up only then: a handler may have
// hooked the first sink to every event meanwhile).
template <class Filter>
inline long DeliverAll(COSList* eventList, COSList* const& allEvents, CEventSource* source,
                const CEventSource::EventData* data, Filter filter) {
    long result = S_OK;
    if (eventList) result = Deliver(*eventList, source, data, filter, result);
    if (allEvents) result = Deliver(*allEvents, source, data, filter, result);
    return result;
}

// Kept out of line so that the common unfiltered broadcast needs few registers.
[[gnu::noinline]] long DeliverFiltered(COSList* eventList, COSList* const& allEvents,
                                       CEventSource* source, const CEventSource::EventData* data,
                                       SinkFilter filter) {
    return DeliverAll(eventList, allEvents, source, data, filter);
}

}  // namespace

long CEventSource::BroadCastEvent(const EventData* data, int include, CEventSink** sinks,
                                  int sinkCount) {
    if (!hooks_ || !data) return S_FALSE;
    std::uint16_t key = KeyOf(data->eventId);
    COSList* eventList = key != kAllEvents ? FindList(key) : nullptr;
    if (sinks && sinkCount > 0) {
        return DeliverFiltered(eventList, allEvents_, this, data, SinkFilter{sinks, sinkCount, include != 0});
    }
    // Without a list of sinks, include means nobody.
    return include ? S_OK : DeliverAll(eventList, allEvents_, this, data, Everyone{});
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
    if (key != kAllEvents) collect(FindList(key));
    collect(allEvents_);
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
    return (key != kAllEvents ? count(FindList(key)) : 0) + count(allEvents_);
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
    } else if (COSList* list = FindList(KeyOf(kEventNone))) {
        WalkGuard guard(*list);
        for (VoidList::VoidListLink* node = list->front(); node; node = node->next) {
            if (LiveSink(node)) ReleaseHook(*list, node);
        }
    }
    return S_FALSE;
}
