#include "veltutil/logs/tree_log.h"

#include "veltutil/platform/host/win_types.h"

CTreeLog::CTreeLog(const char* name, const char* kind, CTreeCtrl*)
    : CInterfaceBase(name ? name : "CTreeLog", kind ? kind : "CTreeLog", nullptr) {}

// Harmless defaults, as a log without a tree control answers, until the log is completed.
long CTreeLog::Show(int) { return S_FALSE; }
int CTreeLog::GetShown() { return 0; }
long CTreeLog::AddText(_TREEITEM*, OutputStyle, const char*, _TREEITEM**, int) { return S_FALSE; }
long CTreeLog::GetRootText(_TREEITEM*&) { return S_FALSE; }
