#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/windows/edit.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"
#include "veltutil/resources/dialog_ids.h"
#include "veltutil/resources/internal/resource_module.h"

// The command line and log window's template and small icon, registered under the library's
// module while it is loaded. Positions are in dialog units; the window lays its controls out
// again whenever it is shown or resized.
namespace veltutil::detail {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPushButton = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kRadioButton = kChild | BS_AUTORADIOBUTTON;

const DialogTemplate kCommandLogDialog{
    "命令行/日志",
    "新宋体",
    9,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
    0, 0, 416, 182,
    {
        {"SysTreeView32", "Tree1", IDC_LOG_TREE,
         kChild | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP |
             TVS_SHOWSELALWAYS,
         7, 7, 342, 148},
        {"Button", "完整", IDC_LOG_FULL, kRadioButton | WS_GROUP | WS_TABSTOP, 356, 64, 53, 10},
        {"Button", "简单", IDC_LOG_SIMPLE, kRadioButton, 356, 78, 53, 10},
        {"Button", "无", IDC_LOG_NONE, kRadioButton, 356, 92, 53, 10},
        {"Edit", "", IDC_LOG_COMMAND, kChild | WS_BORDER | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
         7, 160, 342, 15},
        {"Button", "新建(&N)", IDC_LOG_NEW, kPushButton, 356, 7, 53, 14},
        {"Button", "保存(&S)", IDC_LOG_SAVE, kPushButton, 356, 25, 53, 14},
        {"Button", "顾问", IDC_LOG_ADVISOR, kPushButton, 356, 43, 53, 14},
    }};

// A page with lines of text and a prompt at the bottom.
const char* const kIconRows[] = {
    "################", "#..............#", "#.##########...#", "#..............#",
    "#.########.....#", "#..............#", "#.###########..#", "#..............#",
    "#.######.......#", "#..............#", "################", "#..............#",
    "#.#............#", "#..#...######..#", "#.#............#", "################",
};
const IconResource kCommandLogIcon{16, 16, kIconRows};

struct Registration {
    Registration() {
        AfxRegisterDialogResource(LibraryModule(), IDD_COMMAND_LOG, &kCommandLogDialog);
        AfxRegisterIconResource(LibraryModule(), IDI_COMMAND_LOG, &kCommandLogIcon);
    }
    ~Registration() { AfxUnregisterResources(LibraryModule()); }
};

const Registration registration;

}  // namespace
}  // namespace veltutil::detail
