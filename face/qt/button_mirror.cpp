#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "face/qt/control_widget.h"
#include "face/qt/mirror_registry.h"
#include "veltutil/platform/host/windows/button.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace veltface {

namespace {

// A check or radio button whose check mark only the control sets: a person's click is posted,
// and the mark follows when the control has handled it.
template <typename Base>
class MarkButton final : public ControlWidget<Base> {
public:
    using ControlWidget<Base>::ControlWidget;

protected:
    void nextCheckState() override {}
};

class ButtonMirror final : public WindowMirror {
public:
    ButtonMirror(CButton& button, QAbstractButton* widget) : WindowMirror(button, widget), widget_(widget) {
        HWND hwnd = button.GetSafeHwnd();
        QObject::connect(widget, &QAbstractButton::clicked, [hwnd] {
            if (CWnd* wnd = CWnd::FromHandle(hwnd)) PostClick(*wnd);
        });
        widget->setAutoExclusive(false);
        widget->setCheckable(!qobject_cast<QPushButton*>(widget));
        if (auto* push = qobject_cast<QPushButton*>(widget)) {
            push->setDefault((button.GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        }
        Sync(button, WindowChange::Content);
    }

    void Sync(CWnd& wnd, WindowChange change) override {
        WindowMirror::Sync(wnd, change);
        if (!Widget()) return;
        QSignalBlocker quiet(widget_);
        if (change == WindowChange::Text) widget_->setText(QString::fromUtf8(wnd.GetWindowText().GetString()));
        if (change == WindowChange::Content && widget_->isCheckable()) {
            widget_->setChecked(static_cast<CButton&>(wnd).GetCheck() == BST_CHECKED);
        }
    }

private:
    QAbstractButton* widget_;
};

QAbstractButton* makeButtonWidget(const CButton& button, QWidget* parent) {
    HWND hwnd = button.GetSafeHwnd();
    switch (button.GetStyle() & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX: return new MarkButton<QCheckBox>(hwnd, parent);
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return new MarkButton<QRadioButton>(hwnd, parent);
    default: return new ControlWidget<QPushButton>(hwnd, parent);
    }
}

std::unique_ptr<WindowMirror> makeButtonMirror(CWnd& wnd, QWidget* parent) {
    auto* button = dynamic_cast<CButton*>(&wnd);
    if (!button || !parent) return nullptr;
    return std::make_unique<ButtonMirror>(*button, makeButtonWidget(*button, parent));
}

const MirrorRegistration registration(makeButtonMirror);

}  // namespace

}  // namespace veltface
