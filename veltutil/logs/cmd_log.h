#pragma once

#include <memory>

#include "veltutil/export.h"
#include "veltutil/logs/tree_log.h"

class CCmdLogDlg;

// The window form of the tree log: it owns a modeless command line and log window
// (CCmdLogDlg), created by Initialize, whose tree shows the lines and whose command entry
// sends typed commands to the attached snap-in.
class VELTUTIL_API CCmdLog : public CTreeLog {
public:
    // No window yet; Initialize creates it, as a child of `defaultParent` unless told otherwise.
    CCmdLog(const char* name, CWnd* defaultParent);
    ~CCmdLog() override;

    // Level 1 (full) wants every style, 0 (simple) all but 1 and 2, 2 (none) nothing. Without
    // a window every style is wanted, as in the plain log.
    int IsChecked(OutputStyle style) const override;
    // Creates the hidden window; 1 when it exists already or cannot be created.
    long Initialize(CWnd* parent) override;
    // Destroys the window; 1 without one.
    long Uninitialize() override;
    // Captions the window; 1 without one.
    long SetCmdLogName(const char* name) override;
    long AttachSnapIn(CInstrumentInterface* snapIn) override;
    long Show(int show) override;
    int GetShown() override;
    // Whether the window offers the advisor button.
    virtual long SetAdvisorEnabled(int enable);

    // The window, or null before Initialize.
    CCmdLogDlg* GetDialog() const { return dialog_.get(); }

private:
    std::unique_ptr<CCmdLogDlg> dialog_;
    CWnd* defaultParent_;
};
