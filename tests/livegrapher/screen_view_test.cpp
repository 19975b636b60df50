#include <QApplication>
#include <QDeadlineTimer>
#include <QLayout>
#include <QTest>

#include "live_support.h"

namespace {

using velttest::LivePages;

bool isTopLevel(const QWidget* window) { return QApplication::topLevelWidgets().contains(const_cast<QWidget*>(window)); }

TEST_F(LivePages, APageIsAWindowTitledAsItsDocument) {
    CGraphPage* page = NewPage("Transient");
    livegrapher::PageWindow* window = WindowOf(page);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // The title shows at the next refresh; the tab name, when there is one, wins as in a browser.
    ASSERT_EQ(grapher.Show(1), S_OK);
    EXPECT_EQ(window->windowTitle(), "Transient");
    ASSERT_EQ(grapher.SetPageTabName(page, "Tab"), S_OK);
    ASSERT_EQ(grapher.Show(1), S_OK);
    EXPECT_EQ(window->windowTitle(), "Tab");
    // Placed at once; a refresh leaves a window that a person moved since where it is.
    ASSERT_EQ(grapher.SetPageWndPos(page, nullptr, nullptr, 40, 50, 300, 200, 0), S_OK);
    EXPECT_EQ(window->geometry().size(), QSize(300, 200));
    window->resize(310, 210);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->size() == QSize(310, 210); }));
    ASSERT_EQ(grapher.Show(1), S_OK);
    EXPECT_EQ(window->geometry().size(), QSize(310, 210));
}

TEST_F(LivePages, APersonClosingTheWindowOnlyHidesIt) {
    CGraphPage* page = NewPage("Hidden");
    CGraph* graph = NewGraph(page, 1);
    livegrapher::PageWindow* window = WindowOf(page);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Append(graph, 1), S_OK);
    NextFrame();
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(grapher.Show(1), S_OK);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->GraphShown(SerialOf(graph))->traces[0].Size(), 1u);
}

TEST_F(LivePages, AClosedPageKeepsShowingItsLastDataWhileItsHandlesFail) {
    CGraphPage* page = NewPage("Closing");
    CGraph* graph = NewGraph(page, 2);
    for (int k = 0; k < 3; ++k) ASSERT_EQ(Append(graph, k), S_OK);
    ASSERT_EQ(grapher.ClosePage(page), S_OK);

    livegrapher::PageWindow* window = WindowOf(page);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    ASSERT_NE(window->GraphWidgetOf(SerialOf(graph)), nullptr);
    const plotmodel::Graph* shown = window->GraphShown(SerialOf(graph));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->traces[1].Size(), 3u);
    EXPECT_EQ(shown->traces[1].y[2], 6.0);

    EXPECT_EQ(Append(graph, 4), E_HANDLE);
    EXPECT_EQ(grapher.ClosePage(page), E_FAIL);
    // Show refreshes every page; the closed one keeps what it showed.
    ASSERT_EQ(grapher.Show(1), S_OK);
    EXPECT_EQ(window->GraphShown(SerialOf(graph)), shown);
}

TEST_F(LivePages, ClearingEmptiesTheWindowAndDeletingClosesIt) {
    CGraphPage* page = NewPage("Cleared");
    CGraph* graph = NewGraph(page, 1);
    ASSERT_EQ(Append(graph, 1), S_OK);
    NextFrame();
    livegrapher::PageWindow* window = WindowOf(page);
    ASSERT_NE(window->GraphWidgetOf(SerialOf(graph)), nullptr);

    ASSERT_EQ(grapher.ClearPage(page), S_OK);
    EXPECT_EQ(window->GraphWidgetOf(SerialOf(graph)), nullptr);
    EXPECT_EQ(Append(graph, 2), E_HANDLE);

    ASSERT_EQ(grapher.DeletePage(page), S_OK);
    EXPECT_EQ(WindowOf(page), nullptr);
    EXPECT_FALSE(isTopLevel(window));
    EXPECT_EQ(grapher.DeletePage(page), E_HANDLE);
}

