#include "livegrapher/table_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace livegrapher {

namespace {

QString qtText(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A cell's own tabs and line breaks would split it in the copied text.
QString oneField(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

void TableTexts::Show(const plotmodel::Table& table) {
    beginResetModel();
    columns_.clear();
    rows_ = static_cast<int>(std::min<std::size_t>(table.rows.size(), INT_MAX));
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        const plotmodel::Column& source = table.columns[c];
        Column column{qtText(source.heading), source.type == plotmodel::kValueColumn, table.sortable && source.sortable, {}, {}};
        for (const std::string& text : plotmodel::ColumnTexts(table, c)) column.texts.push_back(qtText(text));
        for (const std::vector<plotmodel::Cell>& row : table.rows) column.cells.push_back(c < row.size() ? row[c] : plotmodel::Cell());
        columns_.push_back(std::move(column));
    }
    endResetModel();
}

int TableTexts::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableTexts::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TableTexts::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Column& column = columns_[static_cast<std::size_t>(index.column())];
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (column.value ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole) return {};
    auto row = static_cast<std::size_t>(index.row());
    return row < column.texts.size() ? column.texts[row] : QString();
}

bool TableTexts::Before(int a, int b, int column) const {
    const std::vector<plotmodel::Cell>& cells = columns_[static_cast<std::size_t>(column)].cells;
    return plotmodel::CellBefore(cells[static_cast<std::size_t>(a)], cells[static_cast<std::size_t>(b)]);
}

bool TableTexts::Sortable(int column) const {
    return column >= 0 && static_cast<std::size_t>(column) < columns_.size() && columns_[static_cast<std::size_t>(column)].sortable;
}

SortedRows::SortedRows(TableTexts* texts) : QSortFilterProxyModel(texts), texts_(texts) { setSourceModel(texts); }

bool SortedRows::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return texts_->Before(left.row(), right.row(), left.column());
}

QVariant TableTexts::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section >= 0 && static_cast<std::size_t>(section) < columns_.size()
               ? columns_[static_cast<std::size_t>(section)].heading
               : QVariant();
}

TableView::TableView(QWidget* parent)
    : QTableView(parent), texts_(new TableTexts(this)), sorted_(new SortedRows(texts_)) {
    setModel(sorted_);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) { SortBy(column); });
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void TableView::Show(const plotmodel::Table& table) {
    texts_->Show(table);
    horizontalHeader()->setVisible(table.showTopHeader);
    verticalHeader()->setVisible(table.showLeftHeader);
    for (std::size_t c = 0; c < table.columns.size(); ++c)
        if (table.columns[c].width > 0) setColumnWidth(static_cast<int>(c), table.columns[c].width);
}

void TableView::SortBy(int column) {
    if (!texts_->Sortable(column)) return;
    QHeaderView& header = *horizontalHeader();
    bool again = header.isSortIndicatorShown() && header.sortIndicatorSection() == column;
    Qt::SortOrder order = again && header.sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    header.setSortIndicatorShown(true);
    header.setSortIndicator(column, order);
    sorted_->sort(column, order);
}

QString TableView::SelectedText() const {
    QModelIndexList selected = selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return {};
    int top = INT_MAX, left = INT_MAX, bottom = 0, right = 0;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    std::vector<QStringList> lines(static_cast<std::size_t>(bottom - top + 1), QStringList(right - left + 1, QString()));
    for (const QModelIndex& index : selected)
        lines[static_cast<std::size_t>(index.row() - top)][index.column() - left] = oneField(index.data().toString());
    QString text;
    for (const QStringList& line : lines) text += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

void TableView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(SelectedText());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

TablePanel::TablePanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&title_);
    layout->addWidget(&view_);
    title_.hide();
}

void TablePanel::Show(const plotmodel::Table& table) {
    title_.setText(qtText(table.title));
    title_.setVisible(!table.title.empty());
    view_.Show(table);
}

}  // namespace livegrapher
