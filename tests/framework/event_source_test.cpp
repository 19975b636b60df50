#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework_test_support.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/logs/tree_log.h"
#include "veltutil/properties/variant.h"

using velttest::RecordingSink;
using Trace = std::vector<std::string>;

namespace {

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
    RecordingSink a("A", trace), b("B", trace, 5), c("C", trace, E_NOINTERFACE);
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
    EXPECT_EQ(source.BroadCastEvent(nullptr, 0, nullptr, 0), S_FALSE);
}

TEST(EventSource, HooksCountReferencesAndHandBackTheirData) {
    Trace trace;
    OrvVariant first, second;
    RecordingSink sink("S", trace), other("O", trace);
    {
        CEventSource source("Src", "");
        source.RegisterEventHook(4002, &sink, &first);
        source.RegisterEventHook(4002, &sink, &second);  // no duplicate check
        source.RegisterEventHook(4003, &sink, nullptr);
        source.RegisterEventHook(EVENT_ALL, &other, nullptr);
        EXPECT_EQ(source.RegisterEventHook(4002, nullptr, nullptr), S_FALSE);
        EXPECT_EQ(sink.GetRefCount(), 4);
        EXPECT_EQ(source.GetCount(4002), 3);

        SList<CEventSink, 3> sinks;
        EXPECT_EQ(source.GetEventSinkList(4002, sinks), 3);
        EXPECT_EQ(other.GetRefCount(), 3);
        for (CEventSink* listed : sinks) listed->DecRefCount();

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
    RecordingSink a("A", trace), b("B", trace);
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

namespace {

// A world of sinks on one source whose handlers unhook themselves and others, hook new sinks and
// broadcast again. Sinks are deleted as soon as they are unhooked, so the sanitizer build
// catches any touch of a released hook's sink.
class ChurnWorld {
public:
    struct Churner : CEventSink {
        Churner(ChurnWorld& w, int i, long id)
            : CEventSink("churner", static_cast<const char*>(nullptr)), world(w), index(i), event(id) {}
        long HandleEventIndirect(CEventSource*, const CEventSource::EventData*) override {
            if (removed) ++world.violations;
            if (world.depth == 0) ++reachedOuter;
            if (world.depth == 0) world.Act(*this);
            return S_OK;
        }
        ChurnWorld& world;
        int index;
        long event;
        bool removed = false;
        int reachedOuter = 0;
    };

    explicit ChurnWorld(int count) {
        for (int i = 0; i < count; ++i) Hook(4002);
    }
    ~ChurnWorld() {
        for (int i = 0; i < static_cast<int>(sinks.size()); ++i) Unhook(i);
    }

    void Hook(long event) {
        sinks.push_back(new Churner(*this, static_cast<int>(sinks.size()), event));
        source.RegisterEventHook(event, sinks.back(), nullptr);
        state.push_back(Fate::Live);
    }

    void Unhook(int i) {
        if (i < 0 || i >= static_cast<int>(sinks.size()) || !sinks[i]) return;
        Churner* victim = sinks[i];
        OrvVariant* data = nullptr;
        if (source.UnregisterEventHook(victim->event, victim, &data) != S_OK) ++violations;
        if (victim->GetRefCount() != 1) ++violations;
        state[i] = victim->reachedOuter ? Fate::RemovedAfterTurn : Fate::RemovedBeforeTurn;
        victim->removed = true;
        sinks[i] = nullptr;
        delete victim;
    }

    void Act(Churner& self) {
        int i = self.index;
        ++depth;
        // The first hook on every event appears while the event's own list is walked.
        if (i % 13 == 0 && i < 1000) Hook(i % 2 ? EVENT_ALL : 4002);
        if (i % 17 == 0) {
            OrvVariant in(0L);
            CEventSource::EventData nested{4002, &in, nullptr, nullptr};
            source.BroadCastEvent(&nested, 0, nullptr, 0);
        }
        if (i % 11 == 0) {
            Unhook(i - 5);  // usually reached already
            Unhook(i + 5);  // not reached yet: must never be
        }
        --depth;
        if (i % 7 == 0) Unhook(i);  // deletes the sink whose handler is running
    }

    enum class Fate { Live, RemovedBeforeTurn, RemovedAfterTurn };

    CEventSource source{"Sim", ""};
    std::vector<Churner*> sinks;
    std::vector<Fate> state;
    int depth = 0;
    int violations = 0;
};

}  // namespace

TEST(EventSource, ReentrantDeliveryUnderChurn) {
    ChurnWorld world(1000);
    OrvVariant in(0L);
    CEventSource::EventData data{4002, &in, nullptr, nullptr};
    EXPECT_EQ(world.source.BroadCastEvent(&data, 0, nullptr, 0), S_OK);

    EXPECT_EQ(world.violations, 0);
    int appended = 0, skipped = 0, removedBefore = 0;
    for (size_t i = 0; i < world.sinks.size(); ++i) {
        bool reached = world.sinks[i] ? world.sinks[i]->reachedOuter > 0
                                      : world.state[i] == ChurnWorld::Fate::RemovedAfterTurn;
        if (world.state[i] == ChurnWorld::Fate::RemovedBeforeTurn) {
            ++removedBefore;
        } else if (!reached) {
            ++skipped;
        }
        if (i >= 1000 && reached) ++appended;
    }
    EXPECT_EQ(skipped, 0);
    EXPECT_GT(removedBefore, 50);
    // Hooks added during the walk (one per 13 sinks that ran) are reached by it.
    EXPECT_GT(appended, 50);

    // The source's lists are consistent afterwards: one hook per live sink (GetCount(4002)
    // counts the hooks on every event too).
    long live = 0;
    for (auto* sink : world.sinks) live += sink ? 1 : 0;
    EXPECT_EQ(world.source.GetCount(4002), live);
}

namespace {

// A sink that traces its name, then runs the test's action on each event.
class ActingSink : public CEventSink {
public:
    ActingSink(const char* name, Trace& trace) : CEventSink(name, static_cast<const char*>(nullptr)), trace_(trace) {}
    long HandleEventIndirect(CEventSource*, const CEventSource::EventData*) override {
        trace_.push_back(GetName());
        if (action) action();
        return S_OK;
    }
    std::function<void()> action;

private:
    Trace& trace_;
};

}  // namespace

TEST(EventSource, HooksAppendedWhileTheHooksMoveAreReachedOnce) {
    Trace trace, expected{"First"};
    std::vector<std::unique_ptr<RecordingSink>> late;
    for (int i = 0; i < 100; ++i) {
        expected.push_back(std::to_string(i));
        late.push_back(std::make_unique<RecordingSink>(expected.back().c_str(), trace));
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
    b.action = [&] {
        source.UnregisterEventHook(4002, &a, &handedBack[0]);  // reached already
        source.UnregisterEventHook(4002, &c, &handedBack[1]);  // not reached yet: never will be
        countInside = source.GetCount(4002);
    };
    Broadcast(source, 4002);
    EXPECT_EQ(trace, (Trace{"A", "B", "D"}));
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

TEST(GuiFEEventSink, AnswersAnalysisEventsAndLeavesOthersToTheDefaultHandler) {
    velttest::ScriptedFrontEnd frontEnd;
    CGuiFE_EventSink sink("GuiFE", &frontEnd);
    CEventSource simulator("Simulator", "");
    OrvVariant out;
    CEventSource::EventData noInput{EVENT_PAUSE_QUERY, nullptr, &out, nullptr};
    EXPECT_EQ(sink.HandleEventIndirect(&simulator, &noInput), E_NOINTERFACE);
    EXPECT_EQ(sink.HandleEvent(2001, &simulator, OrvVariant(), out, nullptr), E_NOINTERFACE);
    EXPECT_EQ(sink.HandleEvent(EVENT_ANALYSIS_BEGIN, &simulator, OrvVariant(1L), out, nullptr), S_OK);
    EXPECT_TRUE(frontEnd.yields.empty());
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