TEST_F(LivePages, AReplacedGraphGivesWayToTheNewOne) {
    CGraphPage* page = NewPage("Replaced");
    CGraph* graph = NewGraph(page, 1);
    ASSERT_EQ(Append(graph, 1), S_OK);
    NextFrame();
    std::uint64_t old = SerialOf(graph);
    livegrapher::PageWindow* window = WindowOf(page);
    ASSERT_NE(window->GraphWidgetOf(old), nullptr);
    ASSERT_EQ(grapher.CreateGraph(page, 2, &graph), S_OK);
    EXPECT_EQ(window->GraphWidgetOf(old), nullptr);
    ASSERT_EQ(grapher.AddTrace(graph), S_OK);
    ASSERT_EQ(Append(graph, 1), S_OK);
    NextFrame();
    ASSERT_NE(window->GraphWidgetOf(SerialOf(graph)), nullptr);
    EXPECT_EQ(window->GraphShown(SerialOf(graph)), grapher.Store().FindGraph(graph));
}

TEST_F(LivePages, AppendsReachTheGraphAtMostOncePerFrame) {
    CGraphPage* page = NewPage("Paced");
    CGraph* graph = NewGraph(page, 2);
    NextFrame();
    std::uint64_t before = screen.GraphUpdates();
    // A frame's worth of steps: the first is shown, the others wait for the next frame.
    for (int step = 0; step < 100; ++step) ASSERT_EQ(Append(graph, step), S_OK);
    EXPECT_EQ(screen.GraphUpdates(), before + 1);
    screen.ShowWaiting();  // early: the frame has not come
    EXPECT_EQ(screen.GraphUpdates(), before + 1);
    NextFrame();
    EXPECT_EQ(screen.GraphUpdates(), before + 2);
    NextFrame();  // nothing waits any more
    EXPECT_EQ(screen.GraphUpdates(), before + 2);
}

TEST_F(LivePages, AWaitingRefreshIsShownWhenTheHostLoopRunsTheTimer) {
    CGraphPage* page = NewPage("Timer");
    CGraph* graph = NewGraph(page, 1);
    ASSERT_EQ(Append(graph, 1), S_OK);  // in the page's first frame: waits
    std::uint64_t before = screen.GraphUpdates();
    now += livegrapher::FramePacer::kFrame;
    QDeadlineTimer patience(10000);
    while (screen.GraphUpdates() == before && !patience.hasExpired()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(screen.GraphUpdates(), before + 1);
}

TEST_F(LivePages, AForcedRefreshShowsAtOnceAndOnlyTheGraphsThatChanged) {
    CGraphPage* page = NewPage("Forced");
    CGraph* fed = NewGraph(page, 1);
    CGraph* still = NewGraph(page, 1);
    ASSERT_EQ(grapher.Show(1), S_OK);
    std::uint64_t before = screen.GraphUpdates();
    ASSERT_EQ(Append(fed, 1, 0), S_OK);
    ASSERT_EQ(grapher.Show(1), S_OK);
    EXPECT_EQ(screen.GraphUpdates(), before + 1);
    ASSERT_EQ(grapher.SetGraphTitle(still, "Settings count too"), S_OK);
    ASSERT_EQ(grapher.CloseGraph(fed), S_OK);  // forced, in the same frame
    EXPECT_EQ(screen.GraphUpdates(), before + 3);
}

TEST_F(LivePages, ItemsJoinTheWindowInThePagesOrderAndHiddenGraphsStayHidden) {
    CGraphPage* page = NewPage("Diagram");
    CGraph* first = NewGraph(page, 1);
    ASSERT_EQ(grapher.Show(1), S_OK);
    CChart* table = nullptr;
    ASSERT_EQ(grapher.CreateChart(page, 1, &table), S_OK);
    CGraph* hidden = NewGraph(page, 1);
    ASSERT_EQ(grapher.ShowDiagram(hidden, 0), S_OK);
    ASSERT_EQ(grapher.Show(1), S_OK);
    QCoreApplication::processEvents();
    livegrapher::PageWindow* window = WindowOf(page);
    ASSERT_NE(window->TableOf(SerialOf(table)), nullptr);
    EXPECT_TRUE(window->GraphWidgetOf(SerialOf(first))->isVisible());
    EXPECT_TRUE(window->GraphWidgetOf(SerialOf(hidden))->isHidden());
    QLayout& stack = *window->layout();
    EXPECT_EQ(stack.indexOf(window->GraphWidgetOf(SerialOf(first))), 0);
    EXPECT_EQ(stack.indexOf(window->TableOf(SerialOf(table))), 1);
    EXPECT_EQ(stack.indexOf(window->GraphWidgetOf(SerialOf(hidden))), 2);
}

}  // namespace
