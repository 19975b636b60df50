#include "veltutil/platform/host/windows/wnd.h"

#include <algorithm>
#include <atomic>
#include <exception>

#include "veltutil/platform/host/drawing/dc.h"
#include "veltutil/platform/host/face/internal/face_hooks.h"
#include "veltutil/platform/host/internal/window_registry.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/windows/system_metrics.h"

namespace {

constexpr const char* kHandlerFailed = "An unexpected error occurred while a window handled a message.";

// Called inside a catch block: reports the exception being handled.
void reportHandlerException() {
    CString reason;
    try {
        throw;
    } catch (const std::exception& error) {
        reason = error.what();
    } catch (const CString& text) {
        reason = text;
    } catch (...) {
    }
    AfxMessageBox(reason.IsEmpty() ? kHandlerFailed : reason.GetString(), MB_OK | MB_ICONEXCLAMATION);
}

using veltutil::detail::WindowChange;

// The screen as a window is the face's own screen: the face never shows it.
std::atomic<const CWnd*> desktopWindow{nullptr};

veltutil::detail::Face* faceOf(const CWnd* wnd) {
    return wnd == desktopWindow.load(std::memory_order_relaxed) ? nullptr : veltutil::detail::FaceOfThisThread();
}

void tellFace(CWnd* wnd, WindowChange change) {
    if (veltutil::detail::Face* face = faceOf(wnd)) face->WindowChanged(*wnd, change);
}

// Keyboard focus is kept per thread, as each thread of the platform has its own input state.
thread_local HWND focus = nullptr;

// WM_MOVE carries two signed 16-bit values.
LPARAM packPair(long low, long high) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(low)), static_cast<WORD>(static_cast<short>(high)));
}

}  // namespace

CWnd::~CWnd() {
    // A subclass's own handlers are gone by now; only the bookkeeping is left to undo.
    for (CWnd* child : children_) child->parent_ = nullptr;
    children_.clear();
    Detach();
}

CWnd* CWnd::FromHandle(HWND hwnd) { return veltutil::detail::WindowFromHandle(hwnd); }

CWnd* CWnd::GetDesktopWindow() {
    // Never destroyed: windows may ask for it while the process exits.
    static CWnd* desktop = [] {
        auto* wnd = new CWnd;
        desktopWindow = wnd;
        wnd->Create("", WS_VISIBLE, CRect(), nullptr);
        return wnd;
    }();
    desktop->rect_ = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return desktop;
}

CWnd* CWnd::GetFocus() { return FromHandle(focus); }

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_hWnd) {
        focus = m_hWnd;
        tellFace(this, WindowChange::Focus);
    }
    return previous;
}

BOOL CWnd::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (m_hWnd) return FALSE;
    if ((style & WS_CHILD) && (!parent || !parent->m_hWnd)) return FALSE;
    text_ = text;
    style_ = style;
    rect_ = rect;
    id_ = id;
    parent_ = parent;
    if (parent_) parent_->children_.push_back(this);
    m_hWnd = veltutil::detail::RegisterWindow(this);
    // The first window of the process chooses the face. The face learns of the window before
    // WM_CREATE, so that children made there find their parent on the screen.
    if (this != desktopWindow.load(std::memory_order_relaxed)) {
        if (veltutil::detail::Face* face = veltutil::detail::ChooseFaceOfThisThread()) face->WindowCreated(*this);
    }
    if (SendMessage(WM_CREATE) == -1) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    CWnd* item = parent ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
    if (m_hWnd || !item) return FALSE;
    font_ = item->font_;
    if (!Create(item->text_, item->style_, item->rect_, parent, id)) return FALSE;
    // Dialog navigation and radio groups follow the order of the siblings.
    std::vector<CWnd*>& siblings = parent->children_;
    siblings.pop_back();
    siblings.insert(std::find(siblings.begin(), siblings.end(), item), this);
    item->DestroyWindow();
    return TRUE;
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    // Children go first, as their parent's client area disappears with it.
    std::vector<CWnd*> children = children_;
    for (CWnd* child : children) child->DestroyWindow();
    SendMessage(WM_DESTROY);
    Detach();
    return TRUE;
}

void CWnd::Detach() {
    if (veltutil::detail::Face* face = m_hWnd ? faceOf(this) : nullptr) face->WindowDestroyed(*this);
    if (m_hWnd && focus == m_hWnd) focus = nullptr;
    if (parent_) std::erase(parent_->children_, this);
    parent_ = nullptr;
    if (m_hWnd) veltutil::detail::UnregisterWindow(m_hWnd);
    m_hWnd = nullptr;
    invalid_ = false;
}

CWnd* CWnd::GetTopLevelParent() const {
    const CWnd* wnd = this;
    while ((wnd->style_ & WS_CHILD) && wnd->parent_) wnd = wnd->parent_;
    return const_cast<CWnd*>(wnd);
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* child : children_) {
        if (child->GetDlgCtrlID() == id) return child;
    }
    return nullptr;
}

