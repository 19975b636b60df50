#include "veltutil/foundation/ui_helpers.h"

#include <cmath>

#include "veltutil/platform/host/windows/cursor.h"
#include "veltutil/platform/host/windows/menu.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/loop/win_app.h"
#include "veltutil/platform/host/modules/module_path.h"
#include "veltutil/platform/host/windows/system_metrics.h"

void ProgrammerError(const char* message, int askQuit) {
    CString text(message);
    UINT buttons = MB_OK;
    if (askQuit) {
        text += "\nDo you wish to quit? (YES=break, NO=continue with fail)";
        buttons = MB_YESNO;
    }
    MessageBox(nullptr, text, "Internal Error", buttons | MB_ICONEXCLAMATION);
}

CString MainDir() {
    char path[MAX_PATH] = {};
    GetModuleFileName(nullptr, path, MAX_PATH);
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    _splitpath(path, drive, dir, nullptr, nullptr);
    char joined[_MAX_PATH];
    _makepath(joined, drive, dir, nullptr, nullptr);
    CString result(joined);
    if (result.IsEmpty() || result[result.GetLength() - 1] != '/') result += '/';
    return result;
}

int IsLargeSize() {
    LOGFONT font;
    SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    HDC screen = GetDC(nullptr);
    int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (pixelsPerInch <= 0) return 0;
    long points = std::lround(-(font.lfHeight * 72.0 / pixelsPerInch));
    return points < 6 ? 1 : 0;
}

void DispHourGlass() {
    if (HCURSOR wait = LoadCursor(nullptr, IDC_WAIT)) SetCursor(wait);
}

int PopupRightButtonMenu(CMenu& menu) {
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr) return 0;
    POINT cursor;
    GetCursorPos(&cursor);
    // The application's main window gets the chosen command.
    CWnd* owner = AfxGetMainWnd();
    return popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, static_cast<int>(cursor.x),
                                 static_cast<int>(cursor.y), owner);
}
