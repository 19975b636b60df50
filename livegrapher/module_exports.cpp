// The module's exports: the root object, the folder that saves and exports go to, and the
// exports that scripts call.
#include "livegrapher/live_module.h"

#define GRAPHER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// Never destroyed: its windows belong to Qt, which may be gone when the process exits.
livegrapher::LiveModule& live() {
    static auto* module = new livegrapher::LiveModule;
    return *module;
}

}  // namespace

GRAPHER_EXPORT CGrapher* GrapherCreate(int argument) { return argument == 0 ? live().Root() : nullptr; }

// The folder for saves and for the files of an exported page; null or "" brings back the
// default (page_output.h).
GRAPHER_EXPORT long GrapherSetOutputDirectory(const char* directory) {
    live().SetOutputDirectory(directory);
    return S_OK;
}

// Writes a page's HTML, SVG and CSV files into `folder`.
GRAPHER_EXPORT long GrapherExportPage(CGraphPage* page, const char* folder) { return live().ExportPage(page, folder); }

// Writes the graph as it is on the screen into a PNG file.
GRAPHER_EXPORT long GrapherExportGraphPng(CGraph* graph, const char* file) {
    return live().ExportGraphPng(graph, file);
}
