// Writes pictures of the log window and of a colour list, drawn by the Qt face off screen, into
// the folder named on the command line.
#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/colour_list_window.h"
#include "tests/support/message_pump.h"
#include "tests/support/recording_snap_in.h"
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/platform/host/face/face.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace {

QWidget* widgetOf(const CWnd& wnd) {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->property("veltHwnd").value<quintptr>() == reinterpret_cast<quintptr>(wnd.GetSafeHwnd())) return widget;
    }
    return nullptr;
}

bool save(const CWnd& wnd, const std::string& path) {
    QWidget* widget = widgetOf(wnd);
    if (!widget || !widget->grab().save(QString::fromStdString(path))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

bool logWindow(const std::string& folder) {
    CCmdLog log("命令行/日志", nullptr);
    log.Initialize(nullptr);
    velttest::RecordingSnapIn snapIn("Simulator");
    log.AttachSnapIn(&snapIn);
    _TREEITEM* run = log.InsertItem("瞬态分析 (transient analysis)", TVI_ROOT);
    log.InsertItem("step 1e-9 s, stop 1e-6 s", run);
    _TREEITEM* warnings = log.InsertItem("2 warnings", run);
    log.InsertItem("node 7: no DC path to ground", warnings);
    log.InsertItem("R3: value 0 raised to 1e-3", warnings);
    log.InsertItem("analysis done in 0.42 s", run);
    _TREEITEM* shown = log.InsertItem("show XSC1", TVI_ROOT);
    log.GetDialog()->GetTree()->Expand(run, TVE_EXPAND);
    log.GetDialog()->GetTree()->Expand(warnings, TVE_EXPAND);
    log.GetDialog()->GetTree()->SelectItem(shown);
    log.Show(1);
    PostTypedText(*log.GetDialog()->GetCommandEntry(), "print V(out)");
    velttest::PumpPosted();
    return save(*log.GetDialog(), folder + "/log_window.png");
}

bool colourList(const std::string& folder) {
    velttest::ColourListWindow shown(10000, 360, 300);
    return save(shown.window, folder + "/colour_list.png");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!VeltSelectFace("qt")) {
        std::fprintf(stderr, "the Qt face did not load\n");
        return 1;
    }
    bool written = logWindow(argv[1]);
    written = colourList(argv[1]) && written;
    return written ? 0 : 1;
}
