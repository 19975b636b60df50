#include <vector>

#include "face/qt/mirror_registry.h"
#include "face/qt/painted_control.h"
#include "veltutil/platform/host/windows/tree_ctrl.h"

namespace veltface {

namespace {

constexpr int kButtonSize = 9;

// The row after `item` on the screen: its first child when it is expanded, else the next
// sibling of it or of its nearest ancestor that has one.
HTREEITEM nextRow(const CTreeCtrl& tree, HTREEITEM item) {
    if ((tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) && tree.ItemHasChildren(item)) {
        return tree.GetChildItem(item);
    }
    for (; item; item = tree.GetParentItem(item)) {
        if (HTREEITEM next = tree.GetNextSiblingItem(item)) return next;
    }
    return nullptr;
}

// The item and its ancestors, the item first.
std::vector<HTREEITEM> lineage(const CTreeCtrl& tree, HTREEITEM item) {
    std::vector<HTREEITEM> chain;
    for (; item; item = tree.GetParentItem(item)) chain.push_back(item);
    return chain;
}

// Shows the tree's rows as the control lays them out (its row height, indent and scrolling), so
// that a click lands on the row the control finds under it. Only the rows in sight are drawn.
class TreeWidget final : public PaintedControlWidget<CTreeCtrl> {
public:
    using PaintedControlWidget::PaintedControlWidget;

protected:
    void PaintRows(QPainter& painter, const CTreeCtrl& tree) override {
        int y = 0;
        for (HTREEITEM item = tree.GetFirstVisibleItem(); item && y < height(); item = nextRow(tree, item)) {
            PaintRow(painter, tree, item, y);
            y += CTreeCtrl::ItemHeight;
        }
    }

private:
    void PaintRow(QPainter& painter, const CTreeCtrl& tree, HTREEITEM item, int top) const {
        DWORD style = tree.GetStyle();
        std::vector<HTREEITEM> chain = lineage(tree, item);
        int depth = static_cast<int>(chain.size()) - 1;
        // The control puts the text after one indent per level, the top level's included; that
        // column has lines and buttons only with TVS_LINESATROOT.
        int level = depth + 1;
        int firstColumn = (style & TVS_LINESATROOT) ? 1 : 2;
        int mid = top + CTreeCtrl::ItemHeight / 2;
        auto columnCenter = [](int column) { return column * CTreeCtrl::Indent - CTreeCtrl::Indent / 2; };

        if (style & TVS_HASLINES) {
            painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
            // Each ancestor with a sibling still to come runs its line through this row.
            for (int i = 1; i <= depth; ++i) {
                int column = level - i;
                if (column >= firstColumn && tree.GetNextSiblingItem(chain[static_cast<std::size_t>(i)])) {
                    painter.drawLine(columnCenter(column), top, columnCenter(column), top + CTreeCtrl::ItemHeight);
                }
            }
            if (level >= firstColumn) {
                int x = columnCenter(level);
                bool first = !tree.GetPrevSiblingItem(item) && depth == 0;
                painter.drawLine(x, first ? mid : top, x, tree.GetNextSiblingItem(item) ? top + CTreeCtrl::ItemHeight : mid);
                painter.drawLine(x, mid, level * CTreeCtrl::Indent, mid);
            }
        }
        if ((style & TVS_HASBUTTONS) && level >= firstColumn && tree.ItemHasChildren(item)) {
            QRect box(columnCenter(level) - kButtonSize / 2, mid - kButtonSize / 2, kButtonSize - 1, kButtonSize - 1);
            painter.setPen(palette().color(QPalette::Dark));
            painter.setBrush(palette().base());
            painter.drawRect(box);
            painter.setPen(palette().color(QPalette::Text));
            painter.drawLine(box.left() + 2, box.center().y(), box.right() - 2, box.center().y());
            if (!(tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED)) {
                painter.drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);
            }
        }

        QString text = QString::fromUtf8(tree.GetItemText(item).GetString());
        int left = level * CTreeCtrl::Indent + 2;
        QRect textRect(left, top, painter.fontMetrics().horizontalAdvance(text) + 4, CTreeCtrl::ItemHeight);
        QColor color = palette().color(QPalette::Text);
        // The selection stays in sight when the tree has no keyboard, dimmed, if it asks so.
        bool selected = tree.GetItemState(item, TVIS_SELECTED) & TVIS_SELECTED;
        if (selected && (hasFocus() || (style & TVS_SHOWSELALWAYS))) {
            QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
            painter.fillRect(textRect, palette().color(group, QPalette::Highlight));
            color = palette().color(group, QPalette::HighlightedText);
        }
        painter.setPen(color);
        painter.drawText(textRect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
};

const MirrorRegistration registration(MakePaintedMirror<CTreeCtrl, TreeWidget>);

}  // namespace

}  // namespace veltface
