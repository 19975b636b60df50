#include "instrument_panel.h"

namespace veltsim {

namespace {

constexpr UINT kMeterPanel = 5100;
constexpr UINT kScopePanel = 5200;
// The read-outs are numbered from here, one per line.
constexpr UINT kFirstReadout = 5301;

DialogTemplate panelTemplate(const char* caption, int lines) {
    DialogTemplate panel{caption, "Sans", 9, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 200, static_cast<short>(12 + 12 * lines), {}};
    for (int i = 0; i < lines; ++i) {
        panel.items.push_back({"Static", "", kFirstReadout + static_cast<UINT>(i), WS_CHILD | WS_VISIBLE, 6,
                               static_cast<short>(6 + 12 * i), 188, 10});
    }
    return panel;
}

// The templates, registered for this module from its load to its unload: a registration must
// not outlive what it points to.
struct PanelTemplates {
    DialogTemplate meter = panelTemplate("Meter", InstrumentPanel::kMeterLines);
    DialogTemplate scope = panelTemplate("Oscilloscope", InstrumentPanel::kScopeLines);
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

InstrumentPanel::InstrumentPanel(int& shown, double& x, double& y, int lines, CWnd* parent)
    : CInstrumentSettingsBase(shown, x, y, lines == kMeterLines ? kMeterPanel : kScopePanel, parent), lines_(lines) {
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(loadedTemplates.module);
    Create();
    AfxSetResourceHandle(previous);
}

void InstrumentPanel::SetLines(const std::vector<std::string>& lines) {
    for (int i = 0; i < lines_; ++i) {
        if (CWnd* readout = GetDlgItem(static_cast<int>(kFirstReadout) + i)) {
            readout->SetWindowText(i < static_cast<int>(lines.size()) ? lines[static_cast<std::size_t>(i)].c_str() : "");
        }
    }
}

std::vector<std::string> InstrumentPanel::Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < lines_; ++i) {
        const CWnd* readout = GetDlgItem(static_cast<int>(kFirstReadout) + i);
        lines.push_back(readout ? readout->GetWindowText().str() : "");
    }
    return lines;
}

}  // namespace veltsim
