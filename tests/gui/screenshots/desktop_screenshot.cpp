// Draws the desktop in the middle of a run, off screen, into docs/images/desktop.png: the main
// window with the deck and the run's progress, and beside it every other window the session
// shows (the command line and log window, plots, the oscilloscope's panel).
// Usage: velt_desktop_screenshot SOURCE_DIR OUTPUT.png
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "desktop.h"

namespace {

// The RC low-pass sample long enough (1,000,008 steps) to be caught half way.
std::string longDeck(const std::string& source, const std::string& folder) {
    std::ifstream sample(source + "/samples/rc_lowpass.cir");
    const std::string path = folder + "/rc_lowpass.cir";
    std::ofstream deck(path);
    for (std::string line; std::getline(sample, line);) deck << (line.rfind(".tran", 0) == 0 ? ".tran 10n 10m 0 10n" : line) << "\n";
    return path;
}

void click(QWidget& widget, QPointF at, Qt::KeyboardModifiers modifiers) {
    QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, modifiers);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
}

// Both cursors on the run's own page, as a person places them: a click and a Ctrl+click.
void placeCursors() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (std::string(widget->metaObject()->className()) != "livegrapher::GraphWidget") continue;
        if (widget->window()->windowTitle() != "tran1") continue;
        click(*widget, QPointF(widget->width() * 0.4, widget->height() * 0.5), Qt::NoModifier);
        click(*widget, QPointF(widget->width() * 0.7, widget->height() * 0.5), Qt::ControlModifier);
    }
}

// The main window on the left, the other windows of the session stacked on its right.
QPixmap composed(QWidget& main) {
    std::vector<QPixmap> others;
    int width = 0;
    int height = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget == &main || !widget->isVisible() || widget->width() < 50) continue;
        others.push_back(widget->grab());
        width = std::max(width, static_cast<int>(others.back().width()));
        height += others.back().height() + 8;
    }
    const QPixmap left = main.grab();
    QPixmap picture(left.width() + 8 + width, std::max(left.height(), height));
    picture.fill(QColor(200, 200, 200));
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, left);
    int y = 0;
    for (const QPixmap& other : others) {
        painter.drawPixmap(left.width() + 8, y, other);
        y += other.height() + 8;
    }
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: velt_desktop_screenshot SOURCE_DIR OUTPUT.png\n", stderr);
        return 2;
    }
    const std::string source = argv[1];
    const std::string output = argv[2];
    const std::filesystem::path work = std::filesystem::temp_directory_path() / ("veltsim-desktop-" + std::to_string(::getpid()));
    std::filesystem::create_directories(work);
    ::setenv("XDG_CONFIG_HOME", work.c_str(), 1);
    ::setenv("VELTSIM_ENGINE", VELTSIM_ENGINE_PROGRAM, 0);
    if (!VeltSelectFace("qt")) return 1;
    veltsim::SessionOptions options;
    options.plots = (work / "plots").string();
    options.script = veltsim::ScriptLines("load " + longDeck(source, work.string()) +
                                          "; probe out; new XSC1; setnode XSC1 1 out; setnode XSC1 2 in; show XSC1; run &");
    bool saved = false;
    {
        veltsim::gui::Desktop desktop(std::move(options), VELTSIM_PROGRAM);
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (saved || desktop.Window().Status().Progress().value() < 400) return;
            placeCursors();
            saved = composed(desktop.Window()).save(QString::fromStdString(output));
            std::printf("%s\n", output.c_str());
            PostTypedText(*desktop.GetSession().Log().GetDialog()->GetCommandEntry(), "quit\r");
        });
        look.start(20);
        desktop.Execute();
    }
    std::error_code ignored;
    std::filesystem::remove_all(work, ignored);
    return saved ? 0 : 1;
}
