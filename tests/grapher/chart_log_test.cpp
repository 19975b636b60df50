#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/grapher/grapher_fixture.h"
#include "veltutil/grapher/chart_log.h"

using Lines = std::vector<std::string>;

namespace {

struct ChartLogTest : GrapherFixture {
    // Opens the log and names its page "log" (or "page" for the fixture's) and its table "table",
    // from the handle the title was sent to.
    void Open(ChartLog& log, ChartLog::LogType type = ChartLog::SINGLE_COLUMN) {
        log.OpenNewLog("Runs", "Title", "Entry", 300, type);
        if (log.GetGraphPage() != &page) Name(static_cast<CGraphPage*>(*log.GetGraphPage()), "log");
        for (const RecordedCall& call : recording.CallsOf(78)) names[call.arguments[0]] = "table";
    }
    // The texts written since the last Mark(), as "row, column, text".
    Lines Cells() const {
        Lines cells;
        for (const std::string& line : CallsTo("SetRowItemText")) cells.push_back(line.substr(line.find(", ") + 2));
        return cells;
    }
};

}  // namespace

TEST_F(ChartLogTest, OpeningMakesAPageAndASingleColumnTable) {
    ChartLog log(&source);
    Open(log);
    EXPECT_EQ(Calls(), (Lines{"CreatePage 4, null", "SetPageTabName log, Runs", "CreateChart log, 2, null",
                              "SetChartTitle table, Title", "SetChartSortable table, 0", "AddColumn table, Entry, 300, 0"}));
    Mark();
    log.OpenNewLog("Again", "T", "H", 1, ChartLog::SINGLE_COLUMN);  // open already: nothing
    EXPECT_TRUE(recording.calls.empty());
}

TEST_F(ChartLogTest, RunTableHasItsOwnFiveColumns) {
    ChartLog log(&source);
    Open(log, ChartLog::RUN_TABLE);
    const Lines columns = CallsTo("AddColumn");
    EXPECT_EQ(columns.size(), 5u);
    EXPECT_EQ(std::count(columns.begin(), columns.end(), "AddColumn table, Entry, 300, 0"), 0);
}

TEST_F(ChartLogTest, EntriesSplitIntoTrimmedIndentedLines) {
    const std::string four(4, ' ');
    struct Row {
        const char* name;
        int indent;
        std::string text;
        int verbatim;
        Lines cells;
    };
    const Row rows[] = {
        {"blank line kept", 1, "a\n\nb", 0, {"0, 0, " + four + "a", "1, 0, " + four, "2, 0, " + four + "b"}},
        {"carriage returns and final feed", 0, " a\r\nb\r\n", 0, {"0, 0, a", "1, 0, b"}},
        {"empty", 1, "", 0, {}},
        {"blanks only", 1, "  \t ", 0, {"0, 0, " + four}},
        {"level 2", 2, "x", 0, {"0, 0, " + std::string(8, ' ') + "x"}},
        {"level 30 stops at 103 blanks", 30, "x", 0, {"0, 0, " + std::string(103, ' ') + "x"}},
        {"below level 0", -1, " x", 0, {"0, 0, x"}},
        {"verbatim", 3, " a\nb ", 1, {"0, 0,  a\nb "}},
        {"verbatim empty", 0, "", 1, {"0, 0, "}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ChartLog log(&source);
        Open(log);
        for (int level = 0; level < row.indent; ++level) log.PushIndent();
        for (int level = 0; level > row.indent; --level) log.PopIndent();
        Mark();
        log.AddLogEntry(row.text.c_str(), row.verbatim);
        EXPECT_EQ(Cells(), row.cells);
        EXPECT_EQ(CallsTo("AddRow").size(), row.cells.size());
    }
}

TEST_F(ChartLogTest, CellEntriesAddTheMissingRowsFirst) {
    ChartLog log(&source);
    Open(log);
    Mark();
    log.AddLogEntry(5, 2, " late ");
    log.AddLogEntry(2, 1, "early");
    log.AddLogEntry("next", 0);
    EXPECT_EQ(CallsTo("AddRow").size(), 7u);
    EXPECT_EQ(Cells(), (Lines{"5, 2, late", "2, 1, early", "6, 0, next"}));
}

TEST_F(ChartLogTest, EntriesWithoutAnOpenLogOrASourceAreDropped) {
    ChartLog log(&source);
    log.AddLogEntry("before", 0).AddLogEntry(1, 1, "x").ShowLog();
    ChartLog sourceless;
    sourceless.OpenNewLog("t", "t", "h", 1, ChartLog::SINGLE_COLUMN);
    sourceless.AddLogEntry("x", 1).CloseLog();
    Open(log);
    log.SetGrapher(nullptr);
    Mark();
    log.AddLogEntry("after", 1).ShowLog();
    EXPECT_TRUE(recording.calls.empty());
}

TEST_F(ChartLogTest, ClosingShowsTheLogAndClosesOnlyAPageItMade) {
    ChartLog own(&source);
    Open(own);
    own.PushIndent();
    own.AddLogEntry("x", 0);
    Mark();
    own.CloseLog();
    EXPECT_EQ(Calls(), (Lines{"Show 5", "UpdateChartDisplay table", "CloseChart table", "ClosePage log"}));

    // On a page that was open already, no page is made, named or closed; rows count from 0 again.
    own.SetPage(&page);
    Mark();
    Open(own);
    own.AddLogEntry("y", 0);  // opening starts the indent level again
    own.CloseLog();
    EXPECT_EQ(Calls(), (Lines{"CreateChart page, 2, null", "SetChartTitle table, Title", "SetChartSortable table, 0",
                              "AddColumn table, Entry, 300, 0", "AddRow table", "SetRowItemText table, 0, 0, y",
                              "Show 5", "UpdateChartDisplay table", "CloseChart table"}));
    own.SetPage(nullptr);
    EXPECT_NE(own.GetGraphPage(), &page);
}

TEST_F(ChartLogTest, ARefusedPageStillGetsItsTabNameAndTable) {
    recording.results[1] = 5;
    ChartLog log(&source);
    Open(log);
    EXPECT_EQ(Calls(), (Lines{"CreatePage 4, null", "SetPageTabName null, Runs", "CreateChart null, 2, null",
                              "SetChartTitle table, Title", "SetChartSortable table, 0", "AddColumn table, Entry, 300, 0"}));
}

TEST_F(ChartLogTest, ACopyOnItsOwnPageOutlivesTheLogItCameFrom) {
    auto original = std::make_unique<ChartLog>(&source);
    Open(*original);
    ChartLog copy(*original);
    ChartLog assigned;
    assigned = *original;
    const CGrapherPage* originalPage = original->GetGraphPage();
    EXPECT_NE(copy.GetGraphPage(), originalPage);
    EXPECT_NE(assigned.GetGraphPage(), originalPage);
    original.reset();  // closes the table and the page in the module

    Mark();
    copy.AddLogEntry("still", 0).CloseLog();
    EXPECT_EQ(Calls(), (Lines{"AddRow table", "SetRowItemText table, 0, 0, still", "Show 5", "UpdateChartDisplay table",
                              "CloseChart table", "ClosePage log"}));

    ChartLog onPage(&source);
    onPage.SetPage(&page);
    ChartLog pageCopy(onPage);
    EXPECT_EQ(pageCopy.GetGraphPage(), &page);  // a page the caller named is shared
}
