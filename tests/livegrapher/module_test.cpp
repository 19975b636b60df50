#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/module_path.h"
#include "../support/temp_dir.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/modules/module.h"

namespace {

using ExportPageProc = long (*)(CGraphPage*, const char*);
using ExportPngProc = long (*)(CGraph*, const char*);

// The live module as a program chooses it: its folder first in the module search.
class LiveModule : public ::testing::Test {
protected:
    void SetUp() override {
        velttest::ModulePath path(VELT_TEST_BINARY_DIR "/livegrapher:" VELT_TEST_BINARY_DIR);
        module = LoadLibrary("grapher.dll");
        ASSERT_NE(module, nullptr);
        auto create = reinterpret_cast<GRAPHERCREATEPROC>(GetProcAddress(module, "GrapherCreate"));
        exportPage = reinterpret_cast<ExportPageProc>(GetProcAddress(module, "GrapherExportPage"));
        exportPng = reinterpret_cast<ExportPngProc>(GetProcAddress(module, "GrapherExportGraphPng"));
        ASSERT_TRUE(create != nullptr && exportPage != nullptr && exportPng != nullptr);
        root = create(0);
        ASSERT_NE(root, nullptr);
        ASSERT_EQ(root->CreatePage(1, &page), S_OK);
        ASSERT_EQ(root->CreateGraph(page, 1, &graph), S_OK);
        ASSERT_EQ(root->AddTrace(graph), S_OK);
        double values[] = {1, 2};
        ASSERT_EQ(root->AddData(graph, 0, values, 1, 0, 1), S_OK);
    }
    void TearDown() override {
        if (root != nullptr) root->DeletePage(page);
        if (module != nullptr) FreeLibrary(module);
    }

    HMODULE module = nullptr;
    CGrapher* root = nullptr;
    ExportPageProc exportPage = nullptr;
    ExportPngProc exportPng = nullptr;
    CGraphPage* page = nullptr;
    CGraph* graph = nullptr;
};

QWidget* windowTitled(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowTitle() == title) return window;
    return nullptr;
}

// Runs without a screen too (the test livegrapher_without_display): every slot answers.
TEST_F(LiveModule, AnswersFromItsModel) {
    int count = 0;
    ASSERT_EQ(root->GetDataNumberOfPoint(graph, 0, count), S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(root->ClosePage(page), S_OK);
    EXPECT_EQ(root->GetDataNumberOfPoint(graph, 0, count), E_HANDLE);
}

TEST_F(LiveModule, ShowsThePageInAWindowWithItsTitle) {
    ASSERT_EQ(root->SetPageTitle(page, "Live module page"), S_OK);
    ASSERT_EQ(root->Show(1), S_OK);
    EXPECT_NE(windowTitled("Live module page"), nullptr);
    ASSERT_EQ(root->DeletePage(page), S_OK);
    EXPECT_EQ(windowTitled("Live module page"), nullptr);
}

TEST_F(LiveModule, ScriptsExportPagesAndPictures) {
    TempDir dir;
    ASSERT_EQ(exportPage(page, (dir / "pages").c_str()), S_OK);
    EXPECT_TRUE(std::filesystem::exists(dir / "pages/index.html"));
    ASSERT_EQ(exportPng(graph, (dir / "graph.png").c_str()), S_OK);
    EXPECT_GT(std::filesystem::file_size(dir / "graph.png"), 0u);

    EXPECT_EQ(exportPng(graph, (dir / "missing/graph.png").c_str()), E_FAIL);
    EXPECT_EQ(exportPng(graph, nullptr), E_FAIL);
    EXPECT_EQ(exportPage(reinterpret_cast<CGraphPage*>(graph), (dir / "x").c_str()), E_HANDLE);
    EXPECT_EQ(exportPng(reinterpret_cast<CGraph*>(page), (dir / "x.png").c_str()), E_HANDLE);
    ASSERT_EQ(root->ClosePage(page), S_OK);
    EXPECT_EQ(exportPage(page, (dir / "closed").c_str()), E_FAIL);
}

}  // namespace
