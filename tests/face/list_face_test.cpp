#include <algorithm>
#include <map>
#include <vector>

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "face_support.h"
#include "tests/support/colour_list_window.h"
#include "veltutil/platform/host/controls/combo_box.h"
#include "veltutil/platform/host/controls/list_box.h"
#include "veltutil/platform/host/drawing/system_colors.h"

namespace {

using velttest::ColourListWindow;
using velttest::PumpPosted;
using velttest::WidgetOf;

QColor colourOf(COLORREF colour) { return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)); }

// Per row on screen, the colour that covers most of its value cell besides the list's white:
// the background the value is written on.
std::vector<QColor> valueColours(CColorListCtrl& list, const QImage& shot) {
    std::vector<QColor> colours;
    for (int row = list.GetTopIndex(); row < list.GetTopIndex() + list.GetCountPerPage(); ++row) {
        CRect cell;
        list.GetSubItemRect(row, 1, LVIR_LABEL, cell);
        std::map<QRgb, int> counts;
        for (long y = cell.top; y < cell.bottom; ++y) {
            for (long x = cell.left; x < cell.right; ++x) ++counts[shot.pixel(static_cast<int>(x), static_cast<int>(y))];
        }
        counts.erase(qRgb(255, 255, 255));
        auto most = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; });
        colours.push_back(most == counts.end() ? QColor() : QColor(most->first));
    }
    return colours;
}

std::vector<QColor> expectedColours(int first, int count, int step) {
    std::vector<QColor> colours;
    for (int i = 0; i < count; ++i) colours.push_back(colourOf(ColourListWindow::RowColour(first + i * step)));
    return colours;
}

TEST(QtFaceColourList, TheScreenShowsTheLibrarysCellColoursAndOnlyTheRowsInSight) {
    ColourListWindow shown(10000);
    CColorListCtrl& list = shown.list;
    QWidget* widget = WidgetOf(list);
    ASSERT_NE(widget, nullptr);
    int page = list.GetCountPerPage();
    ASSERT_GT(page, 5);

    shown.list.drawn = 0;
    QImage shot = widget->grab().toImage();
    EXPECT_EQ(valueColours(list, shot), expectedColours(0, page, 1));
    // The rows drawn: those in sight, and the one cut by the bottom edge.
    EXPECT_GE(shown.list.drawn, page);
    EXPECT_LE(shown.list.drawn, page + 1);

    list.EnsureVisible(5000, FALSE);
    shot = widget->grab().toImage();
    EXPECT_EQ(valueColours(list, shot), expectedColours(5001 - page, page, 1));
}

TEST(QtFaceColourList, AHeaderClickSortsWhatIsOnScreen) {
    ColourListWindow shown(10000);
    CColorListCtrl& list = shown.list;
    auto* header = qobject_cast<QHeaderView*>(WidgetOf(*list.GetHeaderCtrl()));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->model()->headerData(1, Qt::Horizontal).toString(), "Value");
    EXPECT_EQ(header->sectionSize(0), list.GetColumnWidth(0));

    QPoint nameTitle(header->sectionViewportPosition(0) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameTitle);
    PumpPosted();
    // Ascending by name: the last row comes first.
    int page = list.GetCountPerPage();
    EXPECT_EQ(valueColours(list, WidgetOf(list)->grab().toImage()), expectedColours(9999, page, -1));
    EXPECT_EQ(list.GetItemText(0, 0), "90000");
}

TEST(QtFaceLists, AListBoxAndADropListTakeAPersonsChoiceThroughTheirControls) {
    CWnd window;
    ASSERT_TRUE(window.Create("Lists", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_NOTIFY, CRect(0, 0, 120, 100), &window, 1));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(130, 0, 280, 24), &window, 2));
    for (const char* text : {"out", "in", "bias"}) {
        list.AddString(text);
        combo.AddString(text);
    }
    combo.SetCurSel(0);

    QWidget* listWidget = WidgetOf(list);
    QTest::mouseClick(listWidget, Qt::LeftButton, {}, QPoint(10, CListBox::ItemHeight * 2 + 3));
    PumpPosted();
    EXPECT_EQ(list.GetCurSel(), 2);
    // The screen shows the control's selection: the third row is highlighted, the first not.
    QImage shot = listWidget->grab().toImage();
    QColor highlight = listWidget->palette().color(QPalette::Highlight);
    EXPECT_EQ(shot.pixelColor(100, CListBox::ItemHeight * 2 + 1), highlight);
    EXPECT_NE(shot.pixelColor(100, 1), highlight);

    auto* box = qobject_cast<QComboBox*>(WidgetOf(combo));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(box->currentText(), "out");
    box->showPopup();
    QAbstractItemView* view = box->view();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 0)).center());
    // The box goes on showing the control's choice until the control has the person's.
    EXPECT_EQ(box->currentIndex(), 0);
    PumpPosted();
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(box->currentText(), "bias");
    combo.DeleteString(2);
    EXPECT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentIndex(), -1);
}

}  // namespace
