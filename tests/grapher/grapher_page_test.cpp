#include <gtest/gtest.h>

#include "plotter/recording_module.h"
#include "veltutil/grapher/grapher_page.h"

namespace {

// A page that the recording module opened.
struct GrapherPageTest : ::testing::Test {
    GrapherPageTest() {
        EXPECT_TRUE(module.Loaded());
        root = module.Root();
        root->CreatePage(4, &handle);
    }

    RecordingModule module;
    PlotterRecording& recording = module.Recording();
    CGrapher* root = nullptr;
    CGraphPage* handle = nullptr;
};

}  // namespace

TEST_F(GrapherPageTest, ForwardsToTheModuleWithItsHandleAndTracksOpenState) {
    CGrapherPage page;
    EXPECT_EQ(page.SetTitle("t"), E_FAIL);  // no root object: nothing is called
    EXPECT_EQ(page.Close(), S_OK);
    page.SetPage(root, handle);

    // A close the module refuses keeps the page open and its handle, even through CloseNow.
    recording.results[3] = 5;
    EXPECT_EQ(page.CloseNow(), 5);
    EXPECT_EQ(page.IsOpened(), 1);
    EXPECT_EQ(static_cast<CGraphPage*>(page), handle);
    recording.results.erase(3);
    EXPECT_EQ(page.Close(), S_OK);
    EXPECT_EQ(page.IsOpened(), 0);
    EXPECT_EQ(static_cast<CGraphPage*>(page), handle);  // Close keeps the handle
    EXPECT_EQ(page.CloseNow(), S_OK);
    EXPECT_EQ(static_cast<CGraphPage*>(page), nullptr);
    EXPECT_EQ(recording.CallsOf(3).size(), 3u);
}

TEST_F(GrapherPageTest, FontRuleAndArgumentOrder) {
    CGrapherPage page;
    page.SetPage(root, handle);
    recording.calls.clear();

    EXPECT_EQ(page.SetCurrentFont(10, -1, nullptr), S_OK);
    page.SetPageTitleFont();
    page.SetCurrentFont(12, 20, "Arial");
    page.SetPageTitleFont();
    page.AttachRightClickGrapherMsg(nullptr);
    ASSERT_EQ(recording.calls.size(), 3u);  // setting the font sends nothing
    EXPECT_EQ(recording.calls[0].arguments, (std::vector<std::string>{recording.calls[0].arguments[0], "10", "16", "System"}));
    EXPECT_EQ(recording.calls[2].operation, "AttachRightClickGrapherMsg");
    EXPECT_EQ(recording.calls[2].arguments[0], "null");  // the window first, the page second
    EXPECT_EQ(recording.calls[2].arguments[1], recording.calls[0].arguments[0]);
    page.CloseNow();
}
