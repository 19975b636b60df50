#include <QApplication>
#include <QContextMenuEvent>

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
    void AskForGraphMenu() {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4), QPoint(4, 4));
        QApplication::sendEvent(WindowOf(page)->GraphWidgetOf(SerialOf(graph)), &event);
    }
    const CMenu& LastMenu() const { return *menus.Requests().back().menu; }

    TempDir dir;
    ScriptedPopupMenus menus;
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes messages;
    CGraphPage* page = nullptr;
    CGraph* graph = nullptr;
};

TEST_F(LiveExports, AGraphsMenuWritesItsPicture) {
    menus.Answer(1);
    dialogs.Choose((dir / "trace.png").c_str());
    AskForGraphMenu();
    ASSERT_EQ(menus.Requests().size(), 1u);
    EXPECT_EQ(LastMenu().GetMenuItemCount(), 2);
    EXPECT_TRUE(isPng(dir / "trace.png"));
    EXPECT_TRUE(messages.Requests().empty());

    // A picture that cannot be written is reported.
    menus.Answer(1);
    dialogs.Choose((dir / "no-such-folder/trace.png").c_str());
    AskForGraphMenu();
    EXPECT_EQ(messages.Requests().size(), 1u);
}

TEST_F(LiveExports, APagesMenuWritesItsFilesIntoTheChosenFolder) {
    menus.Answer(2);
    dialogs.Choose((dir / "export").c_str());
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
    QApplication::sendEvent(WindowOf(page), &event);
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
    AskForGraphMenu();
    EXPECT_EQ(LastMenu().GetMenuItemCount(), 1);
}

TEST_F(LiveExports, TheClientMayDeleteThePageWhileItsMenuIsUp) {
    // The client runs in the menu's loop; the window whose event opened the menu stays until
    // the menu has closed, and the export then finds no graph to draw.
    PopupMenuService previous = SetPopupMenuService([&](const PopupMenuRequest&) {
        grapher.DeletePage(page);
        return 1u;
    });
    dialogs.Choose((dir / "gone.png").c_str());
    AskForGraphMenu();
    SetPopupMenuService(previous);
    EXPECT_EQ(WindowOf(page), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir / "gone.png"));
    EXPECT_EQ(messages.Requests().size(), 1u);
}

}  // namespace
