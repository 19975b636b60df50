#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/grapher/grapher_fixture.h"

using Lines = std::vector<std::string>;

TEST_F(GrapherFixture, PageClosesOnlyWhenTheModuleAgreesAndCloseNowThenForgetsTheHandle) {
    CGrapherPage detached;
    EXPECT_EQ(detached.SetTitle("t"), E_FAIL);  // no root object: nothing is called
    EXPECT_EQ(detached.Close(), S_OK);

    // A close the module refuses keeps the page open and its handle, even through CloseNow.
    CGraphPage* handle = page;
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
    EXPECT_EQ(CallsTo("ClosePage"), (Lines{"ClosePage page", "ClosePage page", "ClosePage page"}));
}

TEST_F(GrapherFixture, PageSendsItsFontOnlyWithTheTitleFontAndTheWindowBeforeItself) {
    EXPECT_EQ(page.SetCurrentFont(10, -1, nullptr), S_OK);
    page.SetPageTitleFont();
    page.SetCurrentFont(12, 20, "Serif");
    page.AttachRightClickGrapherMsg(nullptr);
    EXPECT_EQ(Calls(), (Lines{"SetPageTitleFont page, 10, 16, System", "AttachRightClickGrapherMsg null, page"}));
}
