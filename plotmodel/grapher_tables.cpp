// The root object's table operations (slots 75 to 91).
#include "plotmodel/model_grapher_access.h"

namespace plotmodel {

namespace {

long setFlag(bool& flag, int value) {
    flag = value != 0;
    return S_OK;
}

template <class Operation>
long withColumn(Table& table, int column, Operation operation) {
    if (column < 0 || static_cast<std::size_t>(column) >= table.columns.size()) return E_INVALIDARG;
    return operation(table.columns[static_cast<std::size_t>(column)]);
}

// Writes one cell of an open table; a row is widened to the columns when first written.
long setCell(Table& table, int row, int column, Cell value) {
    if (!table.open) return E_FAIL;
    if (row < 0 || static_cast<std::size_t>(row) >= table.rows.size() || column < 0 ||
        static_cast<std::size_t>(column) >= table.columns.size())
        return E_INVALIDARG;
    std::vector<Cell>& cells = table.rows[static_cast<std::size_t>(row)];
    if (cells.size() < table.columns.size()) cells.resize(table.columns.size());
    cells[static_cast<std::size_t>(column)] = std::move(value);
    return S_OK;
}

}  // namespace

long ModelGrapher::CreateChart(CGraphPage* pageHandle, unsigned long id, CChart** chart) {
    if (chart == nullptr) return E_POINTER;
    Page* page = store_.FindPage(pageHandle);
    if (page == nullptr) return E_HANDLE;
    if (!page->open) return E_FAIL;
    Table table;
    table.page = ObjectStore::SerialOf(pageHandle);
    table.id = id;
    *chart = store_.AddTable(std::move(table));
    page->dirty = true;
    return S_OK;
}

long ModelGrapher::CloseChart(CChart* chart) {
    long result = EditTable(chart, [](Table& table) {
        if (!table.open) return E_FAIL;
        table.open = false;
        return S_OK;
    });
    return result == S_OK ? RefreshPageOf(store_.FindTable(chart)->page, true) : result;
}

long ModelGrapher::ClearChart(CChart* chart) {
    return EditTable(chart, [](Table& table) {
        table.rows.clear();
        return S_OK;
    });
}

long ModelGrapher::SetChartTitle(CChart* chart, const char* title) {
    return EditTable(chart, [&](Table& table) {
        table.title = TextOf(title);
        return S_OK;
    });
}

long ModelGrapher::SetChartTitleFont(CChart* chart, int width, int height, const char* faceName) {
    return EditTable(chart, [&](Table& table) {
        table.titleFont = FontOf(width, height, faceName);
        return S_OK;
    });
}

long ModelGrapher::SetChartSortable(CChart* chart, int sortable) {
    return EditTable(chart, [&](Table& table) { return setFlag(table.sortable, sortable); });
}

long ModelGrapher::SetShowLeftHeader(CChart* chart, int show) {
    return EditTable(chart, [&](Table& table) { return setFlag(table.showLeftHeader, show); });
}

long ModelGrapher::SetShowTopHeader(CChart* chart, int show) {
    return EditTable(chart, [&](Table& table) { return setFlag(table.showTopHeader, show); });
}

long ModelGrapher::AddColumn(CChart* chart, const char* heading, int width, ChartType type) {
    return EditTable(chart, [&](Table& table) {
        table.columns.push_back(Column{TextOf(heading), width, static_cast<int>(type)});
        return S_OK;
    });
}

long ModelGrapher::SetColumnPrecision(CChart* chart, int column, int precision) {
    return EditTable(chart, [&](Table& table) {
        return withColumn(table, column, [&](Column& c) {
            if (!IsPrecision(precision)) return E_INVALIDARG;
            c.precision = precision;
            return S_OK;
        });
    });
}

long ModelGrapher::SetColumnSortable(CChart* chart, int column, int sortable) {
    return EditTable(chart, [&](Table& table) {
        return withColumn(table, column, [&](Column& c) { return setFlag(c.sortable, sortable); });
    });
}

// Sorting is the client's request, so it does not wait for the sortable flags, which say
// whether a person may sort.
long ModelGrapher::SortColumn(CChart* chart, int column) {
    return EditTable(chart, [&](Table& table) {
        return withColumn(table, column, [&](Column&) {
            SortRows(table, static_cast<std::size_t>(column));
            return S_OK;
        });
    });
}

long ModelGrapher::AddRow(CChart* chart) {
    return EditTable(chart, [](Table& table) {
        if (!table.open) return E_FAIL;
        table.rows.emplace_back(table.columns.size());
        return S_OK;
    });
}

long ModelGrapher::SetRowItemInt(CChart* chart, int row, int column, int value) {
    return EditTable(chart, [&](Table& table) { return setCell(table, row, column, value); });
}

long ModelGrapher::SetRowItemDouble(CChart* chart, int row, int column, double value) {
    return EditTable(chart, [&](Table& table) { return setCell(table, row, column, value); });
}

long ModelGrapher::SetRowItemText(CChart* chart, int row, int column, const char* text) {
    return EditTable(chart, [&](Table& table) { return setCell(table, row, column, TextOf(text)); });
}

long ModelGrapher::UpdateChartDisplay(CChart* chart) {
    Table* table = store_.FindTable(chart);
    return table != nullptr ? RefreshPageOf(table->page, false) : E_HANDLE;
}

}  // namespace plotmodel
