#pragma once

#include <string>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

class VeltInstrument;

// One entry of a settings window: what it is called and the pin it sets.
struct SettingField {
    const char* label;
    int pin;
};

// An instrument's settings window: an entry per setting, its label painted beside it, and an
// Apply button (Enter applies too). Applying types, for each entry that changed, the setnode line that sets it ("$" for an
// emptied one) into the command line, so that the window and the terminal go one way and the
// log shows what was done; the entries then show what the instrument took.
class SettingsWindow final : public CInstrumentSettingsBase {
public:
    static constexpr UINT kApplyButton = 5490;
    static constexpr UINT kFirstEntry = 5401;

    // The window is made, hidden, over `parent`, with `instrument`'s fields.
    SettingsWindow(int& shown, double& x, double& y, VeltInstrument& instrument, CWnd* parent);

    // The entries show the instrument's settings again.
    void refresh_instrument_dialog(int) override;
    void Apply();
    // The entry of field `index`; null beyond the fields.
    CWnd* Entry(int index) const { return GetDlgItem(static_cast<int>(kFirstEntry) + index); }
    void Paint(CDC& dc) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnOK() override { Apply(); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    VeltInstrument& instrument_;
    std::vector<SettingField> fields_;
    // What each entry was given last, so that only what a person changed is applied.
    std::vector<std::string> shown_;
};

}  // namespace veltsim
