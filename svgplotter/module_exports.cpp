// The module's exports: the root object, and the choice of the folder that its files go to.
#include "plotmodel/model_grapher.h"

#define GRAPHER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

plotmodel::ModelGrapher& root() {
    static plotmodel::ModelGrapher grapher;
    return grapher;
}

}  // namespace

GRAPHER_EXPORT CGrapher* GrapherCreate(int argument) { return argument == 0 ? &root() : nullptr; }

// The folder for the module's files; null or "" brings back the default (page_output.h).
// An application finds it with GetProcAddress(module, "GrapherSetOutputDirectory").
GRAPHER_EXPORT long GrapherSetOutputDirectory(const char* directory) {
    root().SetOutputDirectory(directory != nullptr ? directory : "");
    return S_OK;
}
