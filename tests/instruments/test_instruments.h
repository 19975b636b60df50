#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "veltutil/instruments/instruments.h"
#include "veltutil/platform/host/files/archive.h"
#include "veltutil/platform/host/modules/module.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/windows/edit.h"

// Two small instruments as a snap-in module would write them, a meter (RefIDs XMM...) and a
// scope (XSC...), each with its settings window, and the document that makes them.
namespace velttest {

constexpr UINT kPanelTemplate = 4100;
constexpr UINT kPanelButton = 4101;
constexpr UINT kPanelEntry = 4102;

// A front panel of 180 x 120 pixels: a button and an entry.
inline const DialogTemplate kPanelDialog{
    "Panel", "Sans", 9, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 120, 80,
    {
        {"Button", "Run", kPanelButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 4, 4, 40, 14},
        {"Edit", "", kPanelEntry, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 4, 24, 80, 14},
    }};

// The module that holds the panel's template, as a snap-in module holds its resources.
inline HINSTANCE PanelModule() {
    static const HINSTANCE module = [] {
        HINSTANCE self = GetModuleHandleFromAddress(&kPanelDialog);
        AfxRegisterDialogResource(self, kPanelTemplate, &kPanelDialog);
        return self;
    }();
    return module;
}

// The instrument's window, counting what the base asks of it.
class PanelWindow : public CInstrumentSettingsBase {
public:
    using CInstrumentSettingsBase::CInstrumentSettingsBase;
    void refresh_instrument_dialog(int) override { ++refreshes; }
    void SaveUndoData() override { ++undoSteps; }
    // What a derived window may do while it is being moved.
    std::function<void()> onMove;

    int refreshes = 0;
    int undoSteps = 0;

protected:
    void OnMove(int x, int y) override {
        CInstrumentSettingsBase::OnMove(x, y);
        if (onMove) onMove();
    }
};

class TestDoc;

// What both instruments share: pins, a netlist, a window when the document has a main window,
// notifications in the document's trace and a count of live instruments.
class TestInstrument : public CInstrumentBase {
public:
    TestInstrument(TestDoc& doc, const CString& refID, const char* kind);
    ~TestInstrument() override { --live; }

    void SetNodeValue(int pin, const char* value) override {
        if (pin >= 0 && pin < static_cast<int>(pins.size())) pins[static_cast<std::size_t>(pin)] = value;
    }
    int GetNetlist(CString& net) override {
        net = GetName();
        for (const CString& pin : pins) net += " " + (pin.IsEmpty() ? CString("0") : pin);
        return 1;
    }
    void OnInsert(int) override;
    void OnRemoveBegin() override;
    void OnRemoveEnd() override;

    PanelWindow* Window() const { return window_.get(); }
    double PosX() const { return m_dPosX; }
    double PosY() const { return m_dPosY; }
    int Remembered() const { return m_bShown; }
    std::int32_t LoadedVersion() const { return m_nLoadedDataVersion; }

    // The section marker this instrument writes and expects.
    CString marker;
    std::vector<CString> pins = std::vector<CString>(3);
    inline static int live = 0;

protected:
    // The common block, then the instrument's section and its pins; a loaded instrument puts
    // its window back where it was stored.
    void SerializeData(CArchive* ar, int, int) override {
        if (!ar) return;
        Serialize(*ar);
        SerializeDataSection(*ar, marker);
        SerializeOwn(*ar);
        if (ar->IsStoring()) {
            for (const CString& pin : pins) *ar << pin;
        } else {
            std::vector<CString> loaded(pins.size());
            for (CString& pin : loaded) *ar >> pin;
            pins = std::move(loaded);
        }
        if (ar->IsLoading() && m_pSettingsDlg) {
            refresh_instrument_dialog(0);
            Show(1, 1);
        }
    }
    virtual void SerializeOwn(CArchive& ar) = 0;

    TestDoc& doc_;
    std::unique_ptr<PanelWindow> window_;
};

// A meter: one reading with its unit.
class TestMeter : public TestInstrument {
public:
    TestMeter(TestDoc& doc, const CString& refID) : TestInstrument(doc, refID, "Meter") { marker = "METER"; }

    void ClearData() override { reading = 0; }
    void SerializeDispDataSize(int* size) override {
        if (size) *size = Size(reading) + Size(unit);
    }

