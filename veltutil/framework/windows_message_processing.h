#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/messages.h"

// Hands the user-interface thread to the message loop for a time budget, so that windows stay
// alive while a long computation runs on the same thread. Yields never nest: a yield asked for
// by a message handler while one runs lengthens the running one instead.
class VELTUTIL_API CWindowsMessageProcessing {
public:
    CWindowsMessageProcessing() = default;

    // Pumps messages for about `level` milliseconds (0 is taken as 1). A quit message ends the
    // yield early and is consumed. An exception from pre-translation or idle processing ends
    // the yield unaccounted and passes on, with level and budget as before the yield; handlers'
    // exceptions stop in the window procedure.
    void YieldTime(int level);
    // In faster mode a yield only empties the queue once and does not wait out its budget.
    void SetFasterModeEnable(bool enable) { fasterMode_ = enable; }

    // Accounting of the time yielded: each yield made while accounting is on adds its whole
    // budget, however long it really took.
    void SimTimeBegin();
    unsigned long SimTimeIdledAmount() { return idledAmount_; }
    // Accounting stays on and the amount stays readable until the next SimTimeBegin.
    void SimTimeEnd() {}

    int GetYieldLevel() const { return yieldLevel_; }

protected:
    // False on the quit message, which is consumed.
    bool PumpMessage();
    void OnIdle();
    bool IsIdleMessage(MSG* msg);
    // Messages without a window are taken here and never dispatched.
    bool PreTranslateMessage(MSG* msg);

private:
    // Pumps up to `limit` waiting messages; false when the quit message came.
    bool PumpWaiting(int limit, bool idleAfterEach);

    int yieldLevel_ = 0;
    int pending_ = 0;
    MSG message_;
    POINT lastMousePoint_;
    UINT lastMouseMessage_ = 0;
    bool fasterMode_ = false;
    bool accountingOn_ = false;
    DWORD idledAmount_ = 0;
};
