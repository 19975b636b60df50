#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "face/qt/control_widget.h"
#include "face/qt/mirror_registry.h"
#include "veltutil/platform/host/controls/combo_box.h"
#include "veltutil/platform/host/windows/user_input.h"

namespace veltface {

namespace {

// Keys typed into an editable box's text go to the control, as into an entry.
class EditInputFilter final : public QObject {
public:
    EditInputFilter(HWND hwnd, QObject* parent) : QObject(parent), hwnd_(hwnd) {}

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        return PostControlInput(hwnd_, event) || event->type() == QEvent::KeyPress;
    }

private:
    HWND hwnd_;
};

// A person's choice in the drop-down list is posted as the keys that make it (Home, then
// Down to the item), and the box shows the control's choice until the control has taken them.
class ComboBoxMirror final : public WindowMirror {
public:
    ComboBoxMirror(CComboBox& combo, QComboBox* widget) : WindowMirror(combo, widget), widget_(widget) {
        HWND hwnd = combo.GetSafeHwnd();
        if (QLineEdit* edit = widget->lineEdit()) {
            edit->installEventFilter(new EditInputFilter(hwnd, edit));
            edit->setContextMenuPolicy(Qt::NoContextMenu);
        }
        QObject::connect(widget, &QComboBox::activated, [this, hwnd](int index) {
            auto* box = dynamic_cast<CComboBox*>(CWnd::FromHandle(hwnd));
            if (!box) return;
            Sync(*box, WindowChange::Content);
            if (index == box->GetCurSel()) return;
            PostKeyPress(*box, VK_HOME);
            for (int i = 0; i < index; ++i) PostKeyPress(*box, VK_DOWN);
        });
        Sync(combo, WindowChange::Content);
    }

    void Sync(CWnd& wnd, WindowChange change) override {
        WindowMirror::Sync(wnd, change);
        if ((change != WindowChange::Content && change != WindowChange::Text) || !widget_) return;
        auto& combo = static_cast<CComboBox&>(wnd);
        QSignalBlocker quiet(widget_);
        if (change == WindowChange::Content) {
            widget_->clear();
            for (int index = 0; index < combo.GetCount(); ++index) {
                CString text;
                combo.GetLBText(index, text);
                widget_->addItem(QString::fromUtf8(text.GetString()));
            }
        }
        widget_->setCurrentIndex(combo.GetCurSel());
        if (widget_->isEditable()) widget_->setEditText(QString::fromUtf8(combo.GetWindowText().GetString()));
    }

private:
    QPointer<QComboBox> widget_;
};

std::unique_ptr<WindowMirror> makeComboBoxMirror(CWnd& wnd, QWidget* parent) {
    auto* combo = dynamic_cast<CComboBox*>(&wnd);
    if (!combo || !parent) return nullptr;
    auto* widget = new ControlWidget<QComboBox>(combo->GetSafeHwnd(), parent, true);
    widget->setEditable((combo->GetStyle() & 3) != CBS_DROPDOWNLIST);
    return std::make_unique<ComboBoxMirror>(*combo, widget);
}

const MirrorRegistration registration(makeComboBoxMirror);

}  // namespace

}  // namespace veltface
