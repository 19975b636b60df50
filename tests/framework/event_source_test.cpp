#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/logs/tree_log.h"
#include "veltutil/properties/variant.h"

using Trace = std::vector<std::string>;

namespace {

// A sink that traces its name, runs the test's action and answers a fixed code.
class ActingSink : public CEventSink {
public:
    ActingSink(const char* name, Trace& trace, long answer = S_OK)
        : CEventSink(name, static_cast<const char*>(nullptr)), trace_(trace), answer_(answer) {}
    long HandleEventIndirect(CEventSource*, const CEventSource::EventData*) override {
        trace_.push_back(GetName());
        if (action) action();
        return answer_;
    }
    std::function<void()> action;

private:
    Trace& trace_;
    long answer_;
};

long Broadcast(CEventSource& source, long id, int include = 0, CEventSink** sinks = nullptr,
               int count = 0) {
    OrvVariant in(1L);
    OrvVariant out;
    CEventSource::EventData data{id, &in, &out, nullptr};
    return source.BroadCastEvent(&data, include, sinks, count);
}

void UnhookAll(CEventSource& source, CEventSink& sink) {
    OrvVariant* data = nullptr;
    while (source.UnregisterEventHook(&sink, &data) == S_OK) {
    }
}

}  // namespace

TEST(EventSource, BroadcastOrderFiltersAndResult) {
    Trace trace;
    ActingSink a("A", trace), b("B", trace, 5), c("C", trace, E_NOINTERFACE);
    CEventSource source("Sim", "d");  // unhooks its sinks when destroyed, so it goes first
    source.RegisterEventHook(EVENT_ALL, &b, nullptr);
    source.RegisterEventHook(4002, &a, nullptr);
    source.RegisterEventHook(4002, &c, nullptr);

    // The event's own list first, in registration order, then the list of every event; the
    // first failure is the answer, and everyone is reached anyway.
    EXPECT_EQ(Broadcast(source, 4002), E_NOINTERFACE);
    EXPECT_EQ(trace, (Trace{"A", "C", "B"}));

    CEventSink* onlyB[] = {&b};
    auto reached = [&](int include, CEventSink** sinks, int count, long id = 4002) {
        trace.clear();
        Broadcast(source, id, include, sinks, count);
        return trace;
    };
    EXPECT_EQ(reached(0, onlyB, 1), (Trace{"A", "C"}));
    EXPECT_EQ(reached(1, onlyB, 1), (Trace{"B"}));
    EXPECT_EQ(reached(1, nullptr, 0), Trace{});
    EXPECT_EQ(reached(0, onlyB, 0), (Trace{"A", "C", "B"}));
    // Id 1 reaches only the list of every event; other ids are keyed by their low 16 bits.
    EXPECT_EQ(reached(0, nullptr, 0, EVENT_ALL), (Trace{"B"}));
    EXPECT_EQ(reached(0, nullptr, 0, 4002 + 65536), (Trace{"A", "C", "B"}));
    // Another event, before and after its first hook.
    EXPECT_EQ(reached(0, nullptr, 0, 4003), (Trace{"B"}));
    source.RegisterEventHook(4003, &c, nullptr);
    EXPECT_EQ(reached(0, nullptr, 0, 4003), (Trace{"C", "B"}));
    EXPECT_EQ(source.BroadCastEvent(nullptr, 0, nullptr, 0), S_FALSE);
}

