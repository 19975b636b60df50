#pragma once

#include <optional>

#include "plotting_module.h"
#include "scope_screen.h"
#include "sweep_buffer.h"
#include "velt_instrument.h"

namespace veltsim {

// An oscilloscope (XSC...): two channels (pins 1 and 2), showing on a page of its own in the
// plotting module the last sweep of its time base that a rising edge of channel A triggered.
// The time base is set on pin 3 (a SPICE number of seconds, 1 ms at first), the trigger level
// on pin 4 (volts; "$" brings back the automatic level, the middle of channel A's range), the
// channels' volts per division on pins 5 and 6 (1 V at first).
// While the scope is shown its page follows the transient four times a second, and the screen
// on its panel up to thirty times.
class Scope final : public VeltInstrument {
public:
    Scope(InstrumentDoc& doc, const CString& refID);
    ~Scope() override;

    // "A V(out)", "B not wired", "time base 0.001 s", "trigger rising through 1 V on A",
    // "A 1 V/div", "B 0.5 V/div".
    std::vector<std::string> Describe() const override;
    // The channels, the time base, the trigger level and the volts per division.
    std::vector<SettingField> SettingFields() const override;
    std::string Setting(int pin) const override;
    // The sweep shown now, of at most `maxPoints` points.
    Sweep CurrentSweep(std::size_t maxPoints) const;
    ScopeScreen* Screen() const { return screen_.get(); }
    void OnInsert(int) override;
    void OnRemoveEnd() override;

protected:
    bool SetSetting(int pin, const std::string& value, std::string& error) override;
    void SerializeSettings(CArchive& ar) override;
    void Begin(const std::vector<long>& signals, long time) override;
    void Take(const double* step) override;
    void End() override { Draw(); }
    void Clear() override;
    void Shown(bool shown) override;
    void Redraw() override { UpdateScreen(); }

private:
    double Level() const;
    void OpenPage();
    void ClosePage();
    // The sweep on the page's graph, its traces made again when the wiring changed.
    void Draw();
    // The sweep on the panel's screen, decimated to its width.
    void UpdateScreen();

    double timeBase_ = 1e-3;
    std::optional<double> level_;
    double voltsPerDiv_[2] = {1.0, 1.0};
    SweepBuffer buffer_;
    long a_ = -1, b_ = -1, time_ = -1;
    double lowA_ = 0.0, highA_ = 0.0;
    bool seenA_ = false;
    DWORD lastDraw_ = 0;
    DWORD lastScreen_ = 0;
    std::unique_ptr<ScopeScreen> screen_;
    // Declared before the page, so that the module is let go only after the page.
    PlottingModuleHold module_;
    CStdGrapherPage page_;
    std::string drawnWiring_;
};

}  // namespace veltsim
