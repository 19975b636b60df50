#include <gtest/gtest.h>

#include <filesystem>

#include "../support/module_path.h"
#include "../support/temp_dir.h"
#include "plotter/recording.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/modules/module.h"

namespace {

// The drawing module as an application gets it: by its file name, through the host.
class LoadedModule {
public:
    explicit LoadedModule(const char* name) : module_(LoadLibrary(name)) {}
    ~LoadedModule() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    template <class Proc>
    Proc Get(const char* name) const {
        return module_ != nullptr ? reinterpret_cast<Proc>(GetProcAddress(module_, name)) : nullptr;
    }

private:
    HMODULE module_;
};

}  // namespace

TEST(DrawingModule, IsWhatTheDefaultSearchFindsWhileTestsSelectTheRecordingOne) {
    {
        velttest::ModulePath defaultSearch(nullptr);
        LoadedModule drawing("grapher.dll");
        EXPECT_NE(drawing.Get<GRAPHERCREATEPROC>("GrapherCreate"), nullptr);
        EXPECT_NE(drawing.Get<GRAPHERSETOUTPUTDIRECTORYPROC>("GrapherSetOutputDirectory"), nullptr);
        EXPECT_EQ(drawing.Get<GRAPHERRECORDINGPROC>("GrapherRecording"), nullptr);
    }
    LoadedModule recording("grapher.dll");
    EXPECT_NE(recording.Get<GRAPHERRECORDINGPROC>("GrapherRecording"), nullptr);
    EXPECT_EQ(recording.Get<GRAPHERSETOUTPUTDIRECTORYPROC>("GrapherSetOutputDirectory"), nullptr);
}

TEST(DrawingModule, WritesIntoTheFolderTheApplicationNames) {
    TempDir dir;
    LoadedModule module(VELT_TEST_BINARY_DIR "/grapher.so");
    auto create = module.Get<GRAPHERCREATEPROC>("GrapherCreate");
    auto setOutput = module.Get<GRAPHERSETOUTPUTDIRECTORYPROC>("GrapherSetOutputDirectory");
    ASSERT_NE(create, nullptr);
    ASSERT_NE(setOutput, nullptr);
    EXPECT_EQ(create(1), nullptr);
    CGrapher* root = create(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(create(0), root);

    ASSERT_EQ(setOutput((dir / "plots").c_str()), S_OK);
    CGraphPage* page = nullptr;
    ASSERT_EQ(root->CreatePage(1, &page), S_OK);
    CGraph* graph = nullptr;
    ASSERT_EQ(root->CreateGraph(page, 1, &graph), S_OK);
    ASSERT_EQ(root->AddTrace(graph), S_OK);
    double point[] = {0, 1};
    ASSERT_EQ(root->AddData(graph, 0, point, 1, 1, 0), S_OK);
    ASSERT_EQ(root->CloseGraph(graph), S_OK);  // writes the page whatever the pacing says
    int count = 0;
    ASSERT_EQ(root->GetDataNumberOfPoint(graph, 0, count), S_OK);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(root->DeletePage(page), S_OK);
    EXPECT_EQ(root->AddTrace(graph), E_HANDLE);
    ASSERT_EQ(setOutput(nullptr), S_OK);

    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "plots")) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 4u);  // index, page, graph picture and data
}
