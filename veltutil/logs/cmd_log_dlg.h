#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/windows/dialog.h"
#include "veltutil/platform/host/windows/edit.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"
#include "veltutil/resources/dialog_ids.h"

class CCmdLog;

// The command line and log window of a CCmdLog: the log lines in a tree, a detail level, a
// command entry (when a snap-in is attached), clearing, saving and the advisor.
class VELTUTIL_API CCmdLogDlg : public CDialog {
public:
    CCmdLogDlg() = default;

    // Creates the hidden window from the current resource module's template, owned by parent.
    BOOL Create(CWnd* parent);

    void SetLog(CCmdLog* log) { log_ = log; }
    // Switches between the layout with a command entry (snap-in attached) and the one with
    // the detail level and the advisor.
    void SetSnapInAttached(bool attached);
    void SetAdvisorEnabled(int enable);
    // The first time the window is shown it is placed at the right of the screen.
    void ShowLog(bool show);
    bool IsShown() const { return shown_; }
    // 0 simple (styles 1 and 2 left out), 1 full, 2 none.
    int GetDetailLevel() const { return detailLevel_; }

    CTreeCtrl* GetTree() const { return Control<CTreeCtrl>(veltutil::detail::IDC_LOG_TREE); }
    CEdit* GetCommandEntry() const { return Control<CEdit>(veltutil::detail::IDC_LOG_COMMAND); }

    // The lines as the save file holds them: depth first, each preceded by "|   " per level
    // of nesting and followed by a line end.
    CString FormatLines() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnCancel() override { ShowLog(false); }
    BOOL OnHelpInfo() override;

private:
    template <typename T>
    T* Control(UINT id) const {
        return dynamic_cast<T*>(GetDlgItem(static_cast<int>(id)));
    }
    void Layout();
    // Deletes every line; the log's lines go to the tree root again.
    void Clear();
    void OnCommandChanged();
    void AppendSelectedLineToCommand();
    void Save();
    void Advise();

    CCmdLog* log_ = nullptr;
    int detailLevel_ = 1;
    bool shown_ = false;
    bool snapInAttached_ = false;
    int advisorEnabled_ = 1;
    bool positioned_ = false;
};
