#pragma once

#include <QAbstractTableModel>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>

#include <vector>

#include "plotmodel/table_model.h"

// A table of a page on the screen: its title over a table view of its cells. The view keeps
// its own copy of the texts, so it goes on showing them after the table is gone.

namespace livegrapher {

class TableTexts final : public QAbstractTableModel {
public:
    explicit TableTexts(QObject* parent) : QAbstractTableModel(parent) {}
    // Takes the table's headings and cell texts as the page's files show them.
    void Show(const plotmodel::Table& table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Whether row `a` comes before row `b` when sorted by `column`, as the model sorts.
    bool Before(int a, int b, int column) const;
    bool Sortable(int column) const;

private:
    struct Column {
        QString heading;
        bool value = false;  // right-aligned
        bool sortable = false;
        std::vector<QString> texts;
        std::vector<plotmodel::Cell> cells;
    };
    std::vector<Column> columns_;
    int rows_ = 0;
};

// The rows in the order a person chose by clicking a sortable column's heading.
class SortedRows final : public QSortFilterProxyModel {
public:
    explicit SortedRows(TableTexts* texts);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    TableTexts* texts_;
};

class TableView final : public QTableView {
public:
    explicit TableView(QWidget* parent = nullptr);
    void Show(const plotmodel::Table& table);
    // The selected cells as tab-separated lines, one per row, the unselected cells of their
    // bounding rectangle empty; what Ctrl+C copies.
    QString SelectedText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SortBy(int column);

    TableTexts* texts_;
    SortedRows* sorted_;
};

class TablePanel final : public QWidget {
public:
    explicit TablePanel(QWidget* parent = nullptr);
    void Show(const plotmodel::Table& table);
    TableView& View() { return view_; }

private:
    QLabel title_;
    TableView view_;
};

}  // namespace livegrapher
