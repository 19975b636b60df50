#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/app_front_end.h"
#include "tests/support/message_pump.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/instruments/instruments.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/platform/host/files/archive.h"
#include "veltutil/platform/host/modules/module.h"
#include "veltutil/platform/host/modules/resources.h"
#include "veltutil/properties/variant.h"

// Test instruments as a snap-in module would write them, meters (RefIDs XMM...) and scopes
// (XSC...), each with its settings window, the document that makes them and the application
// around them: a front end that stands for the circuit database, the simulator, the
// instrument agency and the instrument manager snap-in.
namespace velttest {

constexpr UINT kPanelTemplate = 4100;
constexpr UINT kPanelEntry = 4102;

// A front panel of 180 x 120 pixels with an entry.
inline const DialogTemplate kPanelDialog{"Panel", "Sans", 9, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 120, 80,
                                         {{"Edit", "", kPanelEntry, WS_CHILD | WS_VISIBLE | WS_BORDER, 4, 24, 80, 14}}};

// The instrument's window, counting what the base asks of it.
class PanelWindow : public CInstrumentSettingsBase {
public:
    using CInstrumentSettingsBase::CInstrumentSettingsBase;
    void refresh_instrument_dialog(int) override { ++refreshes; }
    void SaveUndoData() override { ++undoSteps; }
    // What a derived window may do while it is being moved.
    std::function<void()> onMove;

    int refreshes = 0, undoSteps = 0;

protected:
    void OnMove(int x, int y) override {
        CInstrumentSettingsBase::OnMove(x, y);
        if (onMove) onMove();
    }
};

// Creates the window from the template that this module holds, as a snap-in module holds its
// resources.
inline std::unique_ptr<PanelWindow> OpenPanel(int& shown, double& x, double& y, CWnd* parent) {
    static const HINSTANCE module = [] {
        HINSTANCE self = GetModuleHandleFromAddress(&kPanelDialog);
        AfxRegisterDialogResource(self, kPanelTemplate, &kPanelDialog);
        return self;
    }();
    auto window = std::make_unique<PanelWindow>(shown, x, y, kPanelTemplate, parent);
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(module);
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
    void SerializeData(CArchive* ar, int, int) override;
    void OnInsert(int) override;
    void OnRemoveBegin() override { Notice("remove-begin"); }
    void OnRemoveEnd() override;

    PanelWindow* Window() const { return window_.get(); }
    // What the base offers derived instruments, open to the tests.
    using CInstrumentBase::GetPinColors, CInstrumentBase::GetPinLabels, CInstrumentBase::GetSubcktName;
    using CInstrumentBase::m_bShown, CInstrumentBase::m_dPosX, CInstrumentBase::m_dPosY, CInstrumentBase::m_nSimFlag;
    using CInstrumentBase::m_nDataVersion, CInstrumentBase::m_nLoadedDataVersion;
    using CInstrumentBase::Serialize, CInstrumentBase::SerializeDataSection;
    using CInstrumentBase::set_simulator_pause, CInstrumentBase::set_simulator_start, CInstrumentBase::set_simulator_stop;

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
        bool scope = refID.Left(3).CompareNoCase("XSC") == 0;
        bool known = scope || refID.Left(3).CompareNoCase("XMM") == 0;
        TestInstrument* made = known ? new TestInstrument(*this, refID, scope) : nullptr;
        NewInstrument(made, instanceID);
        return made;
    }

    using CInstrumentDocBase::CloneInstrument, CInstrumentDocBase::RemoveAllClonedInstruments;
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
    ar.IsStoring() ? void(ar << value) : void(ar >> value);
}

