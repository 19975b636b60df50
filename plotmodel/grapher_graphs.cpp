// The root object's operations on a graph as a whole (slots 11 to 15, 21 to 32, 34).
#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

long ModelGrapher::CreateGraph(CGraphPage* pageHandle, unsigned long id, CGraph** graph) {
    if (graph == nullptr) return E_POINTER;
    Page* page = store_.FindPage(pageHandle);
    if (page == nullptr) return E_HANDLE;
    if (!page->open) return E_FAIL;
    std::uint64_t pageSerial = ObjectStore::SerialOf(pageHandle);
    Graph fresh;
    fresh.page = pageSerial;
    fresh.id = id;
    // Every create hands out a handle of its own: a client closes the graph it held once it has
    // the new one, and that close must not reach the new graph.
    if (Graph* held = store_.FindGraph(*graph); held != nullptr && held->page == pageSerial) {
        view_->GraphDropped(pageSerial, ObjectStore::SerialOf(*graph));
        *graph = store_.ReplaceGraph(*graph, std::move(fresh));
    } else {
        *graph = store_.AddGraph(std::move(fresh));
    }
    page->dirty = true;
    return S_OK;
}

long ModelGrapher::CloseGraph(CGraph* handle) {
    long result = EditGraph(handle, [](Graph& graph) {
        if (!graph.open) return E_FAIL;
        graph.open = false;
        return S_OK;
    });
    return result == S_OK ? RefreshPageOf(store_.FindGraph(handle)->page, true) : result;
}

long ModelGrapher::ClearGraph(CGraph* handle) {
    return EditGraph(handle, [](Graph& graph) {
        graph.traces.clear();
        graph.currentTrace = 0;
        graph.crosshairTrace = 0;
        graph.crosshairs = {};
        return S_OK;
    });
}

long ModelGrapher::SetGraphTitle(CGraph* graph, const char* title) {
    return EditGraph(graph, [&](Graph& g) {
        g.title = TextOf(title);
        return S_OK;
    });
}

long ModelGrapher::SetGraphTitleFont(CGraph* graph, int width, int height, const char* faceName) {
    return EditGraph(graph, [&](Graph& g) {
        g.titleFont = FontOf(width, height, faceName);
        return S_OK;
    });
}

long ModelGrapher::UpdateDisplay(CGraph* graph) {
    return ReadGraph(graph, [&](Graph& g) { return RefreshPageOf(g.page, false); });
}

long ModelGrapher::UpdatePlotDisplay(CGraph* graph) { return UpdateDisplay(graph); }

long ModelGrapher::SetGridEnabled(CGraph* graph, int enabled) {
    return EditGraph(graph, [&](Graph& g) {
        g.gridEnabled = enabled != 0;
        return S_OK;
    });
}

long ModelGrapher::ShowGrid(CGraph* graph, int show) {
    return EditGraph(graph, [&](Graph& g) {
        g.gridShown = show != 0;
        return S_OK;
    });
}

long ModelGrapher::ShowDiagram(CGraph* graph, int show) {
    return EditGraph(graph, [&](Graph& g) {
        g.shown = show != 0;
        store_.PageOf(g.page)->dirty = true;
        return S_OK;
    });
}

long ModelGrapher::SetGridPenStyle(CGraph* graph, int style) {
    return EditGraph(graph, [&](Graph& g) {
        g.gridPenStyle = style;
        return S_OK;
    });
}

long ModelGrapher::SetPrintLogicalTrace(CGraph* graph, int value) {
    // Kept for the client; printing is the browser's business.
    return EditGraph(graph, [&](Graph& g) {
        g.printLogicalTrace = value;
        return S_OK;
    });
}

long ModelGrapher::SetReversed(CGraph* graph) {
    return EditGraph(graph, [](Graph& g) {
        g.reversed = true;
        return S_OK;
    });
}

long ModelGrapher::IsReversed(CGraph* graph, int& reversed) {
    return ReadGraph(graph, [&](Graph& g) {
        reversed = g.reversed ? 1 : 0;
        return S_OK;
    });
}

long ModelGrapher::SetShowSelTraceMarks(CGraph* graph, int show) {
    return EditGraph(graph, [&](Graph& g) {
        g.showSelTraceMarks = show != 0;
        return S_OK;
    });
}

}  // namespace plotmodel
