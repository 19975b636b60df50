#include "veltutil/platform/host/windows/frame_wnd.h"

#include <algorithm>

namespace {

// Never destroyed: a frame owned by an object of static storage duration may be destroyed at
// any point of static destruction.
std::vector<CFrameWnd*>& frames() {
    static auto* list = new std::vector<CFrameWnd*>;
    return *list;
}

}  // namespace

CFrameWnd::CFrameWnd() { frames().push_back(this); }

CFrameWnd::~CFrameWnd() { std::erase(frames(), this); }

const std::vector<CFrameWnd*>& CFrameWnd::AllFrames() { return frames(); }
