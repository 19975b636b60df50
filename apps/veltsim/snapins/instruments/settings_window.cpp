#include "settings_window.h"

#include "paint_message.h"
#include "text_util.h"
#include "velt_instrument.h"

namespace veltsim {

namespace {

// In dialog units.
constexpr short kRowHeight = 16;
constexpr short kLabelWidth = 70;
constexpr short kEntryWidth = 110;

DialogTemplate settingsTemplate(const std::vector<SettingField>& fields) {
    const short width = 6 + kLabelWidth + 4 + kEntryWidth + 6;
    const short buttonTop = static_cast<short>(6 + kRowHeight * static_cast<short>(fields.size()));
    DialogTemplate settings{"Settings", "Sans", 9, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, width,
                            static_cast<short>(buttonTop + 14 + 6), {}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const short top = static_cast<short>(6 + kRowHeight * static_cast<short>(i));
        settings.items.push_back({"Edit", "", SettingsWindow::kFirstEntry + static_cast<UINT>(i),
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 6 + kLabelWidth + 4, top, kEntryWidth, 12});
    }
    settings.items.push_back({"Button", "Apply", SettingsWindow::kApplyButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                              static_cast<short>(width - 56), buttonTop, 50, 14});
    return settings;
}

}  // namespace

SettingsWindow::SettingsWindow(int& shown, double& x, double& y, VeltInstrument& instrument, CWnd* parent)
    : CInstrumentSettingsBase(shown, x, y, 0, parent), instrument_(instrument), fields_(instrument.SettingFields()) {
    CreateIndirect(settingsTemplate(fields_), parent);
    SetWindowText((std::string(instrument.GetName()) + " settings").c_str());
    refresh_instrument_dialog(0);
}

void SettingsWindow::refresh_instrument_dialog(int) {
    shown_.clear();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        shown_.push_back(instrument_.Setting(fields_[i].pin));
        if (CWnd* entry = Entry(static_cast<int>(i))) entry->SetWindowText(shown_.back().c_str());
    }
}

void SettingsWindow::Apply() {
    // Every line is made before any runs: each one refreshes the entries.
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const CWnd* entry = Entry(static_cast<int>(i));
        const std::string text = entry ? Trimmed(entry->GetWindowText().str()) : shown_[i];
        if (text == shown_[i]) continue;
        // The command line takes a value as one word.
        if (text.find_first_of(" \t") != std::string::npos) {
            instrument_.Complain(std::string(fields_[i].label) + ": \"" + text + "\" is not one word");
            continue;
        }
        lines.push_back("setnode " + std::string(instrument_.GetName()) + " " + std::to_string(fields_[i].pin) + " " +
                        (text.empty() ? "$" : text));
    }
    for (const std::string& line : lines) instrument_.RunCommand(line);
    refresh_instrument_dialog(0);
}

void SettingsWindow::Paint(CDC& dc) const {
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const int top = 6 + kRowHeight * static_cast<int>(i);
        CRect label(6, top, 6 + kLabelWidth, top + 12);
        MapDialogRect(&label);
        dc.DrawText(fields_[i].label, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

LRESULT SettingsWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerPaint(*this, message, wParam, [this](CDC& dc) { Paint(dc); })) return 0;
    return CInstrumentSettingsBase::WindowProc(message, wParam, lParam);
}

BOOL SettingsWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == kApplyButton && HIWORD(wParam) == BN_CLICKED) {
        Apply();
        return TRUE;
    }
    return CInstrumentSettingsBase::OnCommand(wParam, lParam);
}

}  // namespace veltsim
