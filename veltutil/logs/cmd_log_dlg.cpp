#include "veltutil/logs/cmd_log_dlg.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "veltutil/logs/internal/advisor.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/platform/host/windows/cursor.h"
#include "veltutil/platform/host/windows/file_dialog.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/platform/host/modules/module_path.h"
#include "veltutil/platform/host/windows/system_metrics.h"
#include "veltutil/platform/host/windows/win_help.h"
#include "veltutil/platform/library/help_registration.h"
#include "veltutil/resources/internal/resource_module.h"
#include "veltutil/resources/internal/string_ids.h"

using namespace veltutil::detail;

namespace {

constexpr int kMargin = 8;
constexpr int kGap = 4;
constexpr int kFirstWidth = 390;
constexpr int kFirstHeight = 220;
constexpr int kFirstY = 180;
constexpr UINT kNoSnapInHelpBits = 0x6600;
constexpr const char* kNestingPrefix = "|   ";

constexpr UINT kRadioIds[] = {IDC_LOG_FULL, IDC_LOG_SIMPLE, IDC_LOG_NONE};
constexpr UINT kColumnButtonIds[] = {IDC_LOG_NEW, IDC_LOG_SAVE, IDC_LOG_ADVISOR};

CRect windowRect(const CWnd* wnd) {
    CRect rect;
    if (wnd) wnd->GetWindowRect(&rect);
    return rect;
}

// Restores the arrow when the work is done, however it ends.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

CString helpFilePath() {
    char program[_MAX_PATH];
    if (GetModuleFileName(nullptr, program, sizeof program) == 0) program[0] = '\0';
    char drive[_MAX_DRIVE];
    char dir[_MAX_DIR];
    _splitpath(program, drive, dir, nullptr, nullptr);
    char path[_MAX_PATH];
    _makepath(path, drive, dir, "Analyses", "hlp");
    return CString(path);
}

}  // namespace

BOOL CCmdLogDlg::Create(CWnd* parent) { return CDialog::Create(IDD_COMMAND_LOG, parent); }

BOOL CCmdLogDlg::OnInitDialog() {
    SetIcon(LoadIcon(AfxGetResourceHandle(), IDI_COMMAND_LOG), ICON_SMALL);
    CheckRadioButton(this, IDC_LOG_FULL, IDC_LOG_NONE, IDC_LOG_FULL);
    return TRUE;
}

void CCmdLogDlg::SetSnapInAttached(bool attached) {
    snapInAttached_ = attached;
    Layout();
}

void CCmdLogDlg::SetAdvisorEnabled(int enable) {
    advisorEnabled_ = enable;
    if (shown_) Layout();
}

void CCmdLogDlg::ShowLog(bool show) {
    shown_ = show;
    if (!show) {
        ShowWindow(SW_HIDE);
        return;
    }
    ShowWindow(SW_SHOW);
    if (!positioned_) {
        positioned_ = true;
        MoveWindow(std::max(GetSystemMetrics(SM_CXSCREEN) - kFirstWidth, 0), kFirstY, kFirstWidth, kFirstHeight);
    }
    Layout();
    // Asked for again, the window comes to the front, ready for the next command.
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (CEdit* entry = GetCommandEntry(); entry && snapInAttached_) entry->SetFocus();
}

void CCmdLogDlg::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) { Layout(); }

void CCmdLogDlg::Layout() {
    CTreeCtrl* tree = GetTree();
    CEdit* entry = GetCommandEntry();
    if (!tree || !entry) return;
    CRect area;
    GetClientRect(&area);
    area.DeflateRect(kMargin, kMargin);

    std::vector<CWnd*> column;  // the buttons at the right, top down
    for (UINT id : kColumnButtonIds) column.push_back(GetDlgItem(static_cast<int>(id)));
    for (UINT id : kRadioIds) column.push_back(GetDlgItem(static_cast<int>(id)));
    long columnWidth = 0;
    for (CWnd* wnd : column) columnWidth = std::max(columnWidth, windowRect(wnd).Width());

    if (snapInAttached_) {
        CWnd* newButton = column[0];
        CWnd* saveButton = column[1];
        long buttonWidth = std::max(windowRect(newButton).Width(), windowRect(saveButton).Width());
        long entryHeight = windowRect(entry).Height();
        long bottom = area.bottom - entryHeight;
        long entryWidth = area.Width() - 2 * (buttonWidth + kGap);
        entry->MoveWindow(area.left, bottom, entryWidth, entryHeight);
        long x = area.left + entryWidth + kGap;
        for (CWnd* button : {newButton, saveButton}) {
            button->MoveWindow(x, bottom, buttonWidth, windowRect(button).Height());
            x += buttonWidth + kGap;
        }
        entry->ShowWindow(SW_SHOW);
        for (std::size_t i = 2; i < column.size(); ++i) column[i]->ShowWindow(SW_HIDE);
        tree->MoveWindow(area.left, area.top, area.Width(), area.Height() - entryHeight - kGap);
        return;
    }

    entry->ShowWindow(SW_HIDE);
    long x = area.right - columnWidth;
    long y = area.top;
    for (CWnd* wnd : column) {
        long height = windowRect(wnd).Height();
        wnd->MoveWindow(x, y, columnWidth, height);
        wnd->ShowWindow(SW_SHOW);
        y += height + kGap;
    }
    if (!advisorEnabled_) column[2]->ShowWindow(SW_HIDE);
    tree->MoveWindow(area.left, area.top, area.Width() - columnWidth - kGap, area.Height());
}

