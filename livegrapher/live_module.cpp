#include "livegrapher/live_module.h"

#include <QApplication>

#include <cstdio>

#include "livegrapher/page_export.h"
#include "veltutil/platform/host/face/face.h"

namespace livegrapher {

namespace {

// Shows nothing; the model keeps everything for the slots that read it back.
class NoScreen final : public plotmodel::PageView {
public:
    long Refresh(std::uint64_t, bool) override { return S_OK; }
    long FlushAll(bool) override { return S_OK; }
    void GraphDropped(std::uint64_t, std::uint64_t) override {}
    void PageErased(std::uint64_t) override {}
};

}  // namespace

bool ScreenUp() {
    static const bool up = [] {
        bool faceUp = VeltFaceActive() || VeltSelectFace("qt");
        if (faceUp && qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) return true;
        std::fputs("live plotting module: no screen, the pages are kept but not shown\n", stderr);
        return false;
    }();
    return up;
}

LiveModule::LiveModule() {
    if (ScreenUp()) {
        screen_ = std::make_unique<ScreenView>(grapher_);
    } else {
        static NoScreen none;
        grapher_.SetView(&none);
    }
}

long LiveModule::ExportPage(CGraphPage* handle, const char* folder) {
    const plotmodel::Page* page = grapher_.Store().FindPage(handle);
    if (page == nullptr) return E_HANDLE;
    if (!page->open || folder == nullptr) return E_FAIL;
    return ExportPageFiles(grapher_.Store(), plotmodel::ObjectStore::SerialOf(handle), folder);
}

long LiveModule::ExportGraphPng(CGraph* handle, const char* file) {
    const plotmodel::Graph* graph = grapher_.Store().FindGraph(handle);
    if (graph == nullptr) return E_HANDLE;
    if (!screen_) return E_FAIL;
    // The picture shows the graph as it is now, not as of the last frame.
    screen_->Refresh(graph->page, true);
    PageWindow* window = screen_->WindowOf(graph->page);
    GraphWidget* widget = window != nullptr ? window->GraphWidgetOf(plotmodel::ObjectStore::SerialOf(handle)) : nullptr;
    if (widget == nullptr || file == nullptr) return E_FAIL;
    return ExportPng(*widget, file);
}

}  // namespace livegrapher
