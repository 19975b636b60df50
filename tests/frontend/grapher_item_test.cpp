#include <gtest/gtest.h>

#include "tests/support/scripted_services.h"
#include "../support/module_path.h"
#include "../support/temp_dir.h"

#include <cmath>
#include <complex>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/app_front_end.h"
#include "plotter/recording_module.h"
#include "veltutil/framework/snap_in_container.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/grapher/std_grapher_page.h"
#include "veltutil/platform/host/windows/message_box.h"
#include "veltutil/properties/variant.h"

using velttest::AppFrontEnd;

namespace {

// Front ends where applications keep them: in the application object, of static storage
// duration, so that they are destroyed after main among the library's own statics. Built before
// main, each is older than anything the library makes on first use.
AppFrontEnd staticFrontEnd;
struct StaticApplication {
    AppFrontEnd frontEnd;
    CSnapInContainer container;
} staticApplication;

struct GrapherItemTest : ::testing::Test {
    GrapherItemTest() {
        container.Create(&frontEnd);
        frontEnd.Initialize(&container);
    }
    // Unloads the module and unbinds the plotting sources, which the whole library shares.
    ~GrapherItemTest() override { container.Clear_Snapins_and_GuIF(); }

    void ExpectFailure(const char* message) {
        ScriptedMessageBoxes boxes;
        ComItem item = frontEnd.NewComItem("plots", ComItem::ItemGrapher, 0);
        EXPECT_FALSE(item);
        ASSERT_EQ(boxes.Requests().size(), 1u);
        EXPECT_EQ(boxes.Requests()[0].text, message);
        EXPECT_EQ(boxes.Requests()[0].type, MB_OK);
    }

    AppFrontEnd frontEnd;
    CSnapInContainer container;
};

}  // namespace

TEST_F(GrapherItemTest, FirstRequestLoadsTheModuleAndBothSourcesShareItsRootObject) {
    RecordingModule module;
    ASSERT_TRUE(module.Loaded());
    ScriptedMessageBoxes boxes;

    ComItem first = frontEnd.NewComItem("Transient", ComItem::ItemGrapher, 0);
    ASSERT_EQ(first.GetType(), ComItem::ItemGrapher);
    EXPECT_STREQ(first.GetName(), "Transient");
    CGrapherSource* source0 = first.GetGrapher();
    ASSERT_NE(source0, nullptr);
    ASSERT_NE(source0->GetGrapher(), nullptr);
    EXPECT_EQ(module.Recording().CallsOf(-1).size(), 1u);
    EXPECT_EQ(module.Recording().CallsOf(-1)[0].arguments, std::vector<std::string>{"0"});

    ComItem second = frontEnd.NewComItem("AC", ComItem::ItemGrapher, 1);
    CGrapherSource* source1 = second.GetGrapher();
    ASSERT_NE(source1, nullptr);
    EXPECT_NE(source1, source0);
    EXPECT_EQ(source1->GetGrapher(), source0->GetGrapher());
    EXPECT_EQ(frontEnd.NewComItem("again", ComItem::ItemGrapher, 0).GetGrapher(), source0);
    EXPECT_EQ(module.Recording().CallsOf(-1).size(), 1u);  // loaded and created once
    EXPECT_TRUE(boxes.Requests().empty());

    // A source is reached through its item, as the suite's modules reach it.
    source0->Show(1);
    EXPECT_EQ(module.Recording().CallsOf(94).size(), 1u);

    EXPECT_FALSE(frontEnd.NewComItem("bad", ComItem::ItemGrapher, 2));
    EXPECT_FALSE(frontEnd.NewComItem("bad", ComItem::ItemGrapher, -1));

    // Unloading the module unbinds both sources rather than leaving them a dangling root object.
    frontEnd.Uninitialize();
    EXPECT_EQ(source0->GetGrapher(), nullptr);
    EXPECT_EQ(source1->GetGrapher(), nullptr);
    EXPECT_EQ(source0->Show(1), E_FAIL);
}

