// Any bytes typed into an instrument manager's command line window, one line per line of the
// input: very long lines, many words, numbers of any size in the places of pins and addresses.
// A typed line must never make the library use an address from it, so a run that reaches
// memory the line names crashes here. Each run starts with a scope and a meter and ends with
// every instrument removed and the log emptied.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/instruments/test_instruments.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"

namespace {

class FrontEnd : public CGuiFE {
public:
    int HostQuery(CString&, const CString&, long, const CString&) override { return 0; }
    int HostCommand(long, CString&) override { return 0; }
};

// The instrument manager: every line it receives goes to its document.
class Manager final : public CInstrumentInterface {
public:
    Manager() : CInstrumentInterface("Instruments", nullptr), doc(this) {}
    Type GetType() override { return TypeInstrumentManager; }
    velttest::TestDoc doc;

protected:
    long ExecuteUnlockedCmd(const char* command, CTreeLog*) override {
        doc.ExecuteCmd(command);
        return S_OK;
    }
};

struct Application {
    Application() {
        container.Create(&frontEnd);
        container.AddSnapin(&manager);
        frontEnd.Initialize(&container);
        manager.Initialize(&frontEnd);
        manager.doc.Initialize(&frontEnd);  // no agency: answers 1, but the log is there
        log = static_cast<CCmdLog*>(manager.doc.GetCmdLog().GetCmdLog());
        log->AttachSnapIn(&manager);
    }
    FrontEnd frontEnd;
    CSnapInContainer container;
    Manager manager;
    CCmdLog* log = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Application* app = new Application;  // lives for the whole run
    velttest::TestDoc& doc = app->manager.doc;
    doc.CreateInstrument("XSC1", "");
    doc.CreateInstrument("XMM1", "");
    std::string input(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start < input.size();) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        app->log->ExecuteCmd(CString(input.substr(start, end - start)));
        start = end + 1;
    }
    for (int n = doc.GetNumEventSink() - 1; n >= 0; --n) doc.RemoveInstrument(doc.GetEventSink(n));
    app->log->GetDialog()->GetTree()->DeleteAllItems();
    doc.trace.clear();
    return 0;
}
