#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/loop/win_app.h"

// An application whose main loop is a resumable state machine kept in the object, so that a
// computation running inside a message handler can run some steps of the very same loop
// (YieldTime(n)) and then carry on; an inner call continues where the outer one stands.
class VELTUTIL_API CCorouteWinApp : public CWinApp {
public:
    CCorouteWinApp();

    // Runs the loop until the quit message; returns the exit code.
    int Run() override;
    // Runs `steps` turns of the loop (0: until the quit message). After the quit message every
    // call returns at once.
    void YieldTime(int steps);
    int GetYieldLevel() const { return yieldLevel_; }

private:
    enum State {
        kNewPass = 0,
        kCallIdle = 1,
        kLookIdle = 2,
        kPump = 3,
        kClassify = 4,
        kLookMore = 5,
        kQuit = 6,
    };

    void IdlePhase();
    // One turn of the pump phase from the current state; false when the phase is over.
    bool PumpTurn();

    int idle_ = 1;
    long idleCount_ = 0;
    int state_ = kNewPass;
    int exitCode_ = 0;
    int yieldLevel_ = 0;
};