TEST_F(GrapherItemTest, EachFailureShowsItsMessageAndAFailedLoadCanBeRetried) {
    {
        velttest::ModulePath path("/no-such-dir");
        ExpectFailure("<<Load Grapher_dll failed>>");
    }
    {
        velttest::ModulePath path(VELT_TEST_BINARY_DIR "/plotter-without-export");
        ExpectFailure("<<GrapherCreate failed>>");
    }
    RecordingModule module;
    ASSERT_TRUE(module.Loaded());
    module.Recording().createReturnsNull = true;
    ExpectFailure("<<GrapherCreate failed>>");
    module.Recording().createReturnsNull = false;

    ComItem item = frontEnd.NewComItem("plots", ComItem::ItemGrapher, 0);
    ASSERT_TRUE(item);
    EXPECT_NE(item.GetGrapher()->GetGrapher(), nullptr);
    EXPECT_EQ(module.Recording().CallsOf(-1).size(), 2u);
}

// With no module chosen, an item's pages are drawn as files. A first-order low-pass, fed as the
// simulator's AC analysis feeds it: one complex value a point.
TEST_F(GrapherItemTest, AStandardMagnitudePhasePageOnTheDrawingModuleKeepsEveryPointItWasFed) {
    TempDir dir;
    velttest::ModulePath defaultSearch(nullptr);
    ::setenv("VELT_GRAPHER_OUTPUT", (dir / "plots").c_str(), 1);
    {
        ComItem item = frontEnd.NewComItem("AC", ComItem::ItemGrapher, 0);
        ASSERT_TRUE(item);
        CStdGrapherPage page;
        ASSERT_EQ(item.GetGrapher()->Create(1, page), S_OK);
        ASSERT_EQ(page.OpenStdGraph(1, DIAGRAM_MAGNITUDE_PHASE_FROM_COMPLEX), S_OK);
        CStdGrapherGraph& graph = page.GetStdGrapherGraph();
        ASSERT_EQ(graph.AddTrace(), S_OK);
        ASSERT_EQ(graph.SetTraceLabel(0, "V(out)", ChartType{}), S_OK);
        graph.AddUpdateMode(CGrapherGraph::UPDATE_EXPANDING, 1.2);

        constexpr int kPoints = 1000;
        for (int i = 0; i < kPoints; ++i) {
            const double f = std::pow(10.0, 1.0 + 5.0 * i / (kPoints - 1));  // 10 Hz to 1 MHz
            const std::complex<double> h = 1.0 / std::complex<double>(1.0, f / 1591.55);
            graph.SetXAxisGraphData(f);
            graph.SetNthGraphData(0, h.real(), h.imag(), 0, 0, 0, 0, 0, 0);
            ASSERT_EQ(graph.AddData(1, 0), S_OK) << "point " << i;
        }
        for (int n = 0; n < 2; ++n) {
            SCOPED_TRACE(n);
            int count = 0;
            ASSERT_EQ(graph.GetGrapher()->GetDataNumberOfPoint(*graph.NthGraph(n), 0, count), S_OK);
            EXPECT_EQ(count, kPoints);
        }
        // Refreshes while data stream in are paced by the time writes take; closing the page
        // writes it whatever the pacing says. Magnitude and phase are drawn as pictures of their
        // own, each with the trace and its label.
        ASSERT_EQ(page.CloseNow(), S_OK);
        int pictures = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "plots")) {
            if (entry.path().extension() != ".svg") continue;
            SCOPED_TRACE(entry.path().string());
            ++pictures;
            const std::string picture = ReadFile(entry.path());
            EXPECT_NE(picture.find("<path class=\"trace\" data-trace=\"0\""), std::string::npos);
            EXPECT_NE(picture.find("V(out)"), std::string::npos);
        }
        EXPECT_EQ(pictures, 2);
    }
    ::unsetenv("VELT_GRAPHER_OUTPUT");
}

TEST(StaticFrontEnd, ExitWithALoadedPlottingModuleEndsCleanly) {
    EXPECT_EXIT(
        {
            ComItem item = staticFrontEnd.NewComItem("plots", ComItem::ItemGrapher, 0);
            staticFrontEnd.SetProperty(10053, OrvVariant(440L), nullptr, nullptr);  // a tone sounds too
            std::exit(item && item.GetGrapher()->GetGrapher() != nullptr ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            staticApplication.container.Create(&staticApplication.frontEnd);
            staticApplication.frontEnd.Initialize(&staticApplication.container);
            ComItem item = staticApplication.frontEnd.NewComItem("plots", ComItem::ItemGrapher, 1);
            std::exit(item && item.GetGrapher()->GetGrapher() != nullptr ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}
