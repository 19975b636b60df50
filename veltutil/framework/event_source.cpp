#include "veltutil/framework/event_source.h"

#include <cstdint>
#include <new>
#include <vector>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/internal/hook_table.h"
#include "veltutil/properties/variant.h"

using veltutil::detail::HookList;
using veltutil::detail::HookTable;

namespace {

constexpr long kEventNone = 0;
constexpr std::uint16_t kAllEvents = 1;
constexpr long kRegisterHooksOnNone = 8;

std::uint16_t KeyOf(long id) { return static_cast<std::uint16_t>(id); }

// Keeps a hook list held for the duration of a walk, also if a handler throws.
class WalkGuard {
public:
    explicit WalkGuard(HookList& list) : list_(list) { list_.BeginWalk(); }
    ~WalkGuard() { list_.EndWalk(); }
    WalkGuard(const WalkGuard&) = delete;
    WalkGuard& operator=(const WalkGuard&) = delete;

private:
    HookList& list_;
};

bool Listed(const CEventSink* sink, CEventSink* const* sinks, int sinkCount) {
    for (int i = 0; i < sinkCount; ++i) {
        if (sinks[i] == sink) return true;
    }
    return false;
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
    hooks_->ForEach([](HookList& list) {
        for (std::size_t i = 0; i < list.Size(); ++i) {
            if (CEventSink* sink = list.SinkAt(i)) sink->DecRefCount();
        }
    });
}

long CEventSource::RegisterEventHook(long id, CEventSink* sink, OrvVariant* data) {
    if (!hooks_ || !sink) return S_FALSE;
    std::uint16_t key = KeyOf(id);
    HookList* list = hooks_->FindOrCreate(key);
    if (!list || !list->Append(sink, data)) return S_FALSE;
    // The list may be new: a key remembered without one has it now.
    lastKey_ = key;
    lastList_ = list;
    if (key == kAllEvents) allEvents_ = list;
    sink->IncRefCount();
    return S_OK;
}

long CEventSource::UnregisterEventHook(long id, CEventSink* sink, OrvVariant** data) {
    if (data) *data = nullptr;
    if (!hooks_) return S_FALSE;
    if (!sink) return S_OK;
    HookList* list = FindList(KeyOf(id));
    std::size_t index = list ? list->FirstOf(sink) : HookList::npos;
    if (index == HookList::npos) return E_NOINTERFACE;
    OrvVariant* released = list->Release(index);
    if (data) *data = released;
    return S_OK;
}

long CEventSource::UnregisterEventHook(CEventSink* sink, OrvVariant** data) {
    if (data) *data = nullptr;
    if (!hooks_ || hooks_->IsEmpty()) return S_FALSE;
    if (!sink) return S_OK;
    long result = S_FALSE;
    hooks_->ForEach([&](HookList& list) {
        if (result == S_OK) return;
        std::size_t index = list.FirstOf(sink);
        if (index == HookList::npos) return;
        OrvVariant* released = list.Release(index);
        if (data) *data = released;
        result = S_OK;
    });
    return result;
}

CEventSource::HookList* CEventSource::LookUpList(std::uint16_t key) const {
    // Without a table nothing is remembered, so that broadcasts keep answering that there is none.
    if (!hooks_) return nullptr;
    HookList* list = hooks_->Find(key);
    lastKey_ = key;
    lastList_ = list;
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
// by a handler are reached, hooks released by a handler are not (the array only grows while
// walked). Returns the first non-zero answer, or `result` when there was none.
template <class Filter>
[[gnu::always_inline]] inline long Deliver(HookList& list, CEventSource* source,
                                           const CEventSource::EventData* data, Filter filter,
                                           long result) {
    WalkGuard guard(list);
    for (std::size_t i = 0; list.Sinks() + i != list.SinksEnd(); ++i) {
        CEventSink* sink = list.Sinks()[i];
        if (!sink || !filter.Passes(sink)) continue;
        long answer = sink->HandleEventIndirect(source, data);
        if (answer != S_OK && result == S_OK) result = answer;
    }
    return result;
}

// The event's own list, then the list of every event (looked up only then: a handler may have
// hooked the first sink to every event meanwhile).
template <class Filter>
inline long DeliverAll(HookList* eventList, HookList* const& allEvents, CEventSource* source,
                       const CEventSource::EventData* data, Filter filter) {
    long result = S_OK;
    if (eventList) result = Deliver(*eventList, source, data, filter, result);
    if (allEvents) result = Deliver(*allEvents, source, data, filter, result);
    return result;
}

// The walks are kept out of line and entered by a tail call, so that a broadcast that reaches
// no list returns without saving the registers a walk needs.
[[gnu::noinline]] long DeliverFiltered(HookList* eventList, HookList* const& allEvents,
                                       CEventSource* source, const CEventSource::EventData* data,
                                       SinkFilter filter) {
    return DeliverAll(eventList, allEvents, source, data, filter);
}

[[gnu::noinline]] long DeliverToEveryone(HookList* eventList, HookList* const& allEvents,
                                         CEventSource* source, const CEventSource::EventData* data) {
    return DeliverAll(eventList, allEvents, source, data, Everyone{});
}

}  // namespace

// The usual broadcast (to everyone, of the event broadcast last) is decided here without a call,
// so that it saves no registers before it knows whether there is anyone to walk to; the rest
// goes through the general path.
long CEventSource::BroadCastEvent(const EventData* data, int include, CEventSink** sinks,
                                  int sinkCount) {
    if (!data) return S_FALSE;
    std::uint16_t key = KeyOf(data->eventId);
    bool filtered = sinks && sinkCount > 0;
    if (filtered || include || key != lastKey_ || key == kAllEvents) {
        return BroadCastSelected(data, include, sinks, sinkCount);
    }
    HookList* eventList = lastList_;
    if (!eventList && !allEvents_) return S_OK;
    return DeliverAll(eventList, allEvents_, this, data, Everyone{});
}

long CEventSource::BroadCastSelected(const EventData* data, int include, CEventSink** sinks,
                                     int sinkCount) {
    if (!hooks_) return S_FALSE;
    std::uint16_t key = KeyOf(data->eventId);
    HookList* eventList = key != kAllEvents ? FindList(key) : nullptr;
    if (sinks && sinkCount > 0) {
        return DeliverFiltered(eventList, allEvents_, this, data, SinkFilter{sinks, sinkCount, include != 0});
    }
    // Without a list of sinks, include means nobody.
    return include ? S_OK : DeliverToEveryone(eventList, allEvents_, this, data);
}

long CEventSource::GetEventSinkList(long id, SList<CEventSink, 3>& list) const {
    list.erase_all();
    if (!hooks_) return 0;
    long visited = 0;
    auto collect = [&](const HookList* hooks) {
        for (std::size_t i = 0; hooks && i < hooks->Size(); ++i) {
            CEventSink* sink = hooks->SinkAt(i);
            if (!sink) continue;
            list.append(sink);
            sink->IncRefCount();
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
    auto count = [](const HookList* hooks) { return hooks ? static_cast<long>(hooks->LiveCount()) : 0L; };
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
        hooks_->ForEach([&](const HookList& list) {
            for (std::size_t i = 0; i < list.Size(); ++i) {
                if (CEventSink* sink = list.SinkAt(i)) sinks.push_back(sink);
            }
        });
        for (CEventSink* sink : sinks) RegisterEventHook(kEventNone, sink, nullptr);
    } else if (HookList* list = FindList(KeyOf(kEventNone))) {
        WalkGuard guard(*list);
        for (std::size_t i = 0; i < list->Size(); ++i) {
            if (list->SinkAt(i)) static_cast<void>(list->Release(i));
        }
    }
    return S_FALSE;
}
