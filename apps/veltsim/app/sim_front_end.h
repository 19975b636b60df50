#pragma once

#include <veltutil/veltutil.h>

namespace veltsim {

// The application's front end. Its message-processing object runs in faster mode: the
// simulator asks to yield every 52 accepted steps, and each yield should pump what is waiting
// and hand the thread back at once rather than wait out a time budget, which would cost a
// millisecond each time and make the run several times slower.
class SimFrontEnd : public CGuiFE {
public:
    SimFrontEnd() { processing_.SetFasterModeEnable(true); }

    CWindowsMessageProcessing* GetMessageProcessing() override { return &processing_; }
    // The application has no host of its own to ask or command.
    int HostQuery(CString&, const CString&, long, const CString&) override { return 0; }
    int HostCommand(long, CString&) override { return 0; }

private:
    CWindowsMessageProcessing processing_;
};

}  // namespace veltsim