BOOL CCmdLogDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    int code = static_cast<short>(HIWORD(wParam));
    if (id == IDC_LOG_COMMAND) {
        if (code == EN_CHANGE) OnCommandChanged();
        return TRUE;
    }
    if (code != BN_CLICKED) return CDialog::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_LOG_FULL: detailLevel_ = 1; return TRUE;
    case IDC_LOG_SIMPLE: detailLevel_ = 0; return TRUE;
    case IDC_LOG_NONE: detailLevel_ = 2; return TRUE;
    case IDC_LOG_NEW: Clear(); return TRUE;
    case IDC_LOG_SAVE: Save(); return TRUE;
    case IDC_LOG_ADVISOR: Advise(); return TRUE;
    default: return CDialog::OnCommand(wParam, lParam);
    }
}

void CCmdLogDlg::Clear() {
    // A relative root that goes with the lines sends later lines to the top level (AddText).
    if (CTreeCtrl* tree = GetTree()) tree->DeleteAllItems();
}

void CCmdLogDlg::OnCommandChanged() {
    CEdit* entry = GetCommandEntry();
    if (!entry || entry->GetLineCount() <= 1 || !log_) return;
    // The entry is emptied before the command runs: a command that pumps messages may let
    // the person type the next line meanwhile, which must not be wiped afterwards.
    CString line = entry->GetWindowText();
    entry->SetWindowText("");
    log_->ExecuteCmd(line);
}

BOOL CCmdLogDlg::OnNotify(WPARAM /*wParam*/, LPARAM lParam, LRESULT* /*result*/) {
    auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != IDC_LOG_TREE || header->code != NM_DBLCLK) return FALSE;
    AppendSelectedLineToCommand();
    return TRUE;
}

void CCmdLogDlg::AppendSelectedLineToCommand() {
    CTreeCtrl* tree = GetTree();
    CEdit* entry = GetCommandEntry();
    if (!tree || !entry || !tree->GetSelectedItem()) return;
    entry->SetSel(entry->GetWindowTextLength(), -1);
    entry->ReplaceSel(tree->GetItemText(tree->GetSelectedItem()));
}

CString CCmdLogDlg::FormatLines() const {
    CString text;
    CTreeCtrl* tree = GetTree();
    if (!tree || !tree->GetRootItem()) return text;
    // Depth first without recursion, as a log may nest as deep as it has lines: the stack
    // holds, per level, the next sibling still to write.
    std::vector<std::pair<HTREEITEM, int>> pending{{tree->GetRootItem(), 0}};
    std::string& out = text.str();
    while (!pending.empty()) {
        auto [item, depth] = pending.back();
        pending.pop_back();
        for (int i = 0; i < depth; ++i) out += kNestingPrefix;
        out += tree->GetItemText(item).view();
        out += '\n';
        if (HTREEITEM next = tree->GetNextSiblingItem(item)) pending.emplace_back(next, depth);
        if (HTREEITEM child = tree->GetChildItem(item)) pending.emplace_back(child, depth + 1);
    }
    return text;
}

void CCmdLogDlg::Save() {
    CFileDialog dialog(FALSE, ".log", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadLibraryString(IDS_LOG_FILE_FILTER),
                       this);
    if (dialog.DoModal() != IDOK) return;
    WaitCursor wait;
    CString path = dialog.GetPathName();
    CString text = FormatLines();
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        AfxMessageBox(LoadLibraryString(IDS_CANNOT_OPEN) + " " + path);
        return;
    }
    std::fwrite(text.GetString(), 1, static_cast<std::size_t>(text.GetLength()), file);
    std::fclose(file);
}

void CCmdLogDlg::Advise() {
    CTreeCtrl* tree = GetTree();
    HTREEITEM selected = tree ? tree->GetSelectedItem() : nullptr;
    unsigned long context = selected ? FindAdvisorContext(tree->GetItemText(selected)) : 0;
    CString path = helpFilePath();
    if (context != 0) {
        WinHelp(m_hWnd, path, HELP_CONTEXT, context);
    } else {
        WinHelp(m_hWnd, path, HELP_CONTENTS, 0);
    }
}

BOOL CCmdLogDlg::OnHelpInfo() {
    UINT helpId = snapInAttached_ ? m_nIDHelp : (m_nIDHelp | kNoSnapInHelpBits);
    SetHelpDllInstance(LibraryModule(), helpId);
    return CDialog::OnHelpInfo();
}
