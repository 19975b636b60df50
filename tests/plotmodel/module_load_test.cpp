#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "../support/temp_dir.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/platform/host/modules/module.h"

namespace {

// The drawing module as an application gets it: by its file name, through the host.
using LoadedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)>;

LoadedModule load(const char* name) { return LoadedModule(LoadLibrary(name), &FreeLibrary); }

template <class Proc>
Proc get(const LoadedModule& module, const char* name) {
    return reinterpret_cast<Proc>(GetProcAddress(module.get(), name));
}

}  // namespace

TEST(DrawingModule, WritesIntoTheFolderTheApplicationNames) {
    TempDir dir;
    LoadedModule module = load(VELT_TEST_BINARY_DIR "/grapher.so");
    ASSERT_NE(module, nullptr);
    auto create = get<GRAPHERCREATEPROC>(module, "GrapherCreate");
    auto setOutput = get<GRAPHERSETOUTPUTDIRECTORYPROC>(module, "GrapherSetOutputDirectory");
    ASSERT_TRUE(create != nullptr && setOutput != nullptr);
    EXPECT_EQ(create(1), nullptr);
    CGrapher* root = create(0);
    ASSERT_NE(root, nullptr);

    ASSERT_EQ(setOutput((dir / "plots").c_str()), S_OK);
    CGraphPage* page = nullptr;
    ASSERT_EQ(root->CreatePage(1, &page), S_OK);
    CGraph* graph = nullptr;
    ASSERT_EQ(root->CreateGraph(page, 1, &graph), S_OK);
    ASSERT_EQ(root->CloseGraph(graph), S_OK);  // writes the page whatever the pacing says
    ASSERT_EQ(root->DeletePage(page), S_OK);
    ASSERT_EQ(setOutput(nullptr), S_OK);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "plots")) files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 4u);  // index, page, graph picture and data
}
