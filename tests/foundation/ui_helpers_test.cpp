#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "veltutil/foundation/ui_helpers.h"
#include "veltutil/platform/host/cursor.h"
#include "veltutil/platform/host/menu.h"
#include "veltutil/platform/host/message_box.h"
#include "veltutil/platform/host/system_metrics.h"

TEST(ProgrammerError, ShowsAnExclamationBoxAndAsksToQuitOnlyWhenTold) {
    ScriptedMessageBoxes boxes;
    ProgrammerError("bad state", 0);
    boxes.Answer(IDYES);
    ProgrammerError("bad state", 1);
    ASSERT_EQ(boxes.Requests().size(), 2u);
    EXPECT_EQ(boxes.Requests()[0].caption, "Internal Error");
    EXPECT_EQ(boxes.Requests()[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes.Requests()[1].text, "bad state\nDo you wish to quit? (YES=break, NO=continue with fail)");
    EXPECT_EQ(boxes.Requests()[1].type, MB_YESNO | MB_ICONEXCLAMATION);
}

TEST(MainDir, IsTheExecutablesDirectoryWithATrailingSeparator) {
    EXPECT_EQ(MainDir(), std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/");
}

TEST(IsLargeSize, ComparesTheRoundedPointSizeOfTheIconTitleFontWithSix) {
    LOGFONT saved;
    SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof saved, &saved, 0);
    EXPECT_EQ(IsLargeSize(), 0);  // 9 points by default
    LOGFONT font = saved;
    font.lfHeight = -7;  // 5.25 points at 96 dpi
    SetIconTitleLogFont(font);
    EXPECT_EQ(IsLargeSize(), 1);
    SetScreenPixelsPerInch(0);  // a broken screen must not divide by zero
    EXPECT_EQ(IsLargeSize(), 0);
    SetScreenPixelsPerInch(96);
    SetIconTitleLogFont(saved);
}

TEST(PopupRightButtonMenu, TracksTheFirstSubmenuAtTheCursor) {
    ScriptedPopupMenus popups;
    CMenu bar;
    CMenu& first = bar.AppendSubMenu("Edit");
    bar.AppendSubMenu("View");
    SetCursorPos(40, 70);
    EXPECT_NE(PopupRightButtonMenu(bar), 0);
    ASSERT_EQ(popups.Requests().size(), 1u);
    const PopupMenuRequest& request = popups.Requests()[0];
    EXPECT_EQ(request.menu, &first);
    EXPECT_EQ(request.flags, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
    EXPECT_EQ(std::make_pair(request.x, request.y), std::make_pair(40, 70));

    CMenu flat;
    flat.AppendMenu(MF_STRING, 5, "Only");
    EXPECT_EQ(PopupRightButtonMenu(flat), 0);
}
