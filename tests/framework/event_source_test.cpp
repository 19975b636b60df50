#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework_test_support.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/properties/variant.h"

using velttest::RecordingSink;

namespace {

long Broadcast(CEventSource& source, long id, int include = 0, CEventSink** sinks = nullptr,
               int count = 0) {
    OrvVariant in(1L);
    OrvVariant out;
    CEventSource::EventData data{id, &in, &out, nullptr};
    return source.BroadCastEvent(&data, include, sinks, count);
}

}  // namespace

TEST(EventSource, BroadcastOrderAndFilters) {
    CEventSource source("Sim", "d");
    std::vector<std::string> trace;
    RecordingSink a("A"), b("B"), c("C");
    for (RecordingSink* sink : {&a, &b, &c}) sink->trace = &trace;
    source.RegisterEventHook(EVENT_ALL, &b, nullptr);
    source.RegisterEventHook(4002, &a, nullptr);
    source.RegisterEventHook(4002, &c, nullptr);

    // The event's own list first, in registration order, then the list of every event.
    EXPECT_EQ(Broadcast(source, 4002), S_OK);
    EXPECT_EQ(trace, (std::vector<std::string>{"A", "C", "B"}));

    CEventSink* onlyB[] = {&b};
    trace.clear();
    Broadcast(source, 4002, 0, onlyB, 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"A", "C"}));
    trace.clear();
    Broadcast(source, 4002, 1, onlyB, 1);
    EXPECT_EQ(trace, (std::vector<std::string>{"B"}));
    trace.clear();
    EXPECT_EQ(Broadcast(source, 4002, 1, nullptr, 0), S_OK);
    EXPECT_TRUE(trace.empty());
    // A count below 1 ignores the array.
    Broadcast(source, 4002, 0, onlyB, 0);
    EXPECT_EQ(trace.size(), 3u);

    // Id 1 reaches only the list of every event; the key is the id's low 16 bits.
    trace.clear();
    Broadcast(source, EVENT_ALL);
    EXPECT_EQ(trace, (std::vector<std::string>{"B"}));
    trace.clear();
    Broadcast(source, 4002 + 65536);
    EXPECT_EQ(trace, (std::vector<std::string>{"A", "C", "B"}));

    EXPECT_EQ(source.BroadCastEvent(nullptr, 0, nullptr, 0), S_FALSE);
}

TEST(EventSource, FirstFailureWinsAndEveryoneIsReached) {
    CEventSource source("S", "");
    RecordingSink refuses("R", E_NOINTERFACE), five("F", 5), fine("OK");
    source.RegisterEventHook(4002, &fine, nullptr);
    source.RegisterEventHook(4002, &refuses, nullptr);
    source.RegisterEventHook(4002, &five, nullptr);
    EXPECT_EQ(Broadcast(source, 4002), E_NOINTERFACE);
    EXPECT_EQ(refuses.events.size() + five.events.size() + fine.events.size(), 3u);
}

