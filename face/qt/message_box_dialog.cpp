#include "face/qt/message_box_dialog.h"

#include <QMessageBox>

#include <utility>
#include <vector>

#include "face/qt/modal_loop.h"

namespace veltface {

namespace {

using Button = std::pair<QMessageBox::StandardButton, int>;

std::vector<Button> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE: return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon iconOf(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

}  // namespace

int AskWithMessageBox(const MessageBoxRequest& request) {
    QMessageBox box(iconOf(request.type), QString::fromUtf8(request.caption.GetString()),
                    QString::fromUtf8(request.text.GetString()), QMessageBox::NoButton, OwnerWidget(request.owner));
    std::vector<Button> buttons = buttonsOf(request.type);
    int defaultAnswer = DefaultMessageBoxAnswer(request.type);
    for (const auto& [button, answer] : buttons) {
        box.addButton(button);
        if (answer == defaultAnswer) box.setDefaultButton(button);
    }
    RunModal(box);
    QAbstractButton* clicked = box.clickedButton();
    for (const auto& [button, answer] : buttons) {
        if (clicked && clicked == box.button(button)) return answer;
    }
    for (const auto& [button, answer] : buttons) {
        if (answer == IDCANCEL) return answer;
    }
    return defaultAnswer;
}

}  // namespace veltface
