#include <QApplication>

#include <cstdlib>

#include "face/qt/display_check.h"
#include "face/qt/face_services.h"
#include "face/qt/qt_face.h"

namespace veltface {

namespace {

QtFace* face = nullptr;

}  // namespace

QtFace& TheFace() { return *face; }

}  // namespace veltface

extern "C" __attribute__((visibility("default"))) veltutil::detail::Face* VeltCreateFace(CString* error) {
    using veltface::face;
    if (face) return face;
    if (QCoreApplication::instance() && !qobject_cast<QApplication*>(QCoreApplication::instance())) {
        *error = "the program runs a Qt application without widgets";
        return nullptr;
    }
    if (!QCoreApplication::instance()) {
        QString problem = veltface::DisplayProblem();
        if (!problem.isEmpty()) {
            *error = problem.toUtf8().constData();
            return nullptr;
        }
        // Qt keeps argc by reference; the application, as the face, lives as long as the process.
        static int argc = 1;
        static char name[] = "veltutil";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    face = new veltface::QtFace;
    // Runs before the destructors of Qt's statics, which were registered while Qt started.
    std::atexit([] { face->LetGo(); });
    veltface::InstallServices();
    return face;
}
