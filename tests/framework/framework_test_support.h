#pragma once

#include <functional>
#include <vector>

#include "veltutil/framework/gui_fe.h"

namespace velttest {

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
