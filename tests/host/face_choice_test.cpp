#include <gtest/gtest.h>

#include <cstdlib>

#include "veltutil/platform/host/face/face.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace {

bool headlessWindowWorks() {
    CWnd wnd;
    return wnd.Create("Window", WS_CAPTION | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr) && !VeltFaceActive();
}

// The choice is made once per process, so each case runs in a process of its own.
TEST(FaceChoice, AFaceThatCannotLoadSaysWhyAndTheFirstWindowFixesTheChoice) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(!VeltSelectFace("missing") && headlessWindowWorks() ? 0 : 1), ::testing::ExitedWithCode(0),
                "missing face is off.*cannot load veltface_missing");
    EXPECT_EXIT(
        {
            ::setenv("VELT_FACE", "missing", 1);
            std::exit(headlessWindowWorks() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "cannot load veltface_missing");
    EXPECT_EXIT(
        {
            ::unsetenv("VELT_FACE");
            std::exit(headlessWindowWorks() && !VeltSelectFace("missing") ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "^$");
}

}  // namespace
