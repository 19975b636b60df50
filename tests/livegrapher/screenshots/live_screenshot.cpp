// Writes a picture of a live page, two traces with both cursors placed, drawn off screen by the
// live plotting module, into the folder named on the command line.
#include <QApplication>
#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/message_pump.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/modules/module.h"

namespace {

constexpr const char* kTitle = "Transient: V(out) and V(in)";

CGrapher* liveRoot() {
    HMODULE module = LoadLibrary(VELT_LIVE_MODULE);
    auto create = module != nullptr ? reinterpret_cast<GRAPHERCREATEPROC>(GetProcAddress(module, "GrapherCreate")) : nullptr;
    return create != nullptr ? create(0) : nullptr;
}

void drawPage(CGrapher& root) {
    CGraphPage* page = nullptr;
    root.CreatePage(1, &page);
    root.SetPageTitle(page, kTitle);
    root.SetPageWndPos(page, nullptr, nullptr, 0, 0, 720, 420, 0);
    CGraph* graph = nullptr;
    root.CreateGraph(page, 1, &graph);
    root.SetGraphTitle(graph, "RC low-pass, 1 kHz square wave");
    root.SetAxisLabel(graph, AXIS_POSITION_0, "time (s)");
    root.SetAxisLabel(graph, AXIS_POSITION_3, "voltage (V)");
    root.AddTrace(graph);
    root.AddTrace(graph);
    root.SetTraceLabel(graph, 0, "V(in)");
    root.SetTraceLabel(graph, 1, "V(out)");
    double out = 0;
    for (int k = 0; k <= 2000; ++k) {
        double t = k * 1e-6;
        double in = std::fmod(t, 1e-3) < 0.5e-3 ? 1.0 : 0.0;
        out += (in - out) * (1e-6 / 1.5e-4);
        double values[] = {t, in, out};
        root.AddData(graph, 0, values, 2, 0, 1);
    }
    root.SetCrosshairPosition(graph, 0, 1, 0.4e-3, 0);
    root.SetCrosshairPosition(graph, 1, 1, 1.3e-3, 0);
    root.ShowOneCrosshair(graph, 0, 1);
    root.ShowOneCrosshair(graph, 1, 1);
    root.Show(1);
    velttest::PumpPosted();
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CGrapher* root = liveRoot();
    if (root == nullptr) {
        std::fprintf(stderr, "the live plotting module did not load\n");
        return 1;
    }
    drawPage(*root);
    std::string path = std::string(argv[1]) + "/live_plot.png";
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == kTitle && window->grab().save(QString::fromStdString(path))) {
            std::printf("%s\n", path.c_str());
            return 0;
        }
    }
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return 1;
}
