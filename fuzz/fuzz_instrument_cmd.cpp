// Any bytes typed into an instrument manager's command line window, one line per line of the
// input: very long lines, many words, numbers of any size in the places of pins and addresses.
// A typed line must never make the library use an address from it, so a run that reaches
// memory the line names crashes here. Each run starts with a scope and a meter and ends with
// every instrument removed and the log emptied.
#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/instruments/test_instruments.h"

namespace {

// The front end and the instrument manager, whose document has no agency (Initialize answers
// 1) but has its command log, and instruments without windows.
struct Application {
    Application() {
        container.Create(&frontEnd);
        container.AddSnapin(&manager);
        frontEnd.Initialize(&container);
        manager.Initialize(&frontEnd);
    }
    velttest::DatabaseFrontEnd frontEnd;
    CSnapInContainer container;
    velttest::InstrumentManager manager{nullptr};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Application* app = new Application;  // lives for the whole run
    velttest::TestDoc& doc = app->manager.doc;
    CCmdLog& log = *app->manager.Log();
    doc.CreateInstrument("XSC1", "");
    doc.CreateInstrument("XMM1", "");
    std::string input(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start < input.size();) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        log.ExecuteCmd(CString(input.substr(start, end - start)));
        start = end + 1;
    }
    for (int n = doc.GetNumEventSink() - 1; n >= 0; --n) doc.RemoveInstrument(doc.GetEventSink(n));
    app->manager.ClearLog();
    doc.trace.clear();
    return 0;
}
