#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "plotmodel/model_grapher.h"

// A root object of the drawing module that writes into a fresh folder on every refresh.
struct PlotFixture : ::testing::Test {
    PlotFixture() { grapher.SetOutputDirectory(dir / "out"); }

    std::string Out(const std::string& name) const { return dir / ("out/" + name); }

    CGraphPage* NewPage() {
        CGraphPage* page = nullptr;
        EXPECT_EQ(grapher.CreatePage(1, &page), S_OK);
        return page;
    }
    // A graph with `traces` traces on a new page.
    CGraph* NewGraph(int traces, CGraphPage** pageOut = nullptr) {
        CGraphPage* page = NewPage();
        if (pageOut != nullptr) *pageOut = page;
        CGraph* graph = nullptr;
        EXPECT_EQ(grapher.CreateGraph(page, 1, &graph), S_OK);
        for (int i = 0; i < traces; ++i) EXPECT_EQ(grapher.AddTrace(graph), S_OK);
        return graph;
    }
    // One point: X, then a Y value per trace.
    long Add(CGraph* graph, std::vector<double> values) {
        return grapher.AddData(graph, 0, values.data(), static_cast<int>(values.size()) - 1, 1, 0);
    }
    // The number of points of a trace, or -1 when the module refuses to tell.
    int Points(CGraph* graph, int trace) {
        int count = -1;
        return grapher.GetDataNumberOfPoint(graph, trace, count) == S_OK ? count : -1;
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "out")) names.push_back(entry.path().filename());
        return names;
    }

    TempDir dir;  // outlives the grapher, which may write once more as it goes
    plotmodel::ModelGrapher grapher{0.0};
};
