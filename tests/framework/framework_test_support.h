#pragma once

#include <functional>
#include <string>
#include <vector>

#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/gui_fe.h"

namespace velttest {

// A sink that appends its name to a shared trace on each event and answers a fixed code.
class RecordingSink : public CEventSink {
public:
    RecordingSink(const char* name, std::vector<std::string>& trace, long answer = S_OK)
        : CEventSink(name, static_cast<const char*>(nullptr)), trace_(trace), answer_(answer) {}
    long HandleEventIndirect(CEventSource*, const CEventSource::EventData*) override {
        trace_.push_back(GetName());
        return answer_;
    }

private:
    std::vector<std::string>& trace_;
    long answer_;
};

// A front end whose yield runs a test's script in place of a message loop (none: cannot yield).
class ScriptedFrontEnd : public CGuiFE {
public:
    long YieldTime(long level) override {
        yields.push_back(level);
        return onYield ? onYield() : S_FALSE;
    }
    int HostQuery(CString&, const CString&, long, const CString&) override { return 0; }
    int HostCommand(long, CString&) override { return 0; }

    std::vector<long> yields;
    std::function<long()> onYield;
};

}  // namespace velttest
