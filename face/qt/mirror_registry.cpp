#include "face/qt/mirror_registry.h"

#include <vector>

namespace veltface {

namespace {

std::vector<MirrorFactory>& factories() {
    // Filled by static registrations, which may run before anything else in the module.
    static std::vector<MirrorFactory> list;
    return list;
}

}  // namespace

MirrorRegistration::MirrorRegistration(MirrorFactory factory) { factories().push_back(factory); }

std::unique_ptr<WindowMirror> MakeControlMirror(CWnd& wnd, QWidget* parent) {
    for (MirrorFactory factory : factories()) {
        if (auto mirror = factory(wnd, parent)) return mirror;
    }
    return nullptr;
}

}  // namespace veltface
