#pragma once

#include <QEvent>
#include <QWidget>

#include "veltutil/platform/host/win_types.h"

namespace veltface {

// Hands what a person types on a control's widget to the control as posted input: keys the host
// knows (Tab, which the dialog takes, among them) and characters, and the text an input method
// commits. TRUE when the event was posted, so that the widget must not act on it itself.
bool PostControlInput(HWND hwnd, QEvent* event);

// A Qt widget showing a control: what a person types goes to the control, not into the widget,
// which changes only when the control does. `swallowKeys` keeps every key press from the widget,
// for widgets whose own key handling would change what they show (an entry's text).
template <typename Base>
class ControlWidget : public Base {
public:
    ControlWidget(HWND hwnd, QWidget* parent, bool swallowKeys = false)
        : Base(parent), hwnd_(hwnd), swallowKeys_(swallowKeys) {}

    HWND Handle() const { return hwnd_; }

protected:
    bool event(QEvent* event) override {
        if (PostControlInput(hwnd_, event)) return true;
        if (swallowKeys_ && event->type() == QEvent::KeyPress) return true;
        return Base::event(event);
    }

private:
    HWND hwnd_;
    bool swallowKeys_;
};

}  // namespace veltface