TEST(EventSource, HooksCountReferencesAndHandBackTheirData) {
    Trace trace;
    OrvVariant first, second;
    ActingSink sink("S", trace), other("O", trace);
    {
        CEventSource source("Src", "");
        source.RegisterEventHook(4002, &sink, &first);
        source.RegisterEventHook(4002, &sink, &second);  // no duplicate check
        source.RegisterEventHook(4003, &sink, nullptr);
        source.RegisterEventHook(EVENT_ALL, &other, nullptr);
        EXPECT_EQ(source.RegisterEventHook(4002, nullptr, nullptr), S_FALSE);
        EXPECT_EQ(sink.GetRefCount(), 4);
        EXPECT_EQ(source.GetCount(4002), 3);
        EXPECT_EQ(source.GetCount(EVENT_ALL), 1);

        SList<CEventSink, 3> sinks;
        EXPECT_EQ(source.GetEventSinkList(4002, sinks), 3);
        EXPECT_EQ(other.GetRefCount(), 3);
        for (CEventSink* listed : sinks) listed->DecRefCount();
        EXPECT_EQ(source.GetEventSinkList(EVENT_ALL, sinks), 1);
        other.DecRefCount();

        OrvVariant* data = &first;
        EXPECT_EQ(source.UnregisterEventHook(7777, &sink, &data), E_NOINTERFACE);
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(source.UnregisterEventHook(4002, &other, &data), E_NOINTERFACE);
        EXPECT_EQ(source.UnregisterEventHook(4002, &sink, &data), S_OK);
        EXPECT_EQ(data, &first);
        EXPECT_EQ(source.UnregisterEventHook(4002, &sink, &data), S_OK);
        EXPECT_EQ(data, &second);

        // The sink-wide form removes one hook per call until none is left.
        source.RegisterEventHook(4005, &sink, nullptr);
        EXPECT_EQ(source.UnregisterEventHook(&sink, &data), S_OK);
        EXPECT_EQ(source.UnregisterEventHook(&sink, &data), S_OK);
        EXPECT_EQ(source.UnregisterEventHook(&sink, &data), S_FALSE);
        EXPECT_EQ(sink.GetRefCount(), 1);

        // A copy has no hooks: two sources never release the same ones.
        CEventSource copy(source);
        EXPECT_EQ(copy.GetCount(4002), 0);
    }
    // Destroying the source released the hooks it still had.
    EXPECT_EQ(other.GetRefCount(), 1);
}

TEST(EventSource, RegisteringEveryoneOnEventNoneTerminates) {
    Trace trace;
    ActingSink a("A", trace), b("B", trace);
    CEventSource source("Src", "");
    source.RegisterEventHook(0, &a, nullptr);
    source.RegisterEventHook(4002, &b, nullptr);
    source.RegisterEventHook(4003, &b, nullptr);

    EXPECT_EQ(source.SetProperty(8, OrvVariant(1L), nullptr, nullptr), S_FALSE);
    source.SetProperty(8, OrvVariant("not a long"), nullptr, nullptr);
    EXPECT_EQ(source.GetCount(0), 4);
    source.SetProperty(8, OrvVariant(0L), nullptr, nullptr);
    EXPECT_EQ(source.GetCount(0), 0);
    EXPECT_EQ(source.GetCount(4002), 1);
    EXPECT_EQ(a.GetRefCount(), 1);
    UnhookAll(source, b);
}

TEST(EventSource, HooksAppendedWhileTheHooksMoveAreReachedOnce) {
    Trace trace, expected{"First"};
    std::vector<std::unique_ptr<ActingSink>> late;
    for (int i = 0; i < 100; ++i) {
        expected.push_back(std::to_string(i));
        late.push_back(std::make_unique<ActingSink>(expected.back().c_str(), trace));
    }
    ActingSink first("First", trace);
    CEventSource source("Src", "");
    source.RegisterEventHook(4002, &first, nullptr);
    // Each registration may move the hooks the walk is reading.
    first.action = [&] {
        for (auto& sink : late) source.RegisterEventHook(4002, sink.get(), nullptr);
    };
    Broadcast(source, 4002);
    EXPECT_EQ(trace, expected);
    EXPECT_EQ(source.GetCount(4002), 101);
    UnhookAll(source, first);
    for (auto& sink : late) UnhookAll(source, *sink);
}