TEST(EventSource, HooksCountsAndUnregistration) {
    OrvVariant first, second;
    RecordingSink sink("S"), other("O");
    {
        CEventSource source("Src", "");
        source.RegisterEventHook(4002, &sink, &first);
        source.RegisterEventHook(4002, &sink, &second);  // no duplicate check
        source.RegisterEventHook(4003, &sink, nullptr);
        source.RegisterEventHook(EVENT_ALL, &other, nullptr);
        EXPECT_EQ(sink.GetRefCount(), 4);
        EXPECT_EQ(source.GetCount(4002), 3);
        EXPECT_EQ(source.GetCount(EVENT_ALL), 1);
        EXPECT_EQ(source.GetCount(9999), 1);
        EXPECT_EQ(source.RegisterEventHook(4002, nullptr, nullptr), S_FALSE);

        Broadcast(source, 4002);
        EXPECT_EQ(sink.events, (std::vector<long>{4002, 4002}));

        SList<CEventSink, 3> sinks;
        EXPECT_EQ(source.GetEventSinkList(4002, sinks), 3);
        std::vector<CEventSink*> listed;
        for (CEventSink* s : sinks) listed.push_back(s);
        EXPECT_EQ(listed, (std::vector<CEventSink*>{&sink, &sink, &other}));
        EXPECT_EQ(sink.GetRefCount(), 6);
        EXPECT_EQ(other.GetRefCount(), 3);
        for (CEventSink* s : listed) s->DecRefCount();

        OrvVariant* data = &first;
        EXPECT_EQ(source.UnregisterEventHook(7777, &sink, &data), E_NOINTERFACE);
        EXPECT_EQ(data, nullptr);
        EXPECT_EQ(source.UnregisterEventHook(4002, &other, &data), E_NOINTERFACE);
        EXPECT_EQ(source.UnregisterEventHook(4002, nullptr, &data), S_OK);
        EXPECT_EQ(source.UnregisterEventHook(4002, &sink, &data), S_OK);
        EXPECT_EQ(data, &first);
        EXPECT_EQ(source.UnregisterEventHook(4002, &sink, &data), S_OK);
        EXPECT_EQ(data, &second);
        EXPECT_EQ(sink.GetRefCount(), 2);

        // The sink-wide form removes one hook per call until none is left.
        source.RegisterEventHook(4005, &sink, nullptr);
        source.RegisterEventHook(4006, &sink, nullptr);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(source.UnregisterEventHook(&sink, &data), S_OK);
        EXPECT_EQ(source.UnregisterEventHook(&sink, &data), S_FALSE);
        EXPECT_EQ(sink.GetRefCount(), 1);
    }
    // Destroying the source releases the hooks it still had.
    EXPECT_EQ(other.GetRefCount(), 1);
}

TEST(EventSource, CopyHasNoHooksOfTheOriginal) {
    RecordingSink sink("S");
    CEventSource source("Src", "desc");
    source.RegisterEventHook(4002, &sink, nullptr);
    {
        CEventSource copy(source);
        EXPECT_STREQ(copy.GetFullName(), "Src[CEventSource-->desc]");
        EXPECT_EQ(copy.GetCount(4002), 0);
    }
    EXPECT_EQ(source.GetCount(4002), 1);
    EXPECT_EQ(sink.GetRefCount(), 2);
    OrvVariant* data = nullptr;
    source.UnregisterEventHook(&sink, &data);
}

TEST(EventSource, RegisteringEveryoneOnEventNoneTerminates) {
    CEventSource source("Src", "");
    RecordingSink a("A"), b("B");
    source.RegisterEventHook(0, &a, nullptr);
    source.RegisterEventHook(4002, &b, nullptr);
    source.RegisterEventHook(4003, &b, nullptr);

    EXPECT_EQ(source.SetProperty(8, OrvVariant(1L), nullptr, nullptr), S_FALSE);
    EXPECT_EQ(source.GetCount(0), 4);
    EXPECT_EQ(source.SetProperty(8, OrvVariant("x"), nullptr, nullptr), S_FALSE);
    EXPECT_EQ(source.GetCount(0), 4);
    source.SetProperty(8, OrvVariant(0L), nullptr, nullptr);
    EXPECT_EQ(source.GetCount(0), 0);
    EXPECT_EQ(source.GetCount(4002), 1);
    EXPECT_EQ(a.GetRefCount(), 1);
    EXPECT_EQ(b.GetRefCount(), 3);
    OrvVariant* data = nullptr;
    while (source.UnregisterEventHook(&b, &data) == S_OK) {
    }
}

namespace {

// A world of sinks on one source whose handlers unhook themselves and others, hook new sinks and
// broadcast again. Sinks are deleted as soon as they are unhooked, so the sanitizer build
// catches any touch of a released hook's sink.
class ChurnWorld {
public:
    struct Churner : CEventSink {
        Churner(ChurnWorld& w, int i)
            : CEventSink("churner", static_cast<const char*>(nullptr)), world(w), index(i) {}
        long HandleEventIndirect(CEventSource*, const CEventSource::EventData*) override {
            if (removed) ++world.violations;
            if (world.depth == 0) ++reachedOuter;
            if (world.depth == 0) world.Act(*this);
            return S_OK;
        }
        ChurnWorld& world;
        int index;
        bool removed = false;
        int reachedOuter = 0;
    };

    explicit ChurnWorld(int count) {
        for (int i = 0; i < count; ++i) Hook();
    }
    ~ChurnWorld() {
        for (int i = 0; i < static_cast<int>(sinks.size()); ++i) Unhook(i);
    }

