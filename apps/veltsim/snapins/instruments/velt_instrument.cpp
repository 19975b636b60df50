#include "velt_instrument.h"

#include <cstdint>

#include "command_line_log.h"
#include "instrument_doc.h"
#include "snapin_protocol.h"
#include "text_util.h"

namespace veltsim {

namespace {

// Besides the setup (6003), which the document hooks.
constexpr long kRunEvents[] = {kEventNewData, EVENT_SWITCH_STOP};

// What the instruments measure: the steps of a transient.
constexpr const char* kTransient = "tran";

// A panel that follows a run is painted again at most this often.
constexpr DWORD kLiveRefreshMs = 100;

}  // namespace

VeltInstrument::VeltInstrument(InstrumentDoc& doc, const CString& refID, const char* kind, int pins, InstrumentPanel::Kind panel)
    : CInstrumentBase(doc, refID, kind), doc_(doc), kind_(kind), pins_(static_cast<std::size_t>(pins)), panelKind_(panel) {
    m_nDataVersion = kDataVersion;
}

VeltInstrument::~VeltInstrument() = default;

void VeltInstrument::SetNodeValue(int pin, const char* value) {
    const std::string text = Trimmed(value ? value : "");
    const std::string name = GetName();
    const int pins = static_cast<int>(pins_.size());
    if (pin < 1) {
        doc_.Replies().Fail(name + ": no pin " + std::to_string(pin) + " (the pins are numbered from 1)");
        return;
    }
    if (pin > pins) {
        std::string error;
        if (!SetSetting(pin, text, error)) {
            doc_.Replies().Fail(name + ": " + error);
            return;
        }
        SettingsChanged();
        return;
    }
    std::string signal;
    if (!text.empty()) {
        CInstrumentInterface* simulator = doc_.GetGuiFE() ? doc_.GetGuiFE()->GetNthSnapIn(-1) : nullptr;
        OrvVariant in(text.c_str());
        OrvVariant shown;
        if (!simulator || simulator->GetProperty(kPropSignalName, shown, &in, nullptr) != S_OK || !shown.GetString()) {
            doc_.Replies().Fail(name + ": unknown node: " + text + " (nodes lists the signals)");
            return;
        }
        signal = shown.GetString()->str();
    }
    pins_[static_cast<std::size_t>(pin - 1)] = signal;
    doc_.Replies().Say(name + " pin " + std::to_string(pin) + ": " + (signal.empty() ? "not wired" : signal));
    SettingsChanged();
}

bool VeltInstrument::SetSetting(int pin, const std::string&, std::string& error) {
    error = "no pin " + std::to_string(pin) + (pins_.size() == 1 ? std::string(" (pin 1 only)") : " (pins 1 to " + std::to_string(pins_.size()) + ")");
    return false;
}

void VeltInstrument::SerializeData(CArchive* ar, int, int) {
    if (!ar) return;
    Serialize(*ar);
    SerializeDataSection(*ar, kind_);
    if (ar->IsStoring()) {
        *ar << static_cast<std::uint32_t>(pins_.size());
        for (const std::string& pin : pins_) *ar << CString(pin.c_str());
        SerializeSettings(*ar);
        *ar << static_cast<std::int32_t>(settingsShown_) << settingsX_ << settingsY_;
        return;
    }
    std::uint32_t count = 0;
    *ar >> count;
    if (count != pins_.size()) throw CString("Error: stored instrument data for another number of pins");
    std::vector<std::string> loaded;
    for (std::uint32_t i = 0; i < count; ++i) {
        CString pin;
        *ar >> pin;
        loaded.push_back(pin.str());
    }
    SerializeSettings(*ar);
    if (!OlderData()) {
        std::int32_t shown = 0;
        *ar >> shown >> settingsX_ >> settingsY_;
        settingsShown_ = shown;
    }
    pins_ = std::move(loaded);
    Refresh();
    if (m_pSettingsDlg) {
        refresh_instrument_dialog(0);
        Show(1, 1);
    }
    if (settings_) {
        settings_->refresh_instrument_dialog(0);
        settings_->ResetInstrumentWindowPos();
        settings_->Show(settingsShown_);
    }
}

void VeltInstrument::OnInsert(int) {
    const std::string name = GetName();
    panel_ = std::make_unique<InstrumentPanel>(m_bShown, m_dPosX, m_dPosY, panelKind_, name + ": " + ToLower(kind_), doc_.MainWindow());
    panel_->OnSettings([this] { OpenSettings(); });
    m_pSettingsDlg = panel_.get();
    settings_ = std::make_unique<SettingsWindow>(settingsShown_, settingsX_, settingsY_, *this, doc_.MainWindow());
    Refresh();
    Hook(true);
}

void VeltInstrument::OpenSettings() {
    settingsShown_ = 1;
    settings_->refresh_instrument_dialog(0);
    // Back where it stood beside the main window, which may have moved since.
    settings_->ResetInstrumentWindowPos();
    settings_->Show(1);
}

std::string VeltInstrument::Setting(int pin) const { return pin >= 1 && pin <= static_cast<int>(pins_.size()) ? Pin(pin) : ""; }

void VeltInstrument::RunCommand(const std::string& line) {
    CTreeLog* commandLine = doc_.GetGuiFE() ? CommandLineLog(*doc_.GetGuiFE()) : nullptr;
    if (commandLine && commandLine->GetAttachedSnapIn()) {
        commandLine->ExecuteCmd(line.c_str());
    } else {
        doc_.ExecuteCmd(line.c_str());
    }
}

void VeltInstrument::Complain(const std::string& text) { doc_.Replies().Fail(std::string(GetName()) + ": " + text); }

void VeltInstrument::OnRemoveBegin() {
    Hook(false);
    running_ = false;
}

void VeltInstrument::OnRemoveEnd() {
    Shown(false);
    m_pSettingsDlg = nullptr;
    settings_.reset();
    panel_.reset();
}

int VeltInstrument::GetNetlist(CString& net) {
    std::string text = GetName();
    for (const std::string& pin : pins_) text += " " + (pin.empty() ? std::string("0") : pin);
    net = text.c_str();
    return 1;
}

void VeltInstrument::Show(int bShow, int bRestore) {
    CInstrumentBase::Show(bShow, bRestore);
    Shown(GetShown() != 0);
    if (!bShow && settings_) {
        if (!bRestore) settingsShown_ = 0;
        settings_->Show(0);
    }
    if (!bShow || bRestore) return;
    std::string text = std::string(GetName()) + " " + kind_ + ":";
    const std::vector<std::string> lines = Describe();
    for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? ", " : " ") + lines[i];
    doc_.Replies().Say(text);
}

