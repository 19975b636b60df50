#include "face/qt/popup_menu.h"

#include <QMenu>

#include <utility>
#include <vector>

#include "face/qt/modal_loop.h"
#include "veltutil/platform/host/kernel.h"
#include "veltutil/platform/host/loop/message_queue.h"
#include "veltutil/platform/host/windows/wnd.h"

namespace veltface {

namespace {

// Copies the items of `source` into `target`, submenus included, each command carrying its id.
// A list of pending menus rather than recursion: a menu nests as deep as its maker made it.
void fill(QMenu& target, const CMenu& source) {
    std::vector<std::pair<QMenu*, const CMenu*>> pending{{&target, &source}};
    while (!pending.empty()) {
        auto [menu, items] = pending.back();
        pending.pop_back();
        for (int position = 0; position < items->GetMenuItemCount(); ++position) {
            CString text;
            items->GetMenuString(static_cast<UINT>(position), text, MF_BYPOSITION);
            QString title = QString::fromUtf8(text.GetString());
            if (const CMenu* submenu = items->GetSubMenu(position)) {
                pending.emplace_back(menu->addMenu(title), submenu);
            } else if (UINT id = items->GetMenuItemID(position)) {
                menu->addAction(title)->setData(id);
            } else {
                menu->addSeparator();
            }
        }
    }
}

}  // namespace

UINT ChooseFromMenu(const PopupMenuRequest& request) {
    if (!request.menu) return 0;
    QMenu menu(request.owner ? OwnerWidget(request.owner->GetSafeHwnd()) : nullptr);
    fill(menu, *request.menu);
    UINT chosen = 0;
    bool finished = false;
    QObject::connect(&menu, &QMenu::triggered, [&chosen](QAction* action) { chosen = action->data().toUInt(); });
    QObject::connect(&menu, &QMenu::aboutToHide, [&finished] {
        finished = true;
        ::PostThreadMessage(GetCurrentThreadId(), WM_NULL, 0, 0);
    });
    QPoint at(request.x, request.y);
    int width = menu.sizeHint().width();
    if (request.flags & TPM_RIGHTALIGN) at.rx() -= width;
    if (request.flags & TPM_CENTERALIGN) at.rx() -= width / 2;
    menu.popup(at);
    if (!PumpUntil(finished)) menu.close();
    // The command of a chosen item comes after the menu has hidden, in the same event.
    return chosen;
}

}  // namespace veltface
