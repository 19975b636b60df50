#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "veltutil/instruments/instruments.h"
#include "veltutil/platform/host/files/archive.h"
#include "veltutil/platform/host/modules/module.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/platform/host/windows/edit.h"

// Test instruments as a snap-in module would write them, meters (RefIDs XMM...) and scopes
// (XSC...), each with its settings window, and the document that makes them.
namespace velttest {

constexpr UINT kPanelTemplate = 4100;
constexpr UINT kPanelEntry = 4102;

// A front panel of 180 x 120 pixels with an entry.
inline const DialogTemplate kPanelDialog{"Panel", "Sans", 9, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 120, 80,
                                         {{"Edit", "", kPanelEntry, WS_CHILD | WS_VISIBLE | WS_BORDER, 4, 24, 80, 14}}};

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

// Creates the window from the panel module's template.
inline std::unique_ptr<PanelWindow> OpenPanel(int& shown, double& x, double& y, CWnd* parent) {
    auto window = std::make_unique<PanelWindow>(shown, x, y, kPanelTemplate, parent);
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(PanelModule());
    window->Create();
    AfxSetResourceHandle(previous);
    return window;
}

class TestDoc;

// A meter or a scope: three pins, a netlist, a label and, in a section of its own (scopes),
// samples. Its window opens when the document has a main window; its notices go to the
// document's trace.
class TestInstrument : public CInstrumentBase {
public:
    TestInstrument(TestDoc& doc, const CString& refID, bool scope);
    ~TestInstrument() override { --live; }

    void SetNodeValue(int pin, const char* value) override {
        if (pin >= 0 && pin < static_cast<int>(pins.size())) pins[static_cast<std::size_t>(pin)] = value;
    }
    int GetNetlist(CString& net) override {
        net = GetName();
        for (const CString& pin : pins) net += " " + (pin.IsEmpty() ? CString("0") : pin);
        return 1;
    }
    void ClearData() override { samples.clear(); }
    void SerializeDispDataSize(int* size) override {
        if (size) *size = Size(label) + static_cast<int>(samples.size()) * Size(0.0);
    }
    void SerializeData(CArchive* ar, int, int) override;
    void OnInsert(int) override;
    void OnRemoveBegin() override { Notice("remove-begin"); }
    void OnRemoveEnd() override;

    PanelWindow* Window() const { return window_.get(); }
    double PosX() const { return m_dPosX; }
    int Remembered() const { return m_bShown; }
    std::int32_t LoadedVersion() const { return m_nLoadedDataVersion; }

    // The section marker this instrument writes and expects.
    CString marker;
    std::vector<CString> pins = std::vector<CString>(3);
    std::vector<double> samples;
    CString label = "trace";
    inline static int live = 0;

private:
    void Notice(const char* what);

    TestDoc& doc_;
    const bool scope_;
    std::unique_ptr<PanelWindow> window_;
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
        if (kind.CompareNoCase("XMM") == 0 || kind.CompareNoCase("XSC") == 0) {
            made = new TestInstrument(*this, refID, kind.CompareNoCase("XSC") == 0);
        }
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
    // "insert XSC1/", "remove-begin XSC1/517", "remove-end XSC1/517" (RefID/instance), in order.
    std::vector<std::string> trace;
    // Runs inside every notice, with its name ("insert", "remove-begin", "remove-end").
    std::function<void(TestInstrument&, const std::string&)> onNotice;
};

inline TestInstrument::TestInstrument(TestDoc& doc, const CString& refID, bool scope)
    : CInstrumentBase(doc, refID, scope ? "Scope" : "Meter"), marker(scope ? "SCOPE" : "METER"), doc_(doc), scope_(scope) {
    ++live;
}

// Stores or loads one value.
template <class T>
void Transfer(CArchive& ar, T& value) {
    if (ar.IsStoring()) {
        ar << value;
    } else {
        ar >> value;
    }
}

// The common block, the instrument's section with its pins, the samples in a nested section
// (scopes) and the label. A loaded instrument puts its window back where it was stored.
inline void TestInstrument::SerializeData(CArchive* ar, int, int) {
    if (!ar) return;
    Serialize(*ar);
    SerializeDataSection(*ar, marker);
    for (CString& pin : pins) Transfer(*ar, pin);
    if (scope_) {
        SerializeDataSection(*ar, "TRACE");
        auto count = static_cast<std::uint32_t>(samples.size());
        Transfer(*ar, count);
        // Room for at most 131072 samples ahead, the rest grown as they arrive: a count that
        // the data does not back ends at the end of the data, not in one huge allocation.
        if (ar->IsLoading()) samples.resize(std::min<std::uint32_t>(count, 131072));
        for (std::uint32_t i = 0; i < count; ++i) {
            if (i == samples.size()) samples.push_back(0);
            Transfer(*ar, samples[i]);
        }
    }
    Transfer(*ar, label);
    if (ar->IsLoading() && m_pSettingsDlg) {
        refresh_instrument_dialog(0);
        Show(1, 1);
    }
}

inline void TestInstrument::Notice(const char* what) {
    doc_.trace.push_back(std::string(what) + " " + GetName() + "/" + GetTreeInstanceID().GetString());
    if (doc_.onNotice) doc_.onNotice(*this, what);
}

inline void TestInstrument::OnInsert(int) {
    if (doc_.mainWindow) {
        window_ = OpenPanel(m_bShown, m_dPosX, m_dPosY, doc_.mainWindow);
        m_pSettingsDlg = window_.get();
    }
    Notice("insert");
}

inline void TestInstrument::OnRemoveEnd() {
    Notice("remove-end");
    m_pSettingsDlg = nullptr;
    window_.reset();
}

}  // namespace velttest