BOOL CWnd::ShowWindow(int command) {
    BOOL wasVisible = (style_ & WS_VISIBLE) != 0;
    bool show = command != SW_HIDE;
    if (show == static_cast<bool>(wasVisible)) return wasVisible;
    style_ = show ? (style_ | WS_VISIBLE) : (style_ & ~WS_VISIBLE);
    tellFace(this, WindowChange::Visibility);
    SendMessage(WM_SHOWWINDOW, show ? TRUE : FALSE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    if (!m_hWnd) return FALSE;
    for (const CWnd* wnd = this; wnd; wnd = wnd->parent_) {
        if (!(wnd->style_ & WS_VISIBLE)) return FALSE;
        if (!(wnd->style_ & WS_CHILD)) break;
    }
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    BOOL wasDisabled = !IsWindowEnabled();
    style_ = enable ? (style_ & ~WS_DISABLED) : (style_ | WS_DISABLED);
    if (m_hWnd) tellFace(this, WindowChange::Enabled);
    return wasDisabled;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) {
    style_ = (style_ & ~remove) | add;
    if (m_hWnd) tellFace(this, WindowChange::Style);
}

void CWnd::SetWindowText(const char* text) {
    text_ = text;
    if (m_hWnd) tellFace(this, WindowChange::Text);
}

void CWnd::GetClientRect(RECT* rect) const {
    if (rect) *rect = CRect(0, 0, rect_.Width(), rect_.Height());
}

void CWnd::GetWindowRect(RECT* rect) const {
    if (!rect) return;
    CRect screen = rect_;
    if ((style_ & WS_CHILD) && parent_) {
        POINT origin;
        parent_->ClientToScreen(&origin);
        screen.OffsetRect(origin.x, origin.y);
    }
    *rect = screen;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL /*repaint*/) {
    SetWindowPos(nullptr, x, y, width, height, SWP_NOZORDER);
}

void CWnd::MoveWindow(const RECT* rect, BOOL repaint) {
    if (rect) MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

BOOL CWnd::SetWindowPos(const CWnd* /*insertAfter*/, int x, int y, int cx, int cy, UINT flags) {
    if (!m_hWnd) return FALSE;
    CRect next = rect_;
    if (!(flags & SWP_NOMOVE)) next.OffsetRect(x - next.left, y - next.top);
    if (!(flags & SWP_NOSIZE)) {
        next.right = next.left + std::max(cx, 0);
        next.bottom = next.top + std::max(cy, 0);
    }
    bool moved = next.left != rect_.left || next.top != rect_.top;
    bool resized = next.Width() != rect_.Width() || next.Height() != rect_.Height();
    rect_ = next;
    if (moved || resized) tellFace(this, WindowChange::Geometry);
    if (!(flags & SWP_NOZORDER) && !(style_ & WS_CHILD)) tellFace(this, WindowChange::Front);
    if (flags & SWP_SHOWWINDOW) ShowWindow(SW_SHOWNA);
    if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
    // As the platform does: the move is reported before the new size.
    if (moved) SendMessage(WM_MOVE, 0, packPair(rect_.left, rect_.top));
    if (resized) {
        SendMessage(WM_SIZE, SIZE_RESTORED,
                    MAKELPARAM(static_cast<WORD>(rect_.Width()), static_cast<WORD>(rect_.Height())));
    }
    return TRUE;
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
    if (!m_hWnd) return;
    CWnd* center = alternateOwner ? alternateOwner : parent_;
    bool child = (style_ & WS_CHILD) && parent_;
    // Both in the coordinates of this window's rectangle: where it may stand and what it is
    // centred on.
    CRect area;
    CRect around;
    if (child) {
        parent_->GetClientRect(&area);
        around = area;
        if (center && center != parent_) {
            center->GetWindowRect(&around);
            parent_->ScreenToClient(&around);
        }
    } else {
        area = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        around = area;
        // As on the platform, a hidden window is no place to centre on.
        if (center && center->IsWindowVisible()) center->GetWindowRect(&around);
    }
    long left = around.left + (around.Width() - rect_.Width()) / 2;
    long top = around.top + (around.Height() - rect_.Height()) / 2;
    if (!child) {
        left = std::max(std::min(left, area.right - rect_.Width()), area.left);
        top = std::max(std::min(top, area.bottom - rect_.Height()), area.top);
    }
    SetWindowPos(nullptr, static_cast<int>(left), static_cast<int>(top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::ClientToScreen(POINT* point) const {
    if (!point) return;
    RECT screen;
    GetWindowRect(&screen);
    point->x += screen.left;
    point->y += screen.top;
}

void CWnd::ClientToScreen(RECT* rect) const {
    if (!rect) return;
    POINT origin;
    ClientToScreen(&origin);
    CRect moved(*rect);
    moved.OffsetRect(origin.x, origin.y);
    *rect = moved;
}

void CWnd::ScreenToClient(POINT* point) const {
    if (!point) return;
    POINT origin;
    ClientToScreen(&origin);
    point->x -= origin.x;
    point->y -= origin.y;
}

void CWnd::ScreenToClient(RECT* rect) const {
    if (!rect) return;
    POINT origin;
    ClientToScreen(&origin);
    CRect moved(*rect);
    moved.OffsetRect(-origin.x, -origin.y);
    *rect = moved;
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    font_ = font;
    if (m_hWnd) tellFace(this, WindowChange::Font);
    if (redraw) Invalidate();
}

void CWnd::Invalidate(BOOL /*erase*/) {
    invalid_ = m_hWnd != nullptr;
    if (veltutil::detail::Face* face = invalid_ ? faceOf(this) : nullptr) face->Invalidated(*this);
}

void CWnd::ValidateRect(const RECT* /*rect*/) { invalid_ = false; }

BOOL CWnd::GetUpdateRect(RECT* rect, BOOL /*erase*/) const {
    if (invalid_) GetClientRect(rect);
    return invalid_;
}

void CWnd::UpdateWindow() {
    if (invalid_) SendMessage(WM_PAINT);
}

void CWnd::PrintClient(CDC* dc, DWORD flags) {
    if (dc) SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc->GetSafeHdc()), static_cast<LPARAM>(flags));
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    HICON& slot = big ? bigIcon_ : smallIcon_;
    HICON previous = slot;
    slot = icon;
    if (m_hWnd) tellFace(this, WindowChange::Icon);
    return previous;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd) return 0;
    try {
        return WindowProc(message, wParam, lParam);
    } catch (...) {
        reportHandlerException();
        return 0;
    }
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd ? ::PostMessage(m_hWnd, message, wParam, lParam) : FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep) {
    // A handler may destroy windows; walk a copy and skip what is gone.
    std::vector<HWND> handles;
    for (CWnd* child : children_) handles.push_back(child->m_hWnd);
    for (HWND hwnd : handles) {
        CWnd* child = FromHandle(hwnd);
        if (!child) continue;
        child->SendMessage(message, wParam, lParam);
        if (deep) child->SendMessageToDescendants(message, wParam, lParam, deep);
    }
}

BOOL CWnd::PreTranslateMessage(MSG* /*msg*/) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
    if (!msg) return FALSE;
    for (HWND hwnd = msg->hwnd; hwnd;) {
        CWnd* wnd = FromHandle(hwnd);
        if (!wnd) return FALSE;
        if (wnd->PreTranslateMessage(msg)) return TRUE;
        if (hwnd == stop || !wnd->parent_) break;
        hwnd = wnd->parent_->m_hWnd;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_CREATE: return OnCreate();
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!ReflectToSender(message, wParam, lParam, &result)) OnNotify(wParam, lParam, &result);
        return result;
    }
    case WM_MOVE: {
        auto packed = static_cast<WPARAM>(lParam);
        OnMove(static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed)));
        return 0;
    }
    case WM_DRAWITEM: {
        LRESULT result = 0;
        return ReflectToSender(message, wParam, lParam, &result) ? TRUE : FALSE;
    }
    case WM_PAINT: ValidateRect(nullptr); return 0;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<WPARAM>(lParam)), HIWORD(static_cast<WPARAM>(lParam))); return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendMessage(WM_CLOSE);
        return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F1) return GetTopLevelParent()->SendMessage(WM_HELP);
        return 0;
    case WM_HELP: return OnHelpInfo();
    case WM_DESTROY: OnDestroy(); return 0;
    default: return 0;
    }
}

BOOL CWnd::ReflectToSender(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!lParam) return FALSE;
    HWND sender = message == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom
                                       : reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    CWnd* child = FromHandle(sender);
    return child && child != this && child->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*result*/) { return FALSE; }
BOOL CWnd::OnCommand(WPARAM /*wParam*/, LPARAM /*lParam*/) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT* /*result*/) { return FALSE; }
void CWnd::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {}
void CWnd::OnMove(int /*x*/, int /*y*/) {}
void CWnd::OnClose() { DestroyWindow(); }
BOOL CWnd::OnHelpInfo() { return (style_ & WS_CHILD) && parent_ ? static_cast<BOOL>(parent_->SendMessage(WM_HELP)) : FALSE; }
void CWnd::OnDestroy() {}

void CWnd::NotifyParent(int code) {
    if (!parent_) return;
    parent_->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id_), static_cast<WORD>(code)),
                         reinterpret_cast<LPARAM>(m_hWnd));
}