    double reading = 0;
    CString unit = "V";

protected:
    void SerializeOwn(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << reading << unit;
            return;
        }
        double loadedReading = 0;
        CString loadedUnit;
        ar >> loadedReading >> loadedUnit;
        reading = loadedReading;
        unit = loadedUnit;
    }
};

// A scope: a time base and a trace of samples in a nested section, and the trace's label.
class TestScope : public TestInstrument {
public:
    TestScope(TestDoc& doc, const CString& refID) : TestInstrument(doc, refID, "Scope") { marker = "SCOPE"; }

    void ClearData() override { samples.clear(); }

    double timeBase = 1e-3;
    std::vector<double> samples;
    CString label = "trace";

protected:
    void SerializeOwn(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << timeBase;
            SerializeDataSection(ar, "TRACE");
            ar << static_cast<std::uint32_t>(samples.size());
            for (double sample : samples) ar << sample;
            ar << label;
            return;
        }
        double loadedTimeBase = 0;
        ar >> loadedTimeBase;
        SerializeDataSection(ar, "TRACE");
        std::uint32_t count = 0;
        ar >> count;
        // Room for at most 131072 samples ahead, the rest grown as they arrive: a count that
        // the data does not back ends at the end of the data, not in one huge allocation.
        std::vector<double> loaded;
        loaded.reserve(std::min<std::uint32_t>(count, 131072));
        for (std::uint32_t i = 0; i < count; ++i) {
            double sample = 0;
            ar >> sample;
            loaded.push_back(sample);
        }
        CString loadedLabel;
        ar >> loadedLabel;
        timeBase = loadedTimeBase;
        samples = std::move(loaded);
        label = loadedLabel;
    }
};

// The document of the test snap-in: XMM... are meters, XSC... scopes; other RefIDs fail.
// With a main window each instrument opens its window over it.
class TestDoc : public CInstrumentDocBase {
public:
    explicit TestDoc(CInstrumentInterface* manager = nullptr, CWnd* mainWindow = nullptr)
        : CInstrumentDocBase("Instruments", "Velt.Instruments", "1.0", manager), mainWindow(mainWindow) {}
    ~TestDoc() override {
        Uninitialize();
        // A document that was never initialized lets its instruments go all the same.
        for (CInstrumentBase* instrument : m_Instruments) RemoveInstrument(instrument);
    }

    CInstrumentBase* CreateInstrument(const CString& refID, const CString& instanceID) override {
        CString kind = refID.Left(3);
        TestInstrument* made = nullptr;
        if (kind.CompareNoCase("XMM") == 0) made = new TestMeter(*this, refID);
        if (kind.CompareNoCase("XSC") == 0) made = new TestScope(*this, refID);
        NewInstrument(made, instanceID);
        return made;
    }

    using CInstrumentDocBase::CloneInstrument;
    using CInstrumentDocBase::RemoveAllClonedInstruments;
    using CInstrumentDocBase::RemoveInstrument;

    TestInstrument* Find(const char* refID, const char* instanceID = "", int top = 1) {
        return static_cast<TestInstrument*>(FindInstrument(refID, instanceID, top));
    }

    CWnd* mainWindow;
    // "insert XSC1", "remove-begin XSC1", "remove-end XSC1", in order.
    std::vector<std::string> trace;
    // Runs inside each instrument's OnRemoveBegin.
    std::function<void(TestInstrument&)> onRemoveBegin;
};

inline TestInstrument::TestInstrument(TestDoc& doc, const CString& refID, const char* kind)
    : CInstrumentBase(doc, refID, kind), doc_(doc) {
    ++live;
}

inline void TestInstrument::OnInsert(int) {
    doc_.trace.push_back(std::string("insert ") + GetName());
    if (!doc_.mainWindow) return;
    window_ = std::make_unique<PanelWindow>(m_bShown, m_dPosX, m_dPosY, kPanelTemplate, doc_.mainWindow);
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(PanelModule());
    window_->Create();
    AfxSetResourceHandle(previous);
    m_pSettingsDlg = window_.get();
}

inline void TestInstrument::OnRemoveBegin() {
    doc_.trace.push_back(std::string("remove-begin ") + GetName());
    if (doc_.onRemoveBegin) doc_.onRemoveBegin(*this);
}

inline void TestInstrument::OnRemoveEnd() {
    doc_.trace.push_back(std::string("remove-end ") + GetName());
    m_pSettingsDlg = nullptr;
    window_.reset();
}

}  // namespace velttest
