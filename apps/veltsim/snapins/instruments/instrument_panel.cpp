#include "instrument_panel.h"

#include <algorithm>
#include <iterator>

#include "paint_message.h"

namespace veltsim {

namespace {

constexpr UINT kMeterPanel = 5100;
constexpr UINT kScopePanel = 5200;

// In dialog units.
constexpr short kWidth = 200;
constexpr short kLineHeight = 12;
constexpr short kScopeScreenHeight = 150;
constexpr short kButtonHeight = 14;

int linesOf(InstrumentPanel::Kind kind) {
    return kind == InstrumentPanel::Kind::Meter ? InstrumentPanel::kMeterLines : InstrumentPanel::kScopeLines;
}

short screenHeightOf(InstrumentPanel::Kind kind) { return kind == InstrumentPanel::Kind::Scope ? kScopeScreenHeight : 0; }

// The read-outs, then the screen, then the button.
short buttonTop(InstrumentPanel::Kind kind) {
    return static_cast<short>(6 + kLineHeight * linesOf(kind) + (screenHeightOf(kind) ? screenHeightOf(kind) + 6 : 0));
}

DialogTemplate panelTemplate(const char* caption, InstrumentPanel::Kind kind) {
    return DialogTemplate{caption, "Sans", 9, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, kWidth,
                          static_cast<short>(buttonTop(kind) + kButtonHeight + 6),
                          {{"Button", "Settings...", InstrumentPanel::kSettingsButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                            static_cast<short>(kWidth - 66), buttonTop(kind), 60, kButtonHeight}}};
}

// The templates, registered for this module from its load to its unload: a registration must
// not outlive what it points to.
struct PanelTemplates {
    DialogTemplate meter = panelTemplate("Meter", InstrumentPanel::Kind::Meter);
    DialogTemplate scope = panelTemplate("Oscilloscope", InstrumentPanel::Kind::Scope);
    HINSTANCE module = GetModuleHandleFromAddress(&meter);

    PanelTemplates() {
        AfxRegisterDialogResource(module, kMeterPanel, &meter);
        AfxRegisterDialogResource(module, kScopePanel, &scope);
    }
    ~PanelTemplates() { AfxUnregisterResources(module); }
};

PanelTemplates& templates() {
    static PanelTemplates registered;
    return registered;
}

const PanelTemplates& loadedTemplates = templates();

}  // namespace

InstrumentPanel::InstrumentPanel(int& shown, double& x, double& y, Kind kind, const std::string& caption, CWnd* parent)
    : CInstrumentSettingsBase(shown, x, y, kind == Kind::Meter ? kMeterPanel : kScopePanel, parent), kind_(kind) {
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(loadedTemplates.module);
    Create();
    AfxSetResourceHandle(previous);
    SetWindowText(caption.c_str());
}

void InstrumentPanel::SetLines(const std::vector<std::string>& lines) {
    std::vector<std::string> shown(lines.begin(), lines.begin() + std::min<std::ptrdiff_t>(std::ssize(lines), linesOf(kind_)));
    if (shown == lines_) return;
    lines_ = std::move(shown);
    Invalidate(FALSE);
}

CRect InstrumentPanel::DialogUnits(int x, int y, int cx, int cy) const {
    CRect rect(x, y, x + cx, y + cy);
    MapDialogRect(&rect);
    return rect;
}

CRect InstrumentPanel::ReadoutRect(int line) const { return DialogUnits(6, 6 + kLineHeight * line, kWidth - 12, kLineHeight - 2); }

CRect InstrumentPanel::ScreenArea() const {
    if (!screenHeightOf(kind_)) return CRect();
    return DialogUnits(6, 6 + kLineHeight * linesOf(kind_), kWidth - 12, screenHeightOf(kind_));
}

void InstrumentPanel::Paint(CDC& dc) const {
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        CRect rect = ReadoutRect(i);
        dc.DrawText(lines_[static_cast<std::size_t>(i)].c_str(), &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

LRESULT InstrumentPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerPaint(*this, message, wParam, [this](CDC& dc) { Paint(dc); })) return 0;
    return CInstrumentSettingsBase::WindowProc(message, wParam, lParam);
}

BOOL InstrumentPanel::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kSettingsButton && HIWORD(wParam) == BN_CLICKED) {
        if (openSettings_) openSettings_();
        return TRUE;
    }
    return CInstrumentSettingsBase::OnCommand(wParam, lParam);
}

}  // namespace veltsim
