#pragma once

#include "signal_measures.h"
#include "velt_instrument.h"

namespace veltsim {

// A meter (XMM...): RMS, mean, minimum and maximum of the signal on its one pin over the last
// transient, from the library's accumulators. It keeps no settings of its own.
class Meter final : public VeltInstrument {
public:
    Meter(InstrumentDoc& doc, const CString& refID);

    // "XMM1 on V(out)", then "rms 1.165538 V", "mean 1 V", "min 0.1532678 V", "max 1.846732 V"
    // (amperes for a current, no unit for an expression); or "no readings yet" before a
    // transient has run with the pin wired. The panel follows a run.
    std::vector<std::string> Describe() const override;
    // The node.
    std::vector<SettingField> SettingFields() const override;
    // The readings: the accumulators over the last transient.
    const TransientMeasures& Readings() const { return readings_; }

protected:
    void SerializeSettings(CArchive&) override {}
    void Begin(const std::vector<long>& signals, long time) override;
    void Take(const double* step) override;
    void End() override {}
    void Clear() override { readings_ = TransientMeasures(); }

private:
    TransientMeasures readings_;
    long signal_ = -1;
    long time_ = -1;
};

}  // namespace veltsim