    void Hook() {
        sinks.push_back(new Churner(*this, static_cast<int>(sinks.size())));
        source.RegisterEventHook(4002, sinks.back(), nullptr);
        state.push_back(Fate::Live);
    }

    void Unhook(int i) {
        if (i < 0 || i >= static_cast<int>(sinks.size()) || !sinks[i]) return;
        Churner* victim = sinks[i];
        OrvVariant* data = nullptr;
        if (source.UnregisterEventHook(4002, victim, &data) != S_OK) ++violations;
        if (victim->GetRefCount() != 1) ++violations;
        state[i] = victim->reachedOuter ? Fate::RemovedAfterTurn : Fate::RemovedBeforeTurn;
        victim->removed = true;
        sinks[i] = nullptr;
        delete victim;
    }

    void Act(Churner& self) {
        int i = self.index;
        ++depth;
        if (i % 13 == 0 && i < 1000) Hook();
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

    // The source's lists are consistent afterwards: one hook per live sink.
    long live = 0;
    for (auto* sink : world.sinks) live += sink ? 1 : 0;
    EXPECT_EQ(world.source.GetCount(4002), live);
}

TEST(GuiFEEventSink, AnswersSimulatorEventsAndYieldsEvery52ndPauseQuery) {
    velttest::ScriptedFrontEnd frontEnd;
    CGuiFE_EventSink sink("GuiFE", &frontEnd);
    CEventSource simulator("Simulator", "");
    simulator.RegisterEventHook(EVENT_PAUSE_QUERY, &sink, nullptr);
    simulator.RegisterEventHook(EVENT_ANALYSIS_BEGIN, &sink, nullptr);

    for (int i = 1; i <= 51; ++i) ASSERT_EQ(Broadcast(simulator, EVENT_PAUSE_QUERY), S_OK);
    EXPECT_TRUE(frontEnd.yields.empty());
    EXPECT_EQ(Broadcast(simulator, EVENT_PAUSE_QUERY), S_OK);
    EXPECT_EQ(frontEnd.yields, std::vector<long>{0});
    for (int i = 53; i <= 104; ++i) Broadcast(simulator, EVENT_PAUSE_QUERY);
    EXPECT_EQ(frontEnd.yields.size(), 2u);
    EXPECT_EQ(Broadcast(simulator, EVENT_ANALYSIS_BEGIN), S_OK);

    // Without an input, or for other events, the default handler answers.
    OrvVariant out;
    CEventSource::EventData noInput{EVENT_PAUSE_QUERY, nullptr, &out, nullptr};
    EXPECT_EQ(sink.HandleEventIndirect(&simulator, &noInput), E_NOINTERFACE);
    EXPECT_EQ(sink.HandleEvent(2001, &simulator, OrvVariant(), out, nullptr), E_NOINTERFACE);
    OrvVariant* data = nullptr;
    while (simulator.UnregisterEventHook(&sink, &data) == S_OK) {
    }
}

TEST(EventSink, UnhandledEventsAreLoggedUnderTheRoot) {
    velttest::CapturingLog log;
    CEventSink sink("Osc", "Front");
    CEventSource source("S", static_cast<const char*>(nullptr));
    OrvVariant in, out;

    EXPECT_EQ(sink.HandleEvent(4005, &source, in, out, nullptr), E_NOINTERFACE);
    EXPECT_TRUE(log.lines.empty());

    EXPECT_EQ(sink.AttachCmdLog(&log), S_OK);
    EXPECT_EQ(sink.HandleEvent(4005, &source, in, out, nullptr), E_NOINTERFACE);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0],
              "*+++++ EventSink(Osc[CEventSink-->Front]), EventSource(S[CEventSource]), "
              "Unhandled event: (Simulator) New data is being added to the plotter");
    EXPECT_EQ(log.styles[0], 1);
    EXPECT_EQ(log.outItems[0], nullptr);
    EXPECT_EQ(log.ensureVisibleFlags[0], 1);

    log.hasRoot = false;
    sink.HandleEvent(4005, &source, in, out, nullptr);
    EXPECT_EQ(log.lines.size(), 1u);
}