TEST(EventSource, HooksReleasedDuringAWalkAreSkippedAndKeepTheirDataApart) {
    Trace trace;
    OrvVariant dataA, dataB, dataC, dataD;
    ActingSink a("A", trace), b("B", trace), c("C", trace), d("D", trace);
    CEventSource source("Src", "");
    source.RegisterEventHook(4002, &a, &dataA);
    source.RegisterEventHook(4002, &b, &dataB);
    source.RegisterEventHook(4002, &c, &dataC);
    source.RegisterEventHook(4002, &d, &dataD);
    OrvVariant* handedBack[2] = {};
    long countInside = 0;
    bool nested = false;
    b.action = [&] {
        if (nested) return;
        nested = true;
        source.UnregisterEventHook(4002, &a, &handedBack[0]);  // reached already
        source.UnregisterEventHook(4002, &c, &handedBack[1]);  // not reached yet: never will be
        countInside = source.GetCount(4002);
        // A nested walk ends first: the released hooks must stay in place for the outer one.
        Broadcast(source, 4002);
    };
    Broadcast(source, 4002);
    EXPECT_EQ(trace, (Trace{"A", "B", "B", "D", "D"}));
    EXPECT_EQ(handedBack[0], &dataA);
    EXPECT_EQ(handedBack[1], &dataC);
    EXPECT_EQ(countInside, 2);
    EXPECT_EQ(c.GetRefCount(), 1);

    // Once the walk has dropped the released hooks, every hook still hands back its own data.
    OrvVariant* data = nullptr;
    EXPECT_EQ(source.UnregisterEventHook(4002, &c, &data), E_NOINTERFACE);
    EXPECT_EQ(source.UnregisterEventHook(4002, &d, &data), S_OK);
    EXPECT_EQ(data, &dataD);
    EXPECT_EQ(source.UnregisterEventHook(&b, &data), S_OK);
    EXPECT_EQ(data, &dataB);
    EXPECT_EQ(source.GetCount(4002), 0);
}

TEST(EventSource, AThrowingHandlerEndsTheWalkAndItsRemovals) {
    Trace trace;
    OrvVariant dataB;
    ActingSink a("A", trace), b("B", trace), c("C", trace);
    CEventSource source("Src", "");
    source.RegisterEventHook(4002, &a, nullptr);
    source.RegisterEventHook(4002, &b, &dataB);
    source.RegisterEventHook(4002, &c, nullptr);
    a.action = [&] {
        OrvVariant* data = nullptr;
        source.UnregisterEventHook(4002, &c, &data);
        throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(Broadcast(source, 4002), std::runtime_error);
    a.action = nullptr;
    EXPECT_EQ(source.GetCount(4002), 2);

    trace.clear();
    EXPECT_EQ(Broadcast(source, 4002), S_OK);
    EXPECT_EQ(trace, (Trace{"A", "B"}));
    OrvVariant* data = nullptr;
    EXPECT_EQ(source.UnregisterEventHook(4002, &b, &data), S_OK);
    EXPECT_EQ(data, &dataB);
    UnhookAll(source, a);
}

TEST(EventSink, UnhandledEventsAreLoggedUnderTheRoot) {
    struct Log : CTreeLog {
        Log() : CTreeLog("Capture", nullptr, nullptr) {}
        long GetRootText(_TREEITEM*& root) override {
            root = nullptr;
            return hasRoot ? S_OK : S_FALSE;
        }
        long AddText(_TREEITEM*, OutputStyle style, const char* text, _TREEITEM** item,
                     int ensureVisible) override {
            lines.push_back(std::to_string(style) + (item ? "*" : "-") +
                            std::to_string(ensureVisible) + text);
            return S_OK;
        }
        bool hasRoot = true;
        Trace lines;
    } log;
    CEventSink sink("Osc", "Front");
    CEventSource source("S", static_cast<const char*>(nullptr));
    OrvVariant in, out;

    EXPECT_EQ(sink.HandleEvent(4005, &source, in, out, nullptr), E_NOINTERFACE);
    EXPECT_EQ(sink.AttachCmdLog(&log), S_OK);
    EXPECT_EQ(sink.HandleEvent(4005, &source, in, out, nullptr), E_NOINTERFACE);
    log.hasRoot = false;
    sink.HandleEvent(4005, &source, in, out, nullptr);
    EXPECT_EQ(log.lines, Trace{"1-1*+++++ EventSink(Osc[CEventSink-->Front]), "
                               "EventSource(S[CEventSource]), Unhandled event: "
                               "(Simulator) New data is being added to the plotter"});
}
