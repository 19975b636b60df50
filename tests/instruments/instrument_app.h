#pragma once

#include <map>
#include <memory>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/instruments/test_instruments.h"
#include "tests/support/app_front_end.h"
#include "tests/support/message_pump.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/properties/variant.h"

// The application around the test instruments: a front end that stands for the circuit
// database, the simulator, the instrument agency and the instrument manager snap-in.
namespace velttest {

// The circuit database behind the front end's numbered properties: it answers the texts it
// holds and records every property set as "id key=value".
class DatabaseFrontEnd : public AppFrontEnd {
public:
    long GetProperty(long id, OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override {
        const CString* key = in ? in->GetString() : nullptr;
        gets.push_back(std::to_string(id) + " " + (key ? key->GetString() : "-"));
        auto found = texts.find(id);
        if (found == texts.end()) return AppFrontEnd::GetProperty(id, value, in, instance);
        value = OrvVariant(found->second.c_str());
        return S_OK;
    }
    long SetProperty(long id, const OrvVariant& value, const OrvVariant* in, CTreeInstance* instance) override {
        if (id < 10011 || id > 18009) return AppFrontEnd::SetProperty(id, value, in, instance);
        const CString* key = in ? in->GetString() : nullptr;
        const CString* text = value.GetString();
        sets.push_back(std::to_string(id) + " " + (key ? key->GetString() : "-") + "=" + (text ? text->GetString() : "-"));
        if (throwOnSet) throw std::runtime_error("database is busy");
        return S_OK;
    }

    std::map<long, std::string> texts;
    std::vector<std::string> gets;
    std::vector<std::string> sets;
    bool throwOnSet = false;
};

// The instrument agency, or the simulator: an event source (instruments hook the agency's event
// 6003), a grapher and the simulator's run state, property 4004, whose sets the agency records.
class TestAgency : public CInstrumentInterface {
public:
    explicit TestAgency(Type type = TypeInstrumentAgency) : CInstrumentInterface("Agency", nullptr), type_(type) {}
    Type GetType() override { return type_; }
    ComItem GetNthItem(ComItem::ItemType type, int n) override {
        if (n != 0) return ComItem();
        if (type == ComItem::ItemEventSource) return ComItem(&events, false);
        if (type == ComItem::ItemGrapher && offerGrapher) return ComItem(&grapher, false);
        return ComItem();
    }
    long GetProperty(long id, OrvVariant& value, const OrvVariant*, CTreeInstance*) override {
        if (id != 4004) return S_FALSE;
        value = OrvVariant(stateSets.empty() ? 0 : stateSets.back());
        return S_OK;
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

private:
    Type type_;
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
        std::string lines = Log() ? Log()->GetDialog()->FormatLines().GetString() : "";
        return std::regex_replace(lines, std::regex(" +\n"), "\n");
    }
    void ClearLog() const {
        if (Log()) Log()->GetDialog()->GetTree()->DeleteAllItems();
    }
    // The line as a person submits it in the log's window.
    void Type(const char* line) const { Log()->ExecuteCmd(line); }

    // How code names its own object in a command line.
    static std::string AddressOf(const void* object) { return std::to_string(reinterpret_cast<long>(object)); }

    TestDoc doc;

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog*) override {
        doc.ExecuteCmd(command);
        return S_OK;
    }
};

// The application at run time: main window, front end, container, the three snap-ins;
// started at once unless asked otherwise.
struct InstrumentApp {
    explicit InstrumentApp(bool start = true) {
        DrainQueue();
        mainWindow.Create("Velt", WS_POPUP | WS_VISIBLE, CRect(100, 100, 900, 700), nullptr);
        if (start) Start();
    }
    void Start() {
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
