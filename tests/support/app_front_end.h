#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/support/recording_snap_in.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/windows_message_processing.h"

namespace velttest {

// The event source of a test's simulator; final, as its destructor is not virtual.
class SimulatorEvents final : public CEventSource {
public:
    using CEventSource::CEventSource;
};

// A snap-in of a given type that records its lifecycle and the commands it runs. A simulator
// has an event source, as the real one has.
class TestSnapIn : public RecordingSnapIn {
public:
    TestSnapIn(const char* name, Type type, std::vector<std::string>* trace = nullptr)
        : RecordingSnapIn(name), type_(type), trace_(trace) {
        if (type == TypeSimulator) source.emplace("Simulator", static_cast<const char*>(nullptr));
    }

    Type GetType() override { return type_; }
    long Uninitialize() override {
        if (trace_ != nullptr) trace_->push_back(std::string("uninitialize ") + GetName());
        return CInstrumentInterface::Uninitialize();
    }
    ComItem GetNthItem(ComItem::ItemType type, int n) override {
        if (type == ComItem::ItemEventSource && n == 0 && source) return ComItem(&*source, false);
        return CInstrumentInterface::GetNthItem(type, n);
    }

    std::optional<SimulatorEvents> source;

private:
    Type type_;
    std::vector<std::string>* trace_;
};

// The application's front end: its message-processing object pumps the host queue; the host
// answers queries and commands as scripted.
class AppFrontEnd : public CGuiFE {
public:
    CWindowsMessageProcessing* GetMessageProcessing() override { return processing; }
    int HostQuery(CString& result, const CString& first, long number, const CString& second) override {
        queries.push_back(std::string(first) + "|" + std::to_string(number) + "|" + std::string(second));
        if (answer.empty()) return 0;
        result = answer.c_str();
        return 1;
    }
    int HostCommand(long number, CString& text) override {
        commands.push_back(std::to_string(number) + " " + std::string(text));
        return commandAnswer;
    }

    CWindowsMessageProcessing* processing = nullptr;
    std::vector<std::string> queries;
    std::vector<std::string> commands;
    std::string answer;
    int commandAnswer = 1;
};

}  // namespace velttest
