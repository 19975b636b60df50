#include "terminal_log.h"

namespace veltsim {

long TerminalLog::AddText(_TREEITEM* parent, OutputStyle style, const char* text, _TREEITEM** item, int ensureVisible) {
    HTREEITEM added = nullptr;
    const long result = CCmdLog::AddText(parent, style, text, &added, ensureVisible);
    if (item) *item = added;
    CTreeCtrl* tree = GetDialog() ? GetDialog()->GetTree() : nullptr;
    if (result != S_OK || !tree || !printer_) return result;
    std::string line;
    for (HTREEITEM up = tree->GetParentItem(added); up; up = tree->GetParentItem(up)) line += "|   ";
    line += line.empty() ? "> " : "";
    // The tree holds the text with its tabs expanded, which leaves blanks at the end.
    line += tree->GetItemText(added).str();
    line.erase(line.find_last_not_of(' ') + 1);
    printer_(line);
    return result;
}

}  // namespace veltsim
