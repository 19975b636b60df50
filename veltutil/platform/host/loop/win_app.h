#pragma once

#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/messages.h"

class CWnd;

// A thread with a message loop. Run is the classic loop: idle processing while the queue is
// empty, then pump messages until the queue is empty again, until WM_QUIT.
class VELTHOST_API CWinThread : public CObject {
public:
    CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    ~CWinThread() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    virtual int Run();
    // FALSE on WM_QUIT; otherwise the message is translated and dispatched unless it is the
    // kick-idle message or PreTranslateMessage takes it.
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Idle work; count 0 updates the windows' command state. TRUE asks for more idle calls.
    virtual BOOL OnIdle(long count);
    virtual BOOL IsIdleMessage(MSG* msg);

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur;

private:
    POINT lastMousePoint_;
    UINT lastMouseMessage_ = 0;
};

// The application: the one thread object the framework finds through AfxGetApp.
class VELTHOST_API CWinApp : public CWinThread {
public:
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // Help for the application's help file (m_pszHelpFilePath) through WinHelp.
    virtual void WinHelp(DWORD data, UINT command);

    CString m_pszAppName;
    CString m_pszHelpFilePath;
};

VELTHOST_API CWinApp* AfxGetApp();
VELTHOST_API CWnd* AfxGetMainWnd();

// Shared pieces of the idle and pre-translation protocol, for every loop that pumps messages.

// Sends the idle command-state update to the main window (when visible) and its descendants,
// then to every other frame window, first showing a frame whose show was delayed.
VELTHOST_API void AfxUpdateIdleWindows(CWnd* mainWnd);
// Whether a pumped message should restart idle processing. Mouse moves count only when point or
// message differ from the last mouse move seen (remembered in lastPoint and lastMessage); paint
// and the system timer never count.
VELTHOST_API BOOL AfxIsIdleMessage(const MSG* msg, POINT& lastPoint, UINT& lastMessage);
// Offers the message to its window and parents up to the main window, then, when its
// top-level window is not the main window, to the main window itself.
VELTHOST_API BOOL AfxPreTranslateUpToMainWindow(MSG* msg, CWnd* mainWnd);
