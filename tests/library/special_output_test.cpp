#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "../support/temp_dir.h"
#include "veltutil/platform/library/special_output.h"

namespace {

struct SpecialOutputFile : ::testing::Test {
    std::string file(const char* name) const { return dir / name; }
    TempDir dir;
};

}  // namespace

TEST_F(SpecialOutputFile, AppendsEachLineCompleteWhileActive) {
    CSpecialOutput output;
    std::string path = file("special.txt");
    std::ofstream(path) << "earlier\n";

    ASSERT_TRUE(output.Activate(2, path.c_str()));
    EXPECT_FALSE(output.IsSpecial(1));

    EXPECT_TRUE(output.WriteText(2, "first\tline", true));
    EXPECT_EQ(ReadFile(path), "earlier\nfirst\tline\n");  // complete as soon as the call returns
    EXPECT_TRUE(output.WriteText(2, "no end", false));
    EXPECT_TRUE(output.WriteText(2, nullptr, true));
    EXPECT_EQ(ReadFile(path), "earlier\nfirst\tline\nno end\n");

    output.Deactivate(2);
    EXPECT_FALSE(output.IsSpecial(2));
    EXPECT_FALSE(output.WriteText(2, "lost", true));
    EXPECT_EQ(ReadFile(path), "earlier\nfirst\tline\nno end\n");
}

TEST_F(SpecialOutputFile, SwitchingFilesAndRefusals) {
    CSpecialOutput output;
    std::string a = file("a.txt");
    std::string b = file("b.txt");
    ASSERT_TRUE(output.Activate(2, a.c_str()));
    output.WriteText(2, "to a", true);
    ASSERT_TRUE(output.Activate(2, b.c_str()));
    output.WriteText(2, "to b", true);
    EXPECT_EQ(ReadFile(a), "to a\n");
    EXPECT_EQ(ReadFile(b), "to b\n");

    // A file that cannot be opened leaves the type inactive rather than half switched.
    EXPECT_FALSE(output.Activate(2, file("missing/dir/x.txt").c_str()));
    EXPECT_FALSE(output.IsSpecial(2));
    EXPECT_FALSE(output.Activate(CSpecialOutput::kTypeCount, a.c_str()));
    EXPECT_FALSE(output.Activate(3, nullptr));
    EXPECT_FALSE(output.WriteText(-1, "x", true));
}
