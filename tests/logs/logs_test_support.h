#pragma once

#include <string>
#include <vector>

#include "veltutil/framework/instrument_interface.h"

namespace velttest {

// A snap-in that records every command it is sent, with its lock key, and runs none.
class RecordingSnapIn : public CInstrumentInterface {
public:
    RecordingSnapIn() : CInstrumentInterface("Recorder", nullptr) {}

    long ExecuteCmd(const char* command, long key, CTreeLog* log) override {
        commands.emplace_back(command);
        keys.push_back(key);
        return CInstrumentInterface::ExecuteCmd(command, key, log);
    }

    std::vector<std::string> commands;
    std::vector<long> keys;
};

}  // namespace velttest
