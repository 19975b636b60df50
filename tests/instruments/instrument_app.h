#pragma once

#include <map>
#include <memory>
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
#include "veltutil/platform/host/files/file.h"
#include "veltutil/platform/host/windows/user_input.h"
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

// The simulator: a grapher of its own.
class TestSimulator : public CInstrumentInterface {
public:
    TestSimulator() : CInstrumentInterface("Simulator", nullptr) {}
    Type GetType() override { return TypeSimulator; }
    ComItem GetNthItem(ComItem::ItemType type, int n) override {
        if (type == ComItem::ItemGrapher && n == 0) return ComItem(&grapher, false);
        return ComItem();
    }
    CGrapherSource grapher{"simulator grapher"};
};

// The instrument agency: its event source (instruments hook event 6003 there), its grapher
// and the simulator's run state, property 4004, whose sets it records.
class TestAgency : public CInstrumentInterface {
public:
    TestAgency() : CInstrumentInterface("Agency", nullptr) {}
    Type GetType() override { return TypeInstrumentAgency; }
    ComItem GetNthItem(ComItem::ItemType type, int n) override {
        if (n != 0) return ComItem();
        if (type == ComItem::ItemEventSource) return ComItem(&events, false);
        if (type == ComItem::ItemGrapher && offerGrapher) return ComItem(&grapher, false);
        return ComItem();
    }
    long GetProperty(long id, OrvVariant& value, const OrvVariant*, CTreeInstance*) override {
        if (id != 4004) return S_FALSE;
        value = OrvVariant(runState);
        return S_OK;
    }
    long SetProperty(long id, const OrvVariant& value, const OrvVariant*, CTreeInstance*) override {
        if (id != 4004 || !value.GetInt()) return S_FALSE;
        stateSets.push_back(*value.GetInt());
        if (onSet) onSet();
        runState = *value.GetInt();
        return S_OK;
    }

    CEventSource events{"Agency", static_cast<const char*>(nullptr)};
    CGrapherSource grapher{"agency grapher"};
    bool offerGrapher = true;
    long runState = 0;
    std::vector<long> stateSets;
    std::function<void()> onSet;
};

// The instrument manager: holds the document, passes it every command line and offers its
// command log window for typing.
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
        std::string text;
        for (std::size_t start = 0, end; start < lines.size(); start = end + 1) {
            end = lines.find('\n', start);
            std::string line = lines.substr(start, end - start);
            line.erase(line.find_last_not_of(' ') + 1);
            text += line + '\n';
        }
        return text;
    }
    void ClearLog() const {
        if (Log()) Log()->GetDialog()->GetTree()->DeleteAllItems();
    }
    // Types the line into the command entry and presses Return, as a person would.
    void Type(const char* line) const {
        CEdit* entry = Log()->GetDialog()->GetCommandEntry();
        PostTypedText(*entry, line);
        PostKeyPress(*entry, VK_RETURN);
        PumpPosted();
    }

    // Stores every instrument into the file: its command reference string, then its state,
    // which the document's "Serialize" command writes through this code's archive.
    void StoreDocument(const std::string& path) {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << static_cast<std::int32_t>(doc.GetNumEventSink());
        for (int n = 0; n < doc.GetNumEventSink(); ++n) {
            CInstrumentBase* instrument = doc.GetEventSink(n);
            CString reference = instrument->GetName();
            CInstrumentDocBase::ConvertCmdRefIDString(reference, instrument->GetTreeInstanceID(),
                                                      instrument->IsTopLevelTreeInstance());
            ar << reference;
            doc.ExecuteCmd(("Serialize " + std::string(reference) + " " + AddressOf(ar) + " 0 0").c_str());
        }
        ar.Close();
        file.Close();
    }
    // Creates each top-level instrument anew and loads every state; a loading archive makes
    // the copies for sub-circuit instances.
    void LoadDocument(const std::string& path) {
        CFile file(path.c_str(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        std::int32_t count = 0;
        ar >> count;
        for (std::int32_t i = 0; i < count; ++i) {
            CString reference;
            ar >> reference;
            CString refID = reference;
            CString instanceID;
            int top = 1;
            CInstrumentDocBase::ReverseCmdRefIDString(refID, instanceID, top);
            if (top) doc.ExecuteCmd("new " + refID);
            doc.ExecuteCmd(("Serialize " + std::string(reference) + " " + AddressOf(ar) + " 0 0").c_str());
        }
    }
    static std::string AddressOf(const void* object) { return std::to_string(reinterpret_cast<long>(object)); }
    static std::string AddressOf(const CArchive& ar) { return AddressOf(static_cast<const void*>(&ar)); }

    TestDoc doc;

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog*) override {
        doc.ExecuteCmd(command);
        return S_OK;
    }
};

// The application at run time: main window, front end, container, the three snap-ins.
struct InstrumentApp {
    InstrumentApp() {
        DrainQueue();
        mainWindow.Create("Velt", WS_POPUP | WS_VISIBLE, CRect(100, 100, 900, 700), nullptr);
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
    TestSimulator simulator;
    TestAgency agency;
    std::unique_ptr<InstrumentManager> manager = std::make_unique<InstrumentManager>(&mainWindow);
    CSnapInContainer container;
};

}  // namespace velttest
