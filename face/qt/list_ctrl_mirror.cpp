#include <QHeaderView>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include "face/qt/mirror_registry.h"
#include "face/qt/painted_control.h"
#include "face/qt/window_widget.h"
#include "veltutil/platform/host/controls/list_ctrl.h"

namespace veltface {

namespace {

// The column titles as the platform's header: what a person clicks is posted to the control,
// as a press and release over the title, which tells the list.
class HeaderMirror final : public WindowMirror {
public:
    HeaderMirror(CHeaderCtrl& header, QHeaderView* view)
        : WindowMirror(header, view), view_(view), model_(new QStandardItemModel(view)) {
        view->setModel(model_);
        view->setSectionResizeMode(QHeaderView::Fixed);
        view->setStretchLastSection(false);
        view->setHighlightSections(false);
        view->setSectionsClickable((header.GetStyle() & HDS_BUTTONS) != 0);
        HWND hwnd = header.GetSafeHwnd();
        QObject::connect(view, &QHeaderView::sectionClicked, [hwnd](int index) {
            auto* wnd = dynamic_cast<CHeaderCtrl*>(CWnd::FromHandle(hwnd));
            RECT rect;
            if (!wnd || !wnd->GetItemRect(index, &rect)) return;
            LPARAM point = MAKELPARAM(static_cast<WORD>((rect.left + rect.right) / 2), static_cast<WORD>((rect.top + rect.bottom) / 2));
            wnd->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
            wnd->PostMessage(WM_LBUTTONUP, 0, point);
        });
        Sync(header, WindowChange::Content);
    }

    void Sync(CWnd& wnd, WindowChange change) override {
        WindowMirror::Sync(wnd, change);
        if (change == WindowChange::Style && view_) view_->setSectionsClickable((wnd.GetStyle() & HDS_BUTTONS) != 0);
        if (change != WindowChange::Content || !view_) return;
        auto& header = static_cast<CHeaderCtrl&>(wnd);
        QSignalBlocker quiet(view_);
        model_->setColumnCount(header.GetItemCount());
        for (int index = 0; index < header.GetItemCount(); ++index) {
            char text[256];
            HDITEM item;
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            header.GetItem(index, &item);
            model_->setHeaderData(index, Qt::Horizontal, QString::fromUtf8(text));
            Qt::Alignment alignment = item.fmt == HDF_RIGHT ? Qt::AlignRight : item.fmt == HDF_CENTER ? Qt::AlignHCenter : Qt::AlignLeft;
            model_->setHeaderData(index, Qt::Horizontal, QVariant::fromValue(alignment | Qt::AlignVCenter), Qt::TextAlignmentRole);
            view_->resizeSection(index, item.cxy);
        }
        // The rows below are laid out by the columns too.
        if (QWidget* list = view_->parentWidget()) list->update();
    }

private:
    QPointer<QHeaderView> view_;
    QStandardItemModel* model_;  // the view's child
};

std::unique_ptr<WindowMirror> makeListMirror(CWnd& wnd, QWidget* parent) {
    if (!parent) return nullptr;
    if (auto* list = dynamic_cast<CListCtrl*>(&wnd)) {
        // A report list paints itself through its WM_PAINT (owner-drawn rows through CDC into the
        // widget's painter), and only the rows in sight.
        return std::make_unique<RepaintingMirror>(*list, new WindowWidget(list->GetSafeHwnd(), parent));
    }
    if (auto* header = dynamic_cast<CHeaderCtrl*>(&wnd)) {
        return std::make_unique<HeaderMirror>(*header, new QHeaderView(Qt::Horizontal, parent));
    }
    return nullptr;
}

const MirrorRegistration registration(makeListMirror);

}  // namespace

}  // namespace veltface
