#pragma once

#include <string>
#include <vector>

#include <veltutil/veltutil.h>

namespace veltsim {

// The front panel of an instrument: a window of labelled read-outs, one per line of what the
// instrument shows (Describe). Its templates belong to this module, registered while the module
// is loaded.
class InstrumentPanel final : public CInstrumentSettingsBase {
public:
    // The panel's lines: the meter's four readings and its node, the scope's two channels, time
    // base and trigger.
    static constexpr int kMeterLines = 5;
    static constexpr int kScopeLines = 4;

    // `lines` is kMeterLines or kScopeLines; the window is made, hidden, over `parent`.
    InstrumentPanel(int& shown, double& x, double& y, int lines, CWnd* parent);

    // Sets the read-outs, line by line; lines beyond the panel's are left out.
    void SetLines(const std::vector<std::string>& lines);
    // What the read-outs show, for checks.
    std::vector<std::string> Lines() const;

private:
    int lines_;
};

}  // namespace veltsim
