#include "veltutil/logs/tree_log.h"

#include "veltutil/foundation/text_format.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/framework/internal/command_origin.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"
#include "veltutil/platform/library/special_output.h"

namespace {

constexpr int kLogOutputType = 2;
constexpr int kTabWidth = 4;

}  // namespace

CTreeLog::CTreeLog(const char* name, const char* kind, CTreeCtrl* tree)
    : CInterfaceBase(name ? name : "CTreeLog", kind ? kind : "CTreeLog", nullptr), relativeRoot_(TVI_ROOT), tree_(tree) {}

CTreeLog::~CTreeLog() { CTreeLog::Uninitialize(); }

int CTreeLog::IsChecked(OutputStyle /*style*/) const { return 1; }

long CTreeLog::Initialize(CWnd* /*parent*/) {
    shown_ = 0;
    return S_FALSE;
}

long CTreeLog::Uninitialize() {
    tree_ = nullptr;
    relativeRoot_ = TVI_ROOT;
    return S_OK;
}

long CTreeLog::SetCmdLogName(const char* /*name*/) { return S_OK; }

long CTreeLog::AttachSnapIn(CInstrumentInterface* snapIn) {
    snapIn_ = snapIn;
    return S_OK;
}

void CTreeLog::PreappendToSnapInExecuteCmd(const char* prefix) { prefix_ = prefix; }

long CTreeLog::Show(int show) {
    if (!tree_) {
        shown_ = 0;
        return S_FALSE;
    }
    tree_->EnableWindow(show != 0);
    shown_ = show;
    return S_FALSE;
}

int CTreeLog::GetShown() { return shown_; }

long CTreeLog::AddText(OutputStyle style, const char* text, _TREEITEM** item, int ensureVisible) {
    return AddText(relativeRoot_, style, text, item, ensureVisible);
}

long CTreeLog::AddText(_TREEITEM* parent, OutputStyle style, const char* text, _TREEITEM** item, int ensureVisible) {
    if (!tree_ || !tree_->m_hWnd) return S_FALSE;
    if (!text) text = "";
    CSpecialOutput& special = CSpecialOutput::GetGlobal();
    if (special.IsSpecial(kLogOutputType)) special.WriteText(kLogOutputType, text, true);
    CString line = DetabString(CString(text), kTabWidth);
    HTREEITEM added = tree_->InsertItem(line, parent, TVI_LAST);
    if (!added) {
        // The parent went with lines deleted since it was handed out (the window cleared, an
        // item removed), or was never an item. Output is not lost for it: the line stands at
        // the top level, where the reader still finds it.
        parent = TVI_ROOT;
        added = tree_->InsertItem(line, parent, TVI_LAST);
    }
    tree_->SetItemData(added, static_cast<std::uintptr_t>(style));
    if (ensureVisible) {
        if (parent != TVI_ROOT) tree_->Expand(parent, TVE_EXPAND);
        tree_->EnsureVisible(added);
    }
    if (item) *item = added;
    return S_OK;
}

long CTreeLog::GetRootText(_TREEITEM*& root) {
    if (!tree_) return S_FALSE;
    root = TVI_ROOT;
    return S_OK;
}

_TREEITEM* CTreeLog::SetRelativeRootText(_TREEITEM* item) {
    _TREEITEM* previous = relativeRoot_;
    relativeRoot_ = item;
    return previous;
}

long CTreeLog::ExpandTree(_TREEITEM* item, int expand) {
    if (!tree_ || item == TVI_ROOT) return S_FALSE;
    tree_->Expand(item, expand ? TVE_EXPAND : TVE_COLLAPSE);
    return S_OK;
}

void CTreeLog::SetTreeCtrl(CTreeCtrl* tree) {
    tree_ = tree;
    relativeRoot_ = TVI_ROOT;
    prefix_.Empty();
}

_TREEITEM* CTreeLog::InsertItem(const char* text, _TREEITEM* parent) { return InsertItem(0, text, parent); }

_TREEITEM* CTreeLog::InsertItem(OutputStyle style, const char* text, _TREEITEM* parent) {
    _TREEITEM* item = nullptr;
    return AddText(parent, style, text, &item, 0) == S_OK ? item : nullptr;
}

void CTreeLog::ExecuteCmd(const CString& line) {
    if (!snapIn_) return;
    CString command = line;
    command.Trim();
    if (command.IsEmpty()) return;
    if (!prefix_.IsEmpty()) command = prefix_ + command;
    // Lines submitted here come from a person at a command line window.
    veltutil::detail::CommandOriginScope typed(veltutil::detail::CommandOrigin::Window);
    snapIn_->ExecuteCmd(command, 0, nullptr);
}
