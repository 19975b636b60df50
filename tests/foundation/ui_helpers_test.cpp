#include <gtest/gtest.h>

#include "tests/support/scripted_services.h"
#include "veltutil/foundation/ui_helpers.h"
#include "veltutil/platform/host/windows/message_box.h"

TEST(ProgrammerError, ShowsAnExclamationBoxAndAsksToQuitOnlyWhenTold) {
    ScriptedMessageBoxes boxes;
    ProgrammerError("bad state", 0);
    boxes.Answer(IDYES);
    ProgrammerError("bad state", 1);
    ASSERT_EQ(boxes.Requests().size(), 2u);
    EXPECT_EQ(boxes.Requests()[0].type, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_EQ(boxes.Requests()[1].type, MB_YESNO | MB_ICONEXCLAMATION);
}
