#include "face/qt/geometry_relay.h"

namespace veltface {

namespace {

constexpr UINT kApplyGeometry = WM_USER + 0x7E01;

}  // namespace

void GeometryRelay::Report(HWND hwnd, const QRect& geometry) {
    if (pending_.insert_or_assign(hwnd, geometry).second) PostMessage(kApplyGeometry, reinterpret_cast<WPARAM>(hwnd));
}

LRESULT GeometryRelay::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kApplyGeometry) return CWnd::WindowProc(message, wParam, lParam);
    auto hwnd = reinterpret_cast<HWND>(wParam);
    auto found = pending_.find(hwnd);
    if (found == pending_.end()) return 0;
    QRect geometry = found->second;
    pending_.erase(found);
    if (CWnd* wnd = CWnd::FromHandle(hwnd)) {
        wnd->SetWindowPos(nullptr, geometry.x(), geometry.y(), geometry.width(), geometry.height(),
                          SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

}  // namespace veltface
