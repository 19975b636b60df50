#include <gtest/gtest.h>

#include <cstdlib>

#include "veltutil/platform/host/face/face.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

// The choice is made once per process, so each case runs in a process of its own.
class FaceChoice : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

bool headlessWindowWorks() {
    CWnd wnd;
    return wnd.Create("Window", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr) && !VeltFaceActive();
}

TEST_F(FaceChoice, AFaceThatCannotLoadSaysWhyAndTheWindowsStayHeadless) {
    EXPECT_EXIT(
        {
            bool on = VeltSelectFace("missing");
            std::exit(!on && headlessWindowWorks() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "missing face is off.*cannot load veltface_missing");
    EXPECT_EXIT(
        {
            ::setenv("VELT_FACE", "missing", 1);
            std::exit(headlessWindowWorks() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "cannot load veltface_missing");
}

TEST_F(FaceChoice, TheFirstWindowFixesTheChoice) {
    EXPECT_EXIT(
        {
            ::unsetenv("VELT_FACE");
            bool headless = headlessWindowWorks();
            std::exit(headless && !VeltSelectFace("missing") && VeltSelectFace(nullptr) == FALSE ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "^$");
}

}  // namespace
