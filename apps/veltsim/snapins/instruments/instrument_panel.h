#pragma once

#include <functional>
#include <string>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

// The front panel of an instrument: its read-outs, one line each of what the instrument shows
// (Describe), painted by the panel itself; for a scope its screen below them; and a
// "Settings..." button that opens the instrument's settings window. Its templates belong to
// this module, registered while the module is loaded.
class InstrumentPanel final : public CInstrumentSettingsBase {
public:
    enum class Kind { Meter, Scope };
    // The panel's lines: the meter's node and four readings, the scope's two channels, time
    // base, trigger and the channels' volts per division.
    static constexpr int kMeterLines = 5;
    static constexpr int kScopeLines = 6;
    static constexpr UINT kSettingsButton = 5390;

    // The window is made, hidden, over `parent`; its caption is `caption`.
    InstrumentPanel(int& shown, double& x, double& y, Kind kind, const std::string& caption, CWnd* parent);

    // Sets the read-outs, line by line; lines beyond the panel's are left out. The panel is
    // painted again only when they changed.
    void SetLines(const std::vector<std::string>& lines);
    const std::vector<std::string>& Lines() const { return lines_; }
    // Where read-out `line` is painted, in client coordinates.
    CRect ReadoutRect(int line) const;
    // The room left for a scope's screen, in client coordinates (empty for a meter).
    CRect ScreenArea() const;
    // What the Settings... button does.
    void OnSettings(std::function<void()> open) { openSettings_ = std::move(open); }
    void Paint(CDC& dc) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CRect DialogUnits(int x, int y, int cx, int cy) const;

    Kind kind_;
    std::vector<std::string> lines_;
    std::function<void()> openSettings_;
};

}  // namespace veltsim
