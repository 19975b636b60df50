#include "veltutil/platform/host/windows/frame_wnd.h"

#include <algorithm>

namespace {

std::vector<CFrameWnd*>& frames() {
    static std::vector<CFrameWnd*> list;
    return list;
}

}  // namespace

CFrameWnd::CFrameWnd() { frames().push_back(this); }

CFrameWnd::~CFrameWnd() { std::erase(frames(), this); }

const std::vector<CFrameWnd*>& CFrameWnd::AllFrames() { return frames(); }
