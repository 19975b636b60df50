#include <algorithm>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "face/qt/control_widget.h"
#include "face/qt/mirror_registry.h"
#include "veltutil/platform/host/windows/edit.h"

namespace veltface {

namespace {

// Text whose only writer is the control: the widget takes no keys, pastes, drops or undo of
// its own, and shows the control's text with the caret where the control's selection ends.
class EditMirror final : public WindowMirror {
public:
    EditMirror(CEdit& edit, QWidget* widget) : WindowMirror(edit, widget) {
        widget->setContextMenuPolicy(Qt::NoContextMenu);
        widget->setAcceptDrops(false);
        if (auto* line = qobject_cast<QLineEdit*>(widget)) line->setFrame((edit.GetStyle() & WS_BORDER) != 0);
        if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
            text->setUndoRedoEnabled(false);
            text->setFrameShape((edit.GetStyle() & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
            // A few lines high, as an entry of one line laid out in a template often is: the
            // text must not be pushed out of sight by scroll bars.
            text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
    }

    void Sync(CWnd& wnd, WindowChange change) override {
        WindowMirror::Sync(wnd, change);
        if (change != WindowChange::Text || !Widget()) return;
        auto& edit = static_cast<CEdit&>(wnd);
        const CString& raw = edit.GetWindowText();
        int start = 0;
        int end = 0;
        edit.GetSel(start, end);
        QString text = QString::fromUtf8(raw.GetString());
        // The control counts bytes of UTF-8, the widget characters. The text changes before the
        // selection does, so the caret may still stand past the end of a shorter text.
        end = std::clamp(end, 0, static_cast<int>(raw.GetLength()));
        QString beforeCaret = QString::fromUtf8(raw.GetString(), end);
        QSignalBlocker quiet(Widget());
        if (auto* line = qobject_cast<QLineEdit*>(Widget())) {
            line->setText(text);
            line->setCursorPosition(static_cast<int>(beforeCaret.size()));
            return;
        }
        auto* area = static_cast<QPlainTextEdit*>(Widget());
        const QString lineEnd = QStringLiteral("\r\n");
        area->setPlainText(text.replace(lineEnd, QStringLiteral("\n")));
        QTextCursor cursor = area->textCursor();
        cursor.setPosition(static_cast<int>(beforeCaret.replace(lineEnd, QStringLiteral("\n")).size()));
        area->setTextCursor(cursor);
    }
};

std::unique_ptr<WindowMirror> makeEditMirror(CWnd& wnd, QWidget* parent) {
    auto* edit = dynamic_cast<CEdit*>(&wnd);
    if (!edit || !parent) return nullptr;
    HWND hwnd = edit->GetSafeHwnd();
    QWidget* widget = nullptr;
    if (edit->GetStyle() & ES_MULTILINE) {
        widget = new ControlWidget<QPlainTextEdit>(hwnd, parent, true);
    } else {
        widget = new ControlWidget<QLineEdit>(hwnd, parent, true);
    }
    return std::make_unique<EditMirror>(*edit, widget);
}

const MirrorRegistration registration(makeEditMirror);

}  // namespace

}  // namespace veltface
