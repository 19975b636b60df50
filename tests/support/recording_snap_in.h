#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "veltutil/framework/instrument_interface.h"

namespace velttest {

// A snap-in that records the commands it runs, whether it allowed commands while running each,
// and runs a test's reaction on each. The texts "throw-cstring", "throw-int" and "throw-std"
// throw; "answer-N" answers N.
class RecordingSnapIn : public CInstrumentInterface {
public:
    explicit RecordingSnapIn(const char* name = "Recorder") : CInstrumentInterface(name, nullptr) {}

    std::vector<std::string> ran;
    std::vector<int> allowedWhileRunning;
    std::function<void(const std::string&)> during;

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog*) override {
        std::string text = command;
        ran.push_back(text);
        allowedWhileRunning.push_back(IsAllowExecuteCmdNow());
        if (during) during(text);
        if (text == "throw-cstring") throw CString("bad");
        if (text == "throw-int") throw 42;
        if (text == "throw-std") throw std::runtime_error("bad");
        if (text.rfind("answer-", 0) == 0) return std::stol(text.substr(7));
        return S_OK;
    }
};

}  // namespace velttest
