#pragma once

#include <QRect>

#include <unordered_map>

#include "veltutil/platform/host/windows/wnd.h"

namespace veltface {

// Where a person put top-level windows, handed to the windows through the queue like any
// other input: each report posts a message to this hidden window, which moves the window when
// the message is dispatched, in its turn among the other input. Reports made before the window
// had its turn merge into the last one.
class GeometryRelay final : public CWnd {
public:
    void Report(HWND hwnd, const QRect& geometry);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::unordered_map<HWND, QRect> pending_;
};

}  // namespace veltface