// The common block, the instrument's section with its pins, the samples in a nested section
// (scopes) and the label. A loaded instrument puts its window back where it was stored.
inline void TestInstrument::SerializeData(CArchive* ar, int, int) {
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

// The circuit database behind the front end's numbered properties: it answers the texts it
// holds and records every property set as "id key=value".
class DatabaseFrontEnd : public AppFrontEnd {
public:
    long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override {
        gets.push_back(std::to_string(id) + " " + Text(in));
        auto found = texts.find(id);
        if (found == texts.end()) return AppFrontEnd::GetProperty(id, value, in, instance);
        value = OrvVariant(found->second.c_str());
        return S_OK;
    }
    long SetProperty(long id, const OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override {
        if (id < 10011 || id > 18009) return AppFrontEnd::SetProperty(id, value, in, instance);
        sets.push_back(std::to_string(id) + " " + Text(in) + "=" + Text(&value));
        return S_OK;
    }
    // A variant's string, "-" for none.
    static std::string Text(const OrvVariant* value) {
        return value && value->GetString() ? value->GetString()->GetString() : "-";
    }

    std::map<long, std::string> texts;
    std::vector<std::string> gets;
    std::vector<std::string> sets;
};

// The instrument agency, or the simulator: an event source (instruments hook the agency's event
// 6003), a grapher and the simulator's run state, property 4004, whose sets the agency records.
class TestAgency : public CInstrumentInterface {
public:
    explicit TestAgency(Type type = TypeInstrumentAgency) : CInstrumentInterface("Agency", nullptr), type(type) {}
    Type GetType() override { return type; }
    ComItem GetNthItem(ComItem::ItemType kind, int n) override {
        if (n == 0 && kind == ComItem::ItemEventSource) return ComItem(&events, false);
        return n == 0 && kind == ComItem::ItemGrapher && offerGrapher ? ComItem(&grapher, false) : ComItem();
    }
    long GetProperty(long id, OrvVariant& value, const OrvVariant*, CTreeInstance*) override {
        if (id == 4004) value = OrvVariant(stateSets.empty() ? 0 : stateSets.back());
        return id == 4004 ? S_OK : S_FALSE;
    }
    long SetProperty(long id, const OrvVariant& value, const OrvVariant*, CTreeInstance*) override {
        if (id != 4004 || !value.GetInt()) return S_FALSE;
        stateSets.push_back(*value.GetInt());
        if (onSet) onSet();
        return S_OK;
    }

    CEventSource events{"Agency", static_cast<const char*>(nullptr)};
    CGrapherSource grapher{"agency grapher"};
    bool offerGrapher = true;
    // The run states set, in order, failed ones included; the last is the state (0 before any).
    std::vector<long> stateSets;
    std::function<void()> onSet;
    const Type type;
};

// The instrument manager: holds the document and passes it every command line.
class InstrumentManager final : public CInstrumentInterface {
public:
    explicit InstrumentManager(CWnd* mainWindow) : CInstrumentInterface("Instruments", nullptr), doc(this, mainWindow) {}
    Type GetType() override { return TypeInstrumentManager; }
    long Initialize(CGuiFE* gui) override {
        CInstrumentInterface::Initialize(gui);
        long result = doc.Initialize(gui);
        if (CTreeLog* log = doc.GetCmdLog().GetCmdLog()) log->AttachSnapIn(this);
        return result;
    }
    long Uninitialize() override { return doc.Uninitialize(); }

    CCmdLog* Log() const { return dynamic_cast<CCmdLog*>(doc.GetCmdLog().GetCmdLog()); }
    // The log's lines as its save file holds them, without the blanks that expanding tabs
    // puts at the end of every line.
    std::string LogText() const {
        return std::regex_replace(std::string(Log()->GetDialog()->FormatLines().GetString()), std::regex(" +\n"), "\n");
    }
    void ClearLog() const { Log()->GetDialog()->GetTree()->DeleteAllItems(); }
    // The line as a person submits it in the log's window.
    void Type(const char* line) const { Log()->ExecuteCmd(line); }

    TestDoc doc;

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog*) override {
        doc.ExecuteCmd(command);
        return S_OK;
    }
};

// The application at run time: main window, front end, container, the three snap-ins (none
// started unless asked for).
struct InstrumentApp {
    explicit InstrumentApp(bool start = true) {
        DrainQueue();
        mainWindow.Create("Velt", WS_POPUP | WS_VISIBLE, CRect(100, 100, 900, 700), nullptr);
        if (!start) return;
        container.Create(&frontEnd);
        for (CInstrumentInterface* snapIn : SnapIns()) container.AddSnapin(snapIn);
        frontEnd.Initialize(&container);
        for (CInstrumentInterface* snapIn : SnapIns()) snapIn->Initialize(&frontEnd);
    }
    ~InstrumentApp() {
        container.Clear_Snapins_and_GuIF();
        DrainQueue();
    }
    std::vector<CInstrumentInterface*> SnapIns() { return {&simulator, &agency, manager.get()}; }
    TestDoc& doc() { return manager->doc; }

    CWnd mainWindow;
    DatabaseFrontEnd frontEnd;
    TestAgency simulator{CInstrumentInterface::TypeSimulator};
    TestAgency agency;
    std::unique_ptr<InstrumentManager> manager = std::make_unique<InstrumentManager>(&mainWindow);
    CSnapInContainer container;
};

}  // namespace velttest
