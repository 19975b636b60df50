#pragma once

#include <vector>

#include "veltutil/platform/host/windows/wnd.h"

// A top-level frame window. A frame may ask to be shown later, at the next idle time, by
// setting m_nShowDelay to a show command (-1 when nothing is pending).
class VELTHOST_API CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    BOOL IsFrameWnd() const override { return TRUE; }

    // Every frame object of the process, in creation order.
    static const std::vector<CFrameWnd*>& AllFrames();

    int m_nShowDelay = -1;
};
