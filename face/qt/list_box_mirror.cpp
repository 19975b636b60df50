#include "face/qt/mirror_registry.h"
#include "face/qt/painted_control.h"
#include "veltutil/platform/host/controls/list_box.h"

namespace veltface {

namespace {

// The strings in the control's rows (its row height, from the top), so that a click lands on
// the item the control finds under it; the selected ones highlighted.
class ListBoxWidget final : public PaintedControlWidget<CListBox> {
public:
    using PaintedControlWidget::PaintedControlWidget;

protected:
    void PaintRows(QPainter& painter, const CListBox& list) override {
        for (int index = 0; index < list.GetCount() && index * CListBox::ItemHeight < height(); ++index) {
            QRect row(0, index * CListBox::ItemHeight, width(), CListBox::ItemHeight);
            QColor color = palette().color(QPalette::Text);
            if (list.GetSel(index) > 0) {
                painter.fillRect(row, palette().color(QPalette::Highlight));
                color = palette().color(QPalette::HighlightedText);
            }
            CString text;
            list.GetText(index, text);
            painter.setPen(color);
            painter.drawText(row.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             QString::fromUtf8(text.GetString()));
        }
    }
};

const MirrorRegistration registration(MakePaintedMirror<CListBox, ListBoxWidget>);

}  // namespace

}  // namespace veltface
