#include "veltutil/logs/cmd_log.h"

#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/resources/internal/resource_module.h"

namespace {

// Makes this library the framework's current resource module while it lives, so that the
// window's template and icon are found here; the previous module is restored however the
// scope ends.
class CDllResourceHandler {
public:
    CDllResourceHandler() : previous_(AfxGetResourceHandle()) { AfxSetResourceHandle(veltutil::detail::LibraryModule()); }
    ~CDllResourceHandler() { AfxSetResourceHandle(previous_); }
    CDllResourceHandler(const CDllResourceHandler&) = delete;
    CDllResourceHandler& operator=(const CDllResourceHandler&) = delete;

private:
    HINSTANCE previous_;
};

}  // namespace

CCmdLog::CCmdLog(const char* name, CWnd* defaultParent)
    : CTreeLog(name, "CCmdLog", nullptr), defaultParent_(defaultParent) {
    CCmdLog::AttachSnapIn(nullptr);
}

CCmdLog::~CCmdLog() { CCmdLog::Uninitialize(); }

int CCmdLog::IsChecked(OutputStyle style) const {
    if (!dialog_) return CTreeLog::IsChecked(style);
    switch (dialog_->GetDetailLevel()) {
    case 0: return style != 1 && style != 2;
    case 1: return 1;
    default: return 0;
    }
}

long CCmdLog::Initialize(CWnd* parent) {
    if (dialog_) return S_FALSE;
    auto dialog = std::make_unique<CCmdLogDlg>();
    {
        CDllResourceHandler resources;
        if (!dialog->Create(parent ? parent : defaultParent_)) return S_FALSE;
    }
    dialog_ = std::move(dialog);
    CTreeLog::Initialize(parent);
    SetTreeCtrl(dialog_->GetTree());
    dialog_->SetLog(this);
    // The window reflects the log: a snap-in attached before the window existed gets its
    // command entry.
    dialog_->SetSnapInAttached(GetAttachedSnapIn() != nullptr);
    return S_OK;
}

long CCmdLog::Uninitialize() {
    if (!dialog_) return S_FALSE;
    SetTreeCtrl(nullptr);
    CTreeLog::Uninitialize();
    dialog_->DestroyWindow();
    dialog_.reset();
    return S_OK;
}

long CCmdLog::SetCmdLogName(const char* name) {
    if (!dialog_) return S_FALSE;
    dialog_->SetWindowText(name);
    return S_OK;
}

long CCmdLog::AttachSnapIn(CInstrumentInterface* snapIn) {
    CTreeLog::AttachSnapIn(snapIn);
    if (dialog_) dialog_->SetSnapInAttached(snapIn != nullptr);
    return S_OK;
}

long CCmdLog::Show(int show) {
    if (!dialog_) return S_FALSE;
    dialog_->ShowLog(show != 0);
    return S_OK;
}

int CCmdLog::GetShown() { return dialog_ && dialog_->IsShown() ? 1 : 0; }

long CCmdLog::SetAdvisorEnabled(int enable) {
    if (dialog_) dialog_->SetAdvisorEnabled(enable);
    return S_OK;
}
