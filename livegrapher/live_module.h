#pragma once

#include <memory>

#include "livegrapher/screen_view.h"
#include "plotmodel/model_grapher.h"

// The live module: the model's root object, shown on the screen when there is one. Without a
// screen every slot still answers from the model and nothing is shown.

namespace livegrapher {

// Makes sure that a face shows the windows, choosing the Qt face when none was chosen; false,
// said once on stderr, when there is no screen to show them on.
bool ScreenUp();

class LiveModule {
public:
    LiveModule();

    CGrapher* Root() { return &grapher_; }
    void SetOutputDirectory(const char* directory) { grapher_.SetOutputDirectory(directory != nullptr ? directory : ""); }
    // S_OK; E_HANDLE for a handle the module does not know; E_FAIL for a closed page, a graph
    // that is not on the screen, a missing name or a file that could not be written.
    long ExportPage(CGraphPage* page, const char* folder);
    long ExportGraphPng(CGraph* graph, const char* file);

private:
    plotmodel::ModelGrapher grapher_;
    std::unique_ptr<ScreenView> screen_;
};

}  // namespace livegrapher
