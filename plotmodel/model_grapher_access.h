#pragma once

#include <cmath>

#include "plotmodel/model_grapher.h"

// The lookups that every operation of ModelGrapher starts with; included by its source files.

namespace plotmodel {

// The position named by an "At" form's (index, vertical), or -1.
inline long PositionAt(int index, int vertical) {
    if (index == 0) return vertical != 0 ? AXIS_POSITION_3 : AXIS_POSITION_0;
    if (index == 1) return vertical != 0 ? AXIS_POSITION_1 : AXIS_POSITION_2;
    return -1;
}

inline Font FontOf(int width, int height, const char* faceName) {
    return Font{width, height, faceName != nullptr ? faceName : ""};
}

inline std::string TextOf(const char* text) { return text != nullptr ? text : ""; }

template <class Operation>
long ModelGrapher::EditPage(CGraphPage* handle, Operation operation) {
    Page* page = store_.FindPage(handle);
    if (page == nullptr) return E_HANDLE;
    if (!page->open) return E_FAIL;
    long result = operation(*page);
    if (SUCCEEDED(result)) page->dirty = true;
    return result;
}

template <class Operation>
long ModelGrapher::ReadGraph(CGraph* handle, Operation operation) {
    Graph* graph = store_.FindGraph(handle);
    return graph != nullptr ? operation(*graph) : E_HANDLE;
}

template <class Operation>
long ModelGrapher::EditGraph(CGraph* handle, Operation operation) {
    return ReadGraph(handle, [&](Graph& graph) {
        long result = operation(graph);
        if (SUCCEEDED(result)) {
            graph.dirty = true;
            ++graph.revision;
        }
        return result;
    });
}

template <class Operation>
long ModelGrapher::ReadTrace(CGraph* handle, long trace, Operation operation) {
    return ReadGraph(handle, [&](Graph& graph) {
        return graph.HasTrace(trace) ? operation(graph, graph.traces[static_cast<std::size_t>(trace)]) : E_INVALIDARG;
    });
}

template <class Operation>
long ModelGrapher::EditTrace(CGraph* handle, long trace, Operation operation) {
    return EditGraph(handle, [&](Graph& graph) {
        return graph.HasTrace(trace) ? operation(graph.traces[static_cast<std::size_t>(trace)]) : E_INVALIDARG;
    });
}

template <class Operation>
long ModelGrapher::EditAxis(CGraph* handle, long position, Operation operation) {
    return EditGraph(handle, [&](Graph& graph) {
        return position >= 0 && position < 4 ? operation(graph.axes[static_cast<std::size_t>(position)]) : E_INVALIDARG;
    });
}

template <class Operation>
long ModelGrapher::EditAxisAt(CGraph* handle, int index, int vertical, Operation operation) {
    return EditAxis(handle, PositionAt(index, vertical), operation);
}

template <class Operation>
long ModelGrapher::EditTable(CChart* handle, Operation operation) {
    Table* table = store_.FindTable(handle);
    if (table == nullptr) return E_HANDLE;
    long result = operation(*table);
    if (SUCCEEDED(result)) {
        table->dirty = true;
        ++table->revision;
    }
    return result;
}

}  // namespace plotmodel
