#pragma once

#include <memory>

#include "face/qt/window_mirror.h"

namespace veltface {

// Makes the mirror of a window it knows (a button, an edit, a tree...) as a child of `parent`;
// null for a window of another kind. Factories accept disjoint kinds, so their order does not
// matter.
using MirrorFactory = std::unique_ptr<WindowMirror> (*)(CWnd& wnd, QWidget* parent);

// A static object of this type in a control's mirror file registers its factory when the
// module loads.
class MirrorRegistration {
public:
    explicit MirrorRegistration(MirrorFactory factory);
};

// The mirror the first accepting factory makes; null when none accepts.
std::unique_ptr<WindowMirror> MakeControlMirror(CWnd& wnd, QWidget* parent);

}  // namespace veltface
