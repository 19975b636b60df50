#pragma once

#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/win_types.h"

namespace veltutil::detail {

// Runs one operation on the plotting module's root object; without a root object nothing is
// called and the answer is E_FAIL. The module's own answers pass through unchanged.
template <class Operation>
long CallModule(CGrapher* root, Operation operation) {
    return root != nullptr ? operation(*root) : E_FAIL;
}

// The same for the common shape: an operation on one page, graph or table, its handle first.
//   ForwardTo(root, &CGrapher::SetGraphTitle, graph, "Bode") -> root->SetGraphTitle(graph, "Bode")
template <class Handle, class... Params, class... Args>
long ForwardTo(CGrapher* root, long (CGrapher::*operation)(Handle*, Params...), Handle* handle, Args&&... args) {
    return root != nullptr ? (root->*operation)(handle, static_cast<Args&&>(args)...) : E_FAIL;
}

}  // namespace veltutil::detail
