#include "veltutil/instruments/instrument_settings_base.h"

#include <algorithm>

#include "veltutil/instruments/internal/numbers.h"
#include "veltutil/platform/host/drawing/device_caps.h"

using veltutil::detail::TruncateTo;

namespace {

CRect windowRect(const CWnd& wnd) {
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

// Gives the focus back to the window that had it, if that window is still there.
class FocusKeeper {
public:
    FocusKeeper() : had_(CWnd::GetFocus() ? CWnd::GetFocus()->m_hWnd : nullptr) {}
    ~FocusKeeper() {
        if (CWnd* wnd = CWnd::FromHandle(had_)) wnd->SetFocus();
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    HWND had_;
};

}  // namespace

CInstrumentSettingsBase::CInstrumentSettingsBase(int& shown, double& x, double& y, unsigned int idd, CWnd* parent)
    : m_pShown(&shown), m_pPosX(&x), m_pPosY(&y), templateId_(idd), parentWnd_(parent) {}

CInstrumentSettingsBase::~CInstrumentSettingsBase() = default;

BOOL CInstrumentSettingsBase::Create() { return CDialog::Create(templateId_, parentWnd_); }

int CInstrumentSettingsBase::Show(int on) {
    ShowWindow(on ? SW_SHOW : SW_HIDE);
    m_nShown = on;
    return 1;
}

void CInstrumentSettingsBase::refresh_instrument_dialog(int) {}

void CInstrumentSettingsBase::SaveUndoData() {}

int CInstrumentSettingsBase::GetDisplayResolution(int& width, int& height) {
    width = height = -1;
    CWnd* desktop = CWnd::GetDesktopWindow();
    if (!desktop) return 0;
    HDC dc = ::GetDC(desktop->m_hWnd);
    if (!dc) return 0;
    width = ::GetDeviceCaps(dc, HORZRES);
    height = ::GetDeviceCaps(dc, VERTRES);
    ::ReleaseDC(desktop->m_hWnd, dc);
    return 1;
}

void CInstrumentSettingsBase::ResetInstrumentWindowPos() { ResetInstrumentWindowPos(*m_pPosX, *m_pPosY); }

void CInstrumentSettingsBase::ResetInstrumentWindowPos(double& x, double& y) {
    if (!m_hWnd) return;
    FocusKeeper focus;
    CWnd* parent = GetParent();
    if (!parent || x == kNoPosition || y == kNoPosition) {
        CenterWindow();
        return;
    }
    int screenWidth = 0;
    int screenHeight = 0;
    if (!GetDisplayResolution(screenWidth, screenHeight) || screenWidth < 1 || screenHeight < 1) return;
    CRect window = windowRect(*this);
    CRect owner = windowRect(*parent);
    long width = window.Width();
    long height = window.Height();
    // Stored positions come from files: whatever they hold, the window lands on the screen.
    long left = TruncateTo<int>(screenWidth * x + static_cast<double>(owner.right - width));
    long top = TruncateTo<int>(screenHeight * y + static_cast<double>(owner.bottom - height));
    left = std::max(left, 0L);
    top = std::max(top, 0L);
    if (left + width > screenWidth) left = std::max(screenWidth - width, 0L);
    if (top + height > screenHeight) top = std::max(screenHeight - height, 0L);
    SetWindowPos(nullptr, static_cast<int>(left), static_cast<int>(top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

BOOL CInstrumentSettingsBase::OnInitDialog() {
    CDialog::OnInitDialog();
    ResetInstrumentWindowPos();
    m_bPlaced = true;
    return TRUE;
}

void CInstrumentSettingsBase::OnMove(int x, int y) {
    CDialog::OnMove(x, y);
    int screenWidth = 0;
    int screenHeight = 0;
    CWnd* parent = GetParent();
    if (!m_bPlaced || !GetDisplayResolution(screenWidth, screenHeight) || screenWidth < 1 || screenHeight < 1 || !parent) {
        return;
    }
    CRect window = windowRect(*this);
    CRect owner = windowRect(*parent);
    *m_pPosX = static_cast<double>(window.right - owner.right) / screenWidth;
    *m_pPosY = static_cast<double>(window.bottom - owner.bottom) / screenHeight;
}

void CInstrumentSettingsBase::OnClose() {
    *m_pShown = 0;
    Show(0);
    SaveUndoData();
}
