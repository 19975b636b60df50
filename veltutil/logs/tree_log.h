#pragma once

#include "veltutil/export.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/platform/host/strings/cstring.h"

struct _TREEITEM;
class CInstrumentInterface;
class CTreeCtrl;
class CWnd;

// The framework's log: lines as items of a tree control, each tagged with an output style,
// under a movable relative root so that callers can nest their output. Typed command lines can
// be forwarded to an attached snap-in. Without a tree control the log accepts every call and
// does nothing. Every line added is also copied to the special output of type 2 while that is
// active.
class VELTUTIL_API CTreeLog : public CInterfaceBase {
public:
    // A small integer stored with each line as its item data; 1 marks unhandled-event lines.
    // The log does not interpret it.
    using OutputStyle = int;

    // Name and kind default to "CTreeLog". The tree control is not owned.
    CTreeLog(const char* name, const char* kind, CTreeCtrl* tree);
    CTreeLog(const CTreeLog&) = delete;
    CTreeLog& operator=(const CTreeLog&) = delete;
    // Virtual, so that a window log deleted through this class is torn down whole.
    virtual ~CTreeLog();

    // Whether lines of the style are wanted; here every style is.
    virtual int IsChecked(OutputStyle style) const;
    // This log creates no window: 1.
    virtual long Initialize(CWnd* parent);
    // Forgets the tree control.
    virtual long Uninitialize();
    virtual long SetCmdLogName(const char* name);
    virtual long AttachSnapIn(CInstrumentInterface* snapIn);
    // Put directly in front of every command sent to the snap-in (null: nothing).
    virtual void PreappendToSnapInExecuteCmd(const char* prefix);
    // Enables or disables the tree control's window; 1 in any case.
    virtual long Show(int show);
    virtual int GetShown();
    // Adds under the relative root.
    virtual long AddText(OutputStyle style, const char* text, _TREEITEM** item, int ensureVisible);
    // Adds the text, tabs expanded to 4 columns, as the last child of parent, or as a top-level
    // line when parent is no longer an item; stores the new item in *item when item is not
    // null. 1, and nothing done, without a tree control window.
    virtual long AddText(_TREEITEM* parent, OutputStyle style, const char* text, _TREEITEM** item,
                         int ensureVisible);
    virtual long GetRootText(_TREEITEM*& root);
    // Returns the previous relative root.
    virtual _TREEITEM* SetRelativeRootText(_TREEITEM* item);
    // 1 without a tree control or for the tree root; else expands or collapses item, 0.
    virtual long ExpandTree(_TREEITEM* item, int expand);

    // Uses another tree control (null: none); the relative root and the command prefix start afresh.
    void SetTreeCtrl(CTreeCtrl* tree);
    CInstrumentInterface* GetAttachedSnapIn() { return snapIn_; }
    // The new item, or null when the log could not add it.
    _TREEITEM* InsertItem(const char* text, _TREEITEM* parent);
    _TREEITEM* InsertItem(OutputStyle style, const char* text, _TREEITEM* parent);
    // Sends the trimmed line, prefixed, to the attached snap-in with lock key 0; a blank line
    // sends nothing. The line counts as typed by a person: instrument documents refuse
    // address arguments in it.
    void ExecuteCmd(const CString& line);

private:
    _TREEITEM* relativeRoot_;
    CInstrumentInterface* snapIn_ = nullptr;
    int shown_ = 0;
    CTreeCtrl* tree_;
    CString prefix_;
};
