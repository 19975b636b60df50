#pragma once

#include <functional>
#include <string>
#include <vector>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/logs/tree_log.h"

namespace velttest {

// A sink that records what reached it and runs an optional action on each event.
class RecordingSink : public CEventSink {
public:
    explicit RecordingSink(const char* name, long answer = S_OK)
        : CEventSink(name, static_cast<const char*>(nullptr)), answer_(answer) {}

    long HandleEventIndirect(CEventSource*, const CEventSource::EventData* data) override {
        events.push_back(data->eventId);
        if (trace) trace->push_back(GetName());
        if (action) action(*this);
        return answer_;
    }

    std::vector<long> events;
    std::vector<std::string>* trace = nullptr;
    std::function<void(RecordingSink&)> action;

private:
    long answer_;
};

// A front end whose yield runs a test's script in place of a message loop.
class ScriptedFrontEnd : public CGuiFE {
public:
    long YieldTime(long level) override {
        yields.push_back(level);
        if (!onYield) return S_FALSE;
        return onYield();
    }
    int HostQuery(CString&, const CString&, long, const CString&) override { return 0; }
    int HostCommand(long, CString&) override { return 0; }

    std::vector<long> yields;
    std::function<long()> onYield;
};

// A log with a root that keeps the lines written into it.
class CapturingLog : public CTreeLog {
public:
    CapturingLog() : CTreeLog("Capture", nullptr, nullptr) {}
    long GetRootText(_TREEITEM*& root) override {
        root = nullptr;
        return hasRoot ? S_OK : S_FALSE;
    }
    long AddText(_TREEITEM*, OutputStyle style, const char* text, _TREEITEM** item,
                 int ensureVisible) override {
        lines.push_back(text);
        styles.push_back(style);
        outItems.push_back(item);
        ensureVisibleFlags.push_back(ensureVisible);
        return S_OK;
    }

    bool hasRoot = true;
    std::vector<std::string> lines;
    std::vector<int> styles;
    std::vector<_TREEITEM**> outItems;
    std::vector<int> ensureVisibleFlags;
};

}  // namespace velttest
