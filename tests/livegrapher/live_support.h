#pragma once

#include <gtest/gtest.h>

#include <chrono>

#include "livegrapher/live_module.h"
#include "livegrapher/screen_view.h"
#include "plotmodel/model_grapher.h"

namespace velttest {

// A root object shown on the screen, paced by a clock that moves only when a check says so.
class LivePages : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(livegrapher::ScreenUp()); }

    // The next frame comes, and the refreshes that waited for it are shown.
    void NextFrame() {
        now += livegrapher::FramePacer::kFrame;
        screen.ShowWaiting();
    }

    CGraphPage* NewPage(const char* title) {
        CGraphPage* page = nullptr;
        EXPECT_EQ(grapher.CreatePage(1, &page), S_OK);
        EXPECT_EQ(grapher.SetPageTitle(page, title), S_OK);
        return page;
    }
    CGraph* NewGraph(CGraphPage* page, int traces) {
        CGraph* graph = nullptr;
        EXPECT_EQ(grapher.CreateGraph(page, 1, &graph), S_OK);
        for (int k = 0; k < traces; ++k) EXPECT_EQ(grapher.AddTrace(graph), S_OK);
        return graph;
    }
    long Append(CGraph* graph, double x, int update = 1) {
        double values[] = {x, x * 2, x * 3};
        return grapher.AddData(graph, 0, values, grapher.GetNumberOfTraces(graph), 0, update);
    }
    livegrapher::PageWindow* WindowOf(const void* page) const {
        return screen.WindowOf(plotmodel::ObjectStore::SerialOf(page));
    }
    static std::uint64_t SerialOf(const void* handle) { return plotmodel::ObjectStore::SerialOf(handle); }

    std::chrono::nanoseconds now{std::chrono::seconds(1000)};
    plotmodel::ModelGrapher grapher;
    livegrapher::ScreenView screen{grapher, [this] { return now; }};
};

}  // namespace velttest
