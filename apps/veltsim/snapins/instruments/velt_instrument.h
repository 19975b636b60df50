#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <veltutil/veltutil.h>

#include "instrument_panel.h"
#include "settings_window.h"

namespace veltsim {

class InstrumentDoc;

// What veltsim's instruments share. Their pins are numbered from 1 and wired to the circuit's
// signals by name (setnode, any naming form); each transient the simulator runs reaches them
// through the instrument agency, step by step (4005), between its setup (6003) and its stop
// (6005). They have a front panel that shows what they show (Describe), and they say what is
// wrong in the command line.
//
// Its windows: the front panel (the instrument's window, shown and hidden by show and hide),
// which follows a run at most ten times a second, and the settings window, opened from the
// panel. Both remember where they stand.
//
// Stored data: the common block, a section marker of the kind, the pins' signal names, the
// kind's own settings, then the settings window's state (from the data version kDataVersion
// on). Measured data are not stored: they belong to a run.
class VeltInstrument : public CInstrumentBase {
public:
    // The stored data's version since the settings window is stored too.
    static constexpr std::int32_t kDataVersion = 0x40000001;

    // `pins` signal pins; `panel` the kind of front panel.
    VeltInstrument(InstrumentDoc& doc, const CString& refID, const char* kind, int pins, InstrumentPanel::Kind panel);
    ~VeltInstrument() override;

    // Pins 1 to the number of signal pins take a signal name; a kind may take settings on the
    // pins after those (SetSetting). A pin that is not there or a signal that the last run did
    // not have is refused with a message; "$" (the empty text) unwires the pin.
    void SetNodeValue(int pin, const char* value) override;
    void SerializeData(CArchive* ar, int a, int b) override;
    void ClearData() override { Clear(); }
    void OnInsert(int) override;
    void OnRemoveBegin() override;
    void OnRemoveEnd() override;
    // "XSC1 out in": the RefID and the signal of every pin, "0" for one not wired.
    int GetNetlist(CString& net) override;
    // Shown, it also says what it shows; hidden, its settings window hides too.
    void Show(int bShow, int bRestore) override;
    long HandleEventIndirect(CEventSource* source, const CEventSource::EventData* data) override;

    // What the instrument shows, one line each: the panel's read-outs.
    virtual std::vector<std::string> Describe() const = 0;
    const std::string& Pin(int pin) const { return pins_[static_cast<std::size_t>(pin - 1)]; }
    InstrumentPanel* Panel() const { return panel_.get(); }
    SettingsWindow* Settings() const { return settings_.get(); }
    // Shows the settings window and remembers it shown.
    void OpenSettings();
    // What the settings window offers, and what a field shows of the setting on `pin`.
    virtual std::vector<SettingField> SettingFields() const = 0;
    virtual std::string Setting(int pin) const;
    // Runs `line` as if typed into the command line (into the document itself without one).
    void RunCommand(const std::string& line);
    // Tells the command line what is wrong, as a failure.
    void Complain(const std::string& text);

protected:
    // A setting on pin `pin` beyond the signal pins; false when there is none or the value does
    // not fit, with the reason in `error`.
    virtual bool SetSetting(int pin, const std::string& value, std::string& error);
    virtual void SerializeSettings(CArchive& ar) = 0;
    // A transient begins; `signals` holds where each pin's signal stands in a step (-1: not
    // wired or not in this analysis) and `time` where the time does.
    virtual void Begin(const std::vector<long>& signals, long time) = 0;
    virtual void Take(const double* step) = 0;
    virtual void End() = 0;
    virtual void Clear() = 0;
    // The window was shown or hidden.
    virtual void Shown(bool) {}
    // What a kind draws besides the read-outs, again.
    virtual void Redraw() {}
    // The panel shows Describe again.
    void Refresh();
    // Refresh while a run goes on: at most ten times a second.
    void RefreshWhileRunning();
    // Loaded data stored before kDataVersion.
    bool OlderData() const { return m_nLoadedDataVersion < kDataVersion; }
    InstrumentDoc& Doc() { return doc_; }
    const char* Kind() const { return kind_; }

private:
    void Setup(const OrvVariant* analysis);
    // Where the simulator's analysis in progress has `name`, or -1.
    long SignalIndex(const std::string& name);
    void Hook(bool on);
    // Refresh, and the settings window shows what was set.
    void SettingsChanged();

    InstrumentDoc& doc_;
    const char* kind_;
    std::vector<std::string> pins_;
    InstrumentPanel::Kind panelKind_;
    std::unique_ptr<InstrumentPanel> panel_;
    // The settings window's remembered state, as the base keeps the panel's.
    int settingsShown_ = 0;
    double settingsX_ = CInstrumentSettingsBase::kNoPosition;
    double settingsY_ = CInstrumentSettingsBase::kNoPosition;
    std::unique_ptr<SettingsWindow> settings_;
    bool running_ = false;
    DWORD lastRefresh_ = 0;
};

}  // namespace veltsim