long VeltInstrument::HandleEventIndirect(CEventSource* source, const CEventSource::EventData* data) {
    if (!data) return E_NOINTERFACE;
    switch (data->eventId) {
    case EVENT_SWITCH_SETUP:
        Setup(data->input);
        return S_OK;
    case kEventNewData:
        if (running_ && data->input && data->input->GetDoubleArray()) Take(data->input->GetDoubleArray());
        return S_OK;
    case EVENT_SWITCH_STOP:
        if (running_) {
            running_ = false;
            End();
            Refresh();
        }
        return S_OK;
    default:
        return CInstrumentBase::HandleEventIndirect(source, data);
    }
}

void VeltInstrument::Setup(const OrvVariant* analysis) {
    running_ = false;
    const CString* type = analysis ? analysis->GetString() : nullptr;
    const long time = SignalIndex("time");
    if (!type || type->str() != kTransient || time < 0) return;
    std::vector<long> signals;
    for (const std::string& pin : pins_) {
        signals.push_back(pin.empty() ? -1 : SignalIndex(pin));
        if (!pin.empty() && signals.back() < 0) {
            doc_.Replies().Fail(std::string(GetName()) + ": the transient has no signal " + pin);
        }
    }
    Begin(signals, time);
    running_ = true;
}

long VeltInstrument::SignalIndex(const std::string& name) {
    CInstrumentInterface* simulator = doc_.GetGuiFE() ? doc_.GetGuiFE()->GetNthSnapIn(-1) : nullptr;
    OrvVariant in(name.c_str());
    OrvVariant index;
    if (!simulator || simulator->GetProperty(kPropSignalIndex, index, &in, nullptr) != S_OK || !index.GetInt()) return -1;
    return *index.GetInt();
}

void VeltInstrument::Hook(bool on) {
    CEventSource* events = doc_.AgencyEvents();
    if (!events) return;
    for (long id : kRunEvents) {
        if (on) {
            events->RegisterEventHook(id, this, nullptr);
        } else {
            events->UnregisterEventHook(id, this, nullptr);
        }
    }
}

void VeltInstrument::Refresh() {
    lastRefresh_ = GetTickCount();
    if (panel_) panel_->SetLines(Describe());
    Redraw();
}

void VeltInstrument::SettingsChanged() {
    Refresh();
    if (settings_) settings_->refresh_instrument_dialog(0);
}

void VeltInstrument::RefreshWhileRunning() {
    if (panel_ && panel_->IsWindowVisible() && GetTickCount() - lastRefresh_ >= kLiveRefreshMs) Refresh();
}

}  // namespace veltsim
