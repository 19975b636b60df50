#pragma once

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/message_pump.h"
#include "veltutil/platform/host/face/face.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace velttest {

// The widget that shows `wnd`, or null.
inline QWidget* WidgetOf(const CWnd& wnd) {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->property("veltHwnd").value<quintptr>() == reinterpret_cast<quintptr>(wnd.GetSafeHwnd())) return widget;
    }
    return nullptr;
}

// Every check of the folder runs with the Qt face on, chosen on the main thread before any
// window, as a program chooses it.
class QtFaceEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // No X server is needed unless a platform was chosen.
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        ASSERT_TRUE(VeltSelectFace("qt")) << "the Qt face did not load";
    }
};

}  // namespace velttest
