#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/scripted_services.h"
#include "../support/temp_dir.h"
#include "livegrapher/page_export.h"
#include "live_support.h"

namespace {

using velttest::LivePages;

bool isPng(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    return std::string(magic + 1, 3) == "PNG";
}

class LiveExports : public LivePages {
protected:
    void SetUp() override {
        LivePages::SetUp();
        page = NewPage("Exported");
        graph = NewGraph(page, 2);
        ASSERT_EQ(Append(graph, 1), S_OK);
        ASSERT_EQ(grapher.Show(1), S_OK);
    }
    // A right click in the plot opens the graph's menu; its export entries, by their texts.
    QStringList OpenGraphMenu() {
        livegrapher::GraphWidget* widget = WindowOf(page)->GraphWidgetOf(SerialOf(graph));
        const plotmodel::GraphView& view = widget->View();
        QPoint inside((view.left + view.right) / 2, (view.top + view.bottom) / 2);
        QTest::mouseClick(widget, Qt::RightButton, {}, inside);
        QStringList texts;
        if (widget->OpenMenu() == nullptr) return texts;
        for (QAction* action : widget->OpenMenu()->actions()) {
            if (action->text().startsWith("Export")) texts << action->text();
        }
        return texts;
    }
    // Chooses a graph's menu entry and lets the dialog it asks for come up.
    void ChooseFromGraphMenu(const QString& text) {
        ASSERT_TRUE(OpenGraphMenu().contains(text));
        QMenu* menu = WindowOf(page)->GraphWidgetOf(SerialOf(graph))->OpenMenu();
        for (QAction* action : menu->actions()) {
            if (action->text() == text) action->trigger();
        }
        menu->close();
        QApplication::processEvents();
    }

    TempDir dir;
    ScriptedPopupMenus menus;
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes messages;
    CGraphPage* page = nullptr;
    CGraph* graph = nullptr;
};

TEST_F(LiveExports, AGraphsMenuWritesItsPictureOrItsPage) {
    dialogs.Choose((dir / "trace.png").c_str());
    ChooseFromGraphMenu("Export PNG...");
    EXPECT_TRUE(isPng(dir / "trace.png"));
    EXPECT_TRUE(messages.Requests().empty());

    dialogs.Choose((dir / "export").c_str());
    ChooseFromGraphMenu("Export page as SVG/HTML/CSV...");
    EXPECT_TRUE(std::filesystem::exists(dir / ("export/" + plotmodel::PageOutput::PageFile(SerialOf(page)))));

    // A picture that cannot be written is reported.
    dialogs.Choose((dir / "no-such-folder/trace.png").c_str());
    ChooseFromGraphMenu("Export PNG...");
    EXPECT_EQ(messages.Requests().size(), 1u);
}

TEST_F(LiveExports, APagesMenuWritesItsFilesIntoTheChosenFolder) {
    menus.Answer(1);
    dialogs.Choose((dir / "export").c_str());
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
    QApplication::sendEvent(WindowOf(page), &event);
    ASSERT_EQ(menus.Requests().size(), 1u);
    std::string stem = dir / ("export/" + plotmodel::PageOutput::GraphStem(SerialOf(page), SerialOf(graph)));
    EXPECT_TRUE(std::filesystem::exists(dir / ("export/" + plotmodel::PageOutput::PageFile(SerialOf(page)))));
    EXPECT_TRUE(std::filesystem::exists(stem + ".svg"));
    EXPECT_TRUE(std::filesystem::exists(stem + ".csv"));
}

TEST_F(LiveExports, APageIsExportedWholeEvenIntoTheFolderOfTheFiles) {
    std::string folder = dir / "files";
    ::setenv("VELT_GRAPHER_OUTPUT", folder.c_str(), 1);
    std::string svg = folder + "/" + plotmodel::PageOutput::GraphStem(SerialOf(page), SerialOf(graph)) + ".svg";
    EXPECT_EQ(livegrapher::ExportPageFiles(grapher.Store(), SerialOf(page), folder), S_OK);
    std::filesystem::remove(svg);
    EXPECT_EQ(livegrapher::ExportPageFiles(grapher.Store(), SerialOf(page), folder), S_OK);
    ::unsetenv("VELT_GRAPHER_OUTPUT");
    EXPECT_TRUE(std::filesystem::exists(svg));
}

TEST_F(LiveExports, AClosedPageOffersItsGraphsPicturesOnly) {
    ASSERT_EQ(grapher.ClosePage(page), S_OK);
    EXPECT_EQ(OpenGraphMenu(), QStringList{"Export PNG..."});
}

TEST_F(LiveExports, TheClientMayDeleteThePageWhileTheExportsDialogIsUp) {
    // The client runs in the dialog's loop; the window stays until the dialog has closed, and
    // the export then finds no graph to draw.
    FileDialogService previous = SetFileDialogService([&](const FileDialogRequest&) {
        grapher.DeletePage(page);
        return FileDialogAnswer{IDOK, CString(std::string(dir / "gone.png"))};
    });
    ChooseFromGraphMenu("Export PNG...");
    SetFileDialogService(previous);
    EXPECT_EQ(WindowOf(page), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.png"));
    EXPECT_EQ(messages.Requests().size(), 1u);
}

}  // namespace
