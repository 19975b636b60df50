#pragma once

#include "veltutil/export.h"
#include "veltutil/framework/interface_base.h"

struct _TREEITEM;
class CTreeCtrl;

// The framework's log: lines in a tree control, each tagged with an output style.
//
// Only the members that the component framework calls are declared so far; their bodies are
// the harmless defaults of a log without a tree control, and are completed together with the
// rest of the log.
class VELTUTIL_API CTreeLog : public CInterfaceBase {
public:
    // A small integer stored with each line; 1 marks unhandled-event lines.
    using OutputStyle = int;

    // Name and kind default to "CTreeLog".
    CTreeLog(const char* name, const char* kind, CTreeCtrl* tree);

    virtual long Show(int show);
    virtual int GetShown();
    virtual long AddText(_TREEITEM* parent, OutputStyle style, const char* text, _TREEITEM** item,
                         int ensureVisible);
    virtual long GetRootText(_TREEITEM*& root);
};
