#pragma once

#include <vector>

#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/geometry.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/messages.h"

class CDC;
class CFont;

constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWNA = 8;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

constexpr WPARAM SIZE_RESTORED = 0;
constexpr BOOL ICON_SMALL = 0;
constexpr BOOL ICON_BIG = 1;

// A headless window: it keeps its state (text, style, visibility, rectangle, children) and
// receives messages through WindowProc, so that code written against windows runs and can be
// driven by posted input. A child's rectangle is relative to its parent's client area; a
// top-level window's is in screen coordinates. Client areas have no borders: the client
// rectangle is the window's own size.
class VELTHOST_API CWnd : public CObject {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    // The window object of a handle; null for a handle that is not (or no longer) a window.
    static CWnd* FromHandle(HWND hwnd);
    // The screen as a window: top level, visible, its rectangle the screen's size at the time
    // of the call (drawing/device_caps.h). It lives as long as the process.
    static CWnd* GetDesktopWindow();
    // The window that has the keyboard focus on this thread, or null.
    static CWnd* GetFocus();

    // Sends WM_CREATE once the window exists; FALSE (and no window) when OnCreate refuses.
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0);
    virtual BOOL DestroyWindow();
    // Makes this object the dialog item `id` of parent. The headless host has no window
    // procedure to hook, so this object's window is created in the item's place (its text,
    // style, rectangle, id, font and position among its siblings) and the item's window is
    // destroyed; the item's object stays with whoever owns it. FALSE when this object has a
    // window already or parent has no such item.
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND GetSafeHwnd() const { return m_hWnd; }

    // For a child its parent; for a top-level window its owner.
    CWnd* GetParent() const { return parent_; }
    // The nearest window up the chain that is not a child window (itself when it is none).
    CWnd* GetTopLevelParent() const;
    const std::vector<CWnd*>& GetChildren() const { return children_; }
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return static_cast<int>(id_); }

    DWORD GetStyle() const { return style_; }
    void ModifyStyle(DWORD remove, DWORD add);

    // Returns whether the window was visible before.
    BOOL ShowWindow(int command);
    // Visible itself and, for a child, every parent up to its top-level window.
    BOOL IsWindowVisible() const;
    // Returns whether the window was disabled before.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const { return (style_ & WS_DISABLED) == 0; }

    virtual void SetWindowText(const char* text);
    void GetWindowText(CString& text) const { text = text_; }
    const CString& GetWindowText() const { return text_; }
    int GetWindowTextLength() const { return text_.GetLength(); }

    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT* rect, BOOL repaint = TRUE);
    // Sends WM_MOVE when the position changes and WM_SIZE when the size does. The headless
    // host keeps no Z order and activates nothing, so insertAfter and SWP_NOACTIVATE change
    // nothing; without SWP_NOZORDER a face brings a top-level window to the front.
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    // Centres the window on `alternateOwner`, else on its parent (for a child, within the
    // parent's client area), else on the screen; a top-level window is then moved back onto
    // the screen where it would stand over an edge (the left and top edges win).
    void CenterWindow(CWnd* alternateOwner = nullptr);
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;

    // Gives this window the keyboard focus; returns the window that had it (or null).
    CWnd* SetFocus();

    // The font the window's text is drawn in; null means the system font.
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const { return font_; }

    // The headless host paints on request only: an invalidated window gets WM_PAINT from
    // UpdateWindow, and PrintClient draws the client area into a caller's device context
    // (WM_PRINTCLIENT). There is no update region: any validation validates the whole window.
    void Invalidate(BOOL erase = TRUE);
    void ValidateRect(const RECT* rect);
    // TRUE when the window waits to be painted; `rect` (when not null) gets the client rectangle.
    BOOL GetUpdateRect(RECT* rect, BOOL erase = FALSE) const;
    void UpdateWindow();
    void PrintClient(CDC* dc, DWORD flags);

    HICON SetIcon(HICON icon, BOOL big);
    HICON GetIcon(BOOL big) const { return big ? bigIcon_ : smallIcon_; }

    // Calls the window procedure at once; every dispatched message comes this way too. As on
    // the platform, an exception that a handler throws stops here: it is reported in a message
    // box (its text: what() of a standard exception, a thrown CString, or a general message),
    // the result is 0, and the loop goes on with the next message.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE);

    // Whether the window takes the message before it is translated and dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Offers the message to its window and each parent up to (and including) `stop`; TRUE when
    // one of them takes it.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

    virtual BOOL IsFrameWnd() const { return FALSE; }

    // The window's message handler. The defaults route commands, notifications, sizing, closing
    // and help to the On... members below.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

protected:
    // WM_CREATE: -1 refuses the window.
    virtual int OnCreate() { return 0; }
    // A notification (WM_NOTIFY) or drawing request (WM_DRAWITEM) that this window sent its
    // parent, reflected back before the parent handles it: TRUE when this window took it, and
    // then the parent's own handlers never see it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnSize(UINT type, int cx, int cy);
    // The new position of the client area's top-left corner: screen coordinates for a
    // top-level window, the parent's client coordinates for a child.
    virtual void OnMove(int x, int y);
    // Closing destroys the window unless a subclass decides otherwise.
    virtual void OnClose();
    // F1 help; the default passes the request to the parent.
    virtual BOOL OnHelpInfo();
    virtual void OnDestroy();
    // Notifies the parent with WM_COMMAND(id, code).
    void NotifyParent(int code);

private:
    void Detach();
    BOOL ReflectToSender(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    CWnd* parent_ = nullptr;
    std::vector<CWnd*> children_;
    CString text_;
    DWORD style_ = 0;
    UINT id_ = 0;
    CRect rect_;
    HICON smallIcon_ = nullptr;
    HICON bigIcon_ = nullptr;
    CFont* font_ = nullptr;
    bool invalid_ = false;
};
