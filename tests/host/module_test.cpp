#include <gtest/gtest.h>

#include "../support/module_path.h"

#include <cstdlib>
#include <string>

#include "veltutil/platform/host/modules/module.h"

namespace {

bool endsWith(const CString& text, const std::string& tail) {
    return text.str().size() >= tail.size() && text.str().compare(text.str().size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST(Modules, PlottingModuleNameFindsThePlatformBuildBesideTheLibrary) {
    velttest::ModulePath defaultSearch(nullptr);
    HMODULE module = LoadLibrary("grapher.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_TRUE(endsWith(GetModuleFileName(module), "/grapher.so"));
    EXPECT_NE(GetProcAddress(module, "GrapherCreate"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);

    // Loads are counted: the module stays until the last FreeLibrary.
    EXPECT_EQ(LoadLibrary("grapher.dll"), module);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_NE(GetProcAddress(module, "GrapherCreate"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
}

TEST(Modules, SearchPathVariableChoosesTheBuildOrNone) {
    {
        velttest::ModulePath path(std::string(VELT_TEST_BINARY_DIR) + "/no-such-dir:" VELT_TEST_BINARY_DIR "/plotter-without-export");
        HMODULE module = LoadLibrary("grapher.dll");
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(GetProcAddress(module, "GrapherCreate"), nullptr);
        EXPECT_NE(GetProcAddress(module, "GrapherVersion"), nullptr);
        EXPECT_TRUE(FreeLibrary(module));
    }
    {
        velttest::ModulePath path("/no-such-dir");
        EXPECT_EQ(LoadLibrary("grapher.dll"), nullptr);
    }
    EXPECT_EQ(LoadLibrary(nullptr), nullptr);
}

TEST(Modules, AnyAddressNamesItsModule) {
    HMODULE program = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&endsWith));
    HMODULE host = GetModuleHandleFromAddress(reinterpret_cast<const void*>(&LoadLibrary));
    ASSERT_NE(program, nullptr);
    ASSERT_NE(host, nullptr);
    EXPECT_NE(program, host);
    EXPECT_TRUE(endsWith(GetModuleFileName(host), "/libvelthost.so.0"));
    EXPECT_EQ(GetModuleHandleFromAddress(nullptr), nullptr);
    EXPECT_FALSE(FreeLibrary(host));  // never mapped by LoadLibrary, so never unmapped by it
}
