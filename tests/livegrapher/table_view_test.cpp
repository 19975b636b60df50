#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QTest>

#include "live_support.h"

namespace {

using velttest::LivePages;

class LiveTables : public LivePages {
protected:
    void SetUp() override {
        LivePages::SetUp();
        page = NewPage("Tables");
        ASSERT_EQ(grapher.CreateChart(page, 1, &chart), S_OK);
        ASSERT_EQ(grapher.AddColumn(chart, "Name", 80, static_cast<ChartType>(3)), S_OK);
        ASSERT_EQ(grapher.AddColumn(chart, "Value", 60, static_cast<ChartType>(plotmodel::kValueColumn)), S_OK);
        ASSERT_EQ(grapher.SetColumnPrecision(chart, 1, 2), S_OK);
        AddRow("b\tc", 2.25);
        AddRow("a", 1.5);
        ASSERT_EQ(grapher.UpdateChartDisplay(chart), S_OK);
        NextFrame();
        view = &WindowOf(page)->TableOf(SerialOf(chart))->View();
    }
    void AddRow(const char* name, double value) {
        int row = static_cast<int>(grapher.Store().FindTable(chart)->rows.size());
        ASSERT_EQ(grapher.AddRow(chart), S_OK);
        ASSERT_EQ(grapher.SetRowItemText(chart, row, 0, name), S_OK);
        ASSERT_EQ(grapher.SetRowItemDouble(chart, row, 1, value), S_OK);
    }
    QString Cell(int row, int column) const { return view->model()->index(row, column).data().toString(); }

    CGraphPage* page = nullptr;
    CChart* chart = nullptr;
    livegrapher::TableView* view = nullptr;
};

TEST_F(LiveTables, ShowHeadingsPrecisionAndTheModelsOrder) {
    EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "Value");
    EXPECT_EQ(Cell(0, 1), "2.25");
    EXPECT_EQ(Cell(1, 1), "1.50");
    EXPECT_TRUE(view->model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    EXPECT_TRUE(view->model()->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignLeft);
    EXPECT_TRUE(view->verticalHeader()->isHidden());

    ASSERT_EQ(grapher.SortColumn(chart, 1), S_OK);
    ASSERT_EQ(grapher.SetShowLeftHeader(chart, 1), S_OK);
    ASSERT_EQ(grapher.CloseChart(chart), S_OK);  // forced
    EXPECT_EQ(Cell(0, 1), "1.50");
    EXPECT_FALSE(view->verticalHeader()->isHidden());
}

TEST_F(LiveTables, APersonSortsTheSortableColumnsAsTheModelSorts) {
    ASSERT_EQ(grapher.SetColumnSortable(chart, 0, 1), S_OK);
    ASSERT_EQ(grapher.SetColumnSortable(chart, 1, 1), S_OK);
    AddRow("empty", 0);
    ASSERT_EQ(grapher.SetRowItemText(chart, 2, 1, ""), S_OK);  // a text: after the numbers
    ASSERT_EQ(grapher.Show(1), S_OK);
    QHeaderView& header = *view->horizontalHeader();
    emit header.sectionClicked(1);  // the table is not sortable
    EXPECT_EQ(Cell(0, 1), "2.25");
    ASSERT_EQ(grapher.SetChartSortable(chart, 1), S_OK);
    ASSERT_EQ(grapher.SetColumnSortable(chart, 0, 0), S_OK);
    ASSERT_EQ(grapher.Show(1), S_OK);
    emit header.sectionClicked(0);  // nor is this column now
    EXPECT_EQ(Cell(0, 0), "b\tc");
    emit header.sectionClicked(1);
    EXPECT_EQ(Cell(0, 1), "1.50");
    EXPECT_EQ(Cell(2, 0), "empty");
    emit header.sectionClicked(1);
    EXPECT_EQ(Cell(0, 0), "empty");
    EXPECT_EQ(Cell(1, 1), "2.25");
}

TEST_F(LiveTables, CopySelectedCellsAsTabSeparatedText) {
    view->setFocus();
    view->selectAll();
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    // A tab inside a cell would start another column.
    EXPECT_EQ(QApplication::clipboard()->text(), "b c\t2.25\na\t1.50\n");

    // A selection with holes copies its bounding rectangle, the holes empty.
    view->clearSelection();
    view->selectionModel()->select(view->model()->index(0, 0), QItemSelectionModel::Select);
    view->selectionModel()->select(view->model()->index(1, 1), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "b c\t\n\t1.50\n");
}

}  // namespace
