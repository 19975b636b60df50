#include "veltutil/platform/host/loop/win_app.h"

#include <algorithm>

#include "veltutil/platform/host/windows/frame_wnd.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/windows/win_help.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

CWinApp*& currentApp() {
    static CWinApp* app = nullptr;
    return app;
}

void updateWindowAndDescendants(CWnd* wnd) {
    wnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE);
}

}  // namespace

CWinThread::~CWinThread() = default;

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

int CWinThread::Run() {
    bool idle = true;
    long idleCount = 0;
    for (;;) {
        while (idle && !PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++)) idle = false;
        }
        do {
            if (!PumpMessage()) return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage() {
    if (!GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        TranslateMessage(&m_msgCur);
        DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) { return AfxPreTranslateUpToMainWindow(msg, GetMainWnd()); }

BOOL CWinThread::OnIdle(long count) {
    if (count <= 0) AfxUpdateIdleWindows(GetMainWnd());
    return count < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* msg) { return AfxIsIdleMessage(msg, lastMousePoint_, lastMouseMessage_); }

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) { currentApp() = this; }

CWinApp::~CWinApp() {
    if (currentApp() == this) currentApp() = nullptr;
}

void CWinApp::WinHelp(DWORD data, UINT command) {
    CWnd* main = GetMainWnd();
    ::WinHelp(main ? main->m_hWnd : nullptr, m_pszHelpFilePath, command, data);
}

CWinApp* AfxGetApp() { return currentApp(); }

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app ? app->GetMainWnd() : nullptr;
}

void AfxUpdateIdleWindows(CWnd* mainWnd) {
    if (mainWnd && mainWnd->IsWindowVisible()) updateWindowAndDescendants(mainWnd);
    // A handler may create or destroy frames; walk a copy and look each one up again.
    std::vector<CFrameWnd*> frames = CFrameWnd::AllFrames();
    for (CFrameWnd* frame : frames) {
        const auto& live = CFrameWnd::AllFrames();
        if (frame == mainWnd || std::find(live.begin(), live.end(), frame) == live.end() || !frame->m_hWnd) continue;
        if (frame->m_nShowDelay > SW_HIDE) frame->ShowWindow(frame->m_nShowDelay);
        frame->m_nShowDelay = -1;
        if (frame->IsWindowVisible()) updateWindowAndDescendants(frame);
    }
}

BOOL AfxIsIdleMessage(const MSG* msg, POINT& lastPoint, UINT& lastMessage) {
    if (!msg) return FALSE;
    switch (msg->message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (msg->message == lastMessage && msg->pt.x == lastPoint.x && msg->pt.y == lastPoint.y) return FALSE;
        lastPoint = msg->pt;
        lastMessage = msg->message;
        return TRUE;
    case WM_PAINT:
    case WM_SYSTIMER: return FALSE;
    default: return TRUE;
    }
}

BOOL AfxPreTranslateUpToMainWindow(MSG* msg, CWnd* mainWnd) {
    if (!msg) return FALSE;
    HWND stop = mainWnd ? mainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(stop, msg)) return TRUE;
    CWnd* wnd = CWnd::FromHandle(msg->hwnd);
    if (!mainWnd || !mainWnd->m_hWnd || !wnd || wnd->GetTopLevelParent() == mainWnd) return FALSE;
    return mainWnd->PreTranslateMessage(msg);
}
