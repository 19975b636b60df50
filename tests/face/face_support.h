#pragma once

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/support/message_pump.h"
#include "tests/support/temp_dir.h"
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
        // Qt's dialogs keep their settings (the file dialog its last folder) in the user's
        // configuration: each run gets its own, so that runs side by side neither share nor
        // leave any.
        config_ = std::make_unique<TempDir>();
        ::setenv("XDG_CONFIG_HOME", (*config_ / "").c_str(), 1);
        ASSERT_TRUE(VeltSelectFace("qt")) << "the Qt face did not load";
    }
    void TearDown() override { config_.reset(); }

private:
    std::unique_ptr<TempDir> config_;
};

}  // namespace velttest
