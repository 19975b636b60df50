#pragma once

#include <cstdint>

#include "veltutil/export.h"
#include "veltutil/platform/host/windows/dialog.h"

// Base of every instrument's modeless window (its front panel and settings). It writes its
// visibility into the instrument's remembered state, records where it stands relative to its
// parent (the main window) in the instrument, and puts itself back there when it is created or
// refreshed. Enter and Escape do not close it; its close box hides it.
//
// Position: the offset of the window's bottom-right corner from the parent's bottom-right
// corner, as fractions of the screen's width and height, so that it survives storing and a
// different screen. kNoPosition in either coordinate means none is known: the window is then
// centred on its parent.
//
// The window refers to three members of its instrument (shown, x, y), which must outlive it.
// It records moves only once it has been initialized, so placing it during initialization does
// not overwrite the stored position with itself.
class VELTUTIL_API CInstrumentSettingsBase : public CDialog {
public:
    static constexpr double kNoPosition = -1000.0;

    // The window is made from template `idd` of the current resource module, owned by
    // `parent`, when Create is called.
    CInstrumentSettingsBase(int& shown, double& x, double& y, unsigned int idd, CWnd* parent);
    ~CInstrumentSettingsBase() override;

    using CDialog::Create;
    // Creates the hidden window from the constructor's template and parent.
    BOOL Create();

    // Shows (non-zero) or hides the window and remembers it; returns 1.
    virtual int Show(int on);
    // For derived windows to redraw their controls; nothing here.
    virtual void refresh_instrument_dialog(int n);
    // For derived windows to ask their instrument for an undo step; nothing here.
    virtual void SaveUndoData();

    int GetShown() const { return m_nShown; }
    // Places the window at the instrument's stored position, kept on the screen, or centres it
    // when none is stored; the keyboard focus stays where it was.
    void ResetInstrumentWindowPos();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // The close box: the instrument's remembered state becomes hidden, the window hides and
    // asks for an undo step. It is not destroyed.
    void OnClose() override;
    void OnMove(int x, int y) override;

private:
    void ResetInstrumentWindowPos(double& x, double& y);
    // The screen's size in pixels (-1 when unknown); 0 when there is no desktop window or
    // device context to ask.
    int GetDisplayResolution(int& width, int& height);

    std::int32_t m_nShown = 0;
    bool m_bPlaced = false;
    int* m_pShown;
    double* m_pPosX;
    double* m_pPosY;
    unsigned int templateId_;
    CWnd* parentWnd_;
};
