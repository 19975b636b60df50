#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>

#include "veltutil/platform/host/modules/module.h"
#include "veltutil/platform/library/resource_strings.h"

namespace {

HINSTANCE fakeModule(std::uintptr_t n) { return reinterpret_cast<HINSTANCE>(n); }

}  // namespace

TEST(ResourceStrings, EachModuleAnswersFromItsOwnTable) {
    const HINSTANCE first = fakeModule(0x1000);
    const HINSTANCE second = fakeModule(0x2000);
    const StringTableEntry firstTexts[] = {{9001, "eins"}, {9002, "zwei"}};
    const StringTableEntry secondTexts[] = {{9001, "one"}, {9003, nullptr}};
    {
        CStringTableRegistration a(first, firstTexts, std::size(firstTexts));
        {
            CStringTableRegistration b(second, secondTexts, std::size(secondTexts));
            EXPECT_EQ(GetResourceString(9001, first), "eins");
            EXPECT_EQ(GetResourceString(9001, second), "one");
            EXPECT_EQ(GetResourceString(9002, second), "");  // not looked up in other tables
            EXPECT_EQ(GetResourceString(9003, second), "");
            EXPECT_EQ(GetResourceString(9002, nullptr), "zwei");
            EXPECT_EQ(GetResourceString(9001, nullptr), "eins");  // first registered wins
        }
        EXPECT_EQ(GetResourceString(9001, second), "");

        // A later registration of the same module shadows the earlier one until it ends.
        const StringTableEntry replacement[] = {{9001, "uno"}};
        std::optional<CStringTableRegistration> newer(std::in_place, first, replacement, std::size(replacement));
        EXPECT_EQ(GetResourceString(9001, first), "uno");
        newer.reset();
        EXPECT_EQ(GetResourceString(9001, first), "eins");
    }
    EXPECT_EQ(GetResourceString(9001, nullptr), "");
}

TEST(ResourceStrings, LibraryRegistersItsTableUnderItsOwnModuleWhileLoaded) {
    // Loaded explicitly: the table must follow the library's load and unload, under its handle.
    HMODULE library = LoadLibrary("libveltutil.so");
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(GetResourceString(7455, library), "S-参数 (Hz)");
    EXPECT_EQ(GetResourceString(7023, library), GetResourceString(7023, nullptr));
    EXPECT_FALSE(GetResourceString(7023, library).IsEmpty());
    EXPECT_EQ(GetResourceString(1, library), "");
    EXPECT_TRUE(FreeLibrary(library));
}
