#include <gtest/gtest.h>

#include "plotter/recording_module.h"
#include "veltutil/grapher/grapher_page.h"
#include "veltutil/grapher/grapher_source.h"

namespace {

// A source bound to the recording module's root object.
struct GrapherSourceOnModule : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(module.Loaded());
        source.SetGrapher(module.Root());
    }

    RecordingModule module;
    CGrapherSource source;
};

}  // namespace

TEST(GrapherSource, WithoutRootObjectNothingReachesTheModule) {
    CGrapherSource source("plots");
    CGrapherPage page;
    int shown = -1;
    EXPECT_EQ(source.Create(4, page), E_FAIL);
    EXPECT_EQ(source.GetShown(&shown), E_FAIL);
    EXPECT_EQ(source.Delete(page), E_FAIL);
    EXPECT_EQ(source.Close(), S_OK);
    EXPECT_EQ(shown, -1);
    EXPECT_EQ(page.GetGrapher(), nullptr);
}

TEST_F(GrapherSourceOnModule, OpensPagesWithItsFontAndPassesModuleResultsThrough) {
    PlotterRecording& recording = module.Recording();
    source.SetCurrentFont(10, -1, nullptr);  // the defaults fill in: 16 and "System"

    CGrapherPage page;
    EXPECT_EQ(source.Create(4, page), S_OK);
    EXPECT_EQ(page.GetFont().second, 16);
    EXPECT_EQ(recording.CallsOf(1).at(0).arguments, (std::vector<std::string>{"4", "null"}));

    // Identifier 3 never touches the page object, whatever the module answers.
    CGrapherPage untouched;
    recording.results[1] = 9;
    EXPECT_EQ(source.Create(3, untouched), 9);
    EXPECT_EQ(untouched.GetGrapher(), nullptr);

    // A failed create still attaches the page, with the null handle the module left.
    CGrapherPage failed;
    failed.SetCurrentFont(1, 2, "Old");
    EXPECT_EQ(source.Create(4, failed), 9);
    EXPECT_EQ(failed.GetGrapher(), module.Root());
    EXPECT_EQ(failed.IsOpened(), 0);
    EXPECT_EQ(failed.GetFont().faceName, "System");

    EXPECT_EQ(source.Show(2), S_OK);
    EXPECT_EQ(source.Show(0), S_OK);
    recording.results[6] = 42;
    EXPECT_EQ(source.Delete(page), 42);
    EXPECT_EQ(page.IsOpened(), 1);  // the caller's page keeps its handle and open flag
    EXPECT_EQ(recording.CallsOf(94).at(0).arguments, std::vector<std::string>{"5"});
    EXPECT_EQ(recording.CallsOf(94).at(1).arguments, std::vector<std::string>{"0"});
    page.CloseNow();
}

TEST_F(GrapherSourceOnModule, NothingIsSentForAPageAfterItsDelete) {
    PlotterRecording& recording = module.Recording();
    {
        CGrapherPage page;
        ASSERT_EQ(source.Create(4, page), S_OK);
        CGrapherPage copy(page);
        recording.calls.clear();
        EXPECT_EQ(source.Delete(page), S_OK);
        EXPECT_EQ(page.IsOpened(), 1);  // the caller's page keeps its handle and open flag
        EXPECT_NE(static_cast<CGraphPage*>(page), nullptr);
        EXPECT_EQ(page.Close(), S_OK);
        EXPECT_EQ(page.IsOpened(), 0);
        EXPECT_EQ(copy.SetTitle("gone"), E_FAIL);
        EXPECT_EQ(source.Delete(copy), E_FAIL);
    }  // page and copy are destroyed here
    ASSERT_EQ(recording.calls.size(), 1u);
    EXPECT_EQ(recording.calls[0].slot, 6);

    // The next page the source opens is live as before.
    CGrapherPage next;
    ASSERT_EQ(source.Create(4, next), S_OK);
    EXPECT_EQ(next.SetTitle("new"), S_OK);
    EXPECT_EQ(next.CloseNow(), S_OK);
    EXPECT_EQ(recording.CallsOf(3).size(), 1u);
}
