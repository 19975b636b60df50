#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "veltutil/platform/library/special_output.h"

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

class SpecialOutputFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("velt_special_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path file(const char* name) const { return dir_ / name; }

    fs::path dir_;
};

}  // namespace

TEST_F(SpecialOutputFile, AppendsEachLineCompleteWhileActive) {
    CSpecialOutput output;
    fs::path path = file("special.txt");
    std::ofstream(path) << "earlier\n";

    ASSERT_TRUE(output.Activate(2, path.c_str()));
    EXPECT_TRUE(output.IsSpecial(2));
    EXPECT_FALSE(output.IsSpecial(1));
    EXPECT_EQ(output.GetPath(2), CString(path.c_str()));

    EXPECT_TRUE(output.WriteText(2, "first\tline", true));
    EXPECT_EQ(readFile(path), "earlier\nfirst\tline\n");  // complete as soon as the call returns
    EXPECT_TRUE(output.WriteText(2, "no end", false));
    EXPECT_TRUE(output.WriteText(2, nullptr, true));
    EXPECT_EQ(readFile(path), "earlier\nfirst\tline\nno end\n");

    output.Deactivate(2);
    EXPECT_FALSE(output.IsSpecial(2));
    EXPECT_FALSE(output.WriteText(2, "lost", true));
    EXPECT_EQ(readFile(path), "earlier\nfirst\tline\nno end\n");
    EXPECT_EQ(output.GetPath(2), "");
}

TEST_F(SpecialOutputFile, SwitchingFilesAndRefusals) {
    CSpecialOutput output;
    fs::path a = file("a.txt");
    fs::path b = file("b.txt");
    ASSERT_TRUE(output.Activate(2, a.c_str()));
    output.WriteText(2, "to a", true);
    ASSERT_TRUE(output.Activate(2, b.c_str()));
    output.WriteText(2, "to b", true);
    EXPECT_EQ(readFile(a), "to a\n");
    EXPECT_EQ(readFile(b), "to b\n");

    // A file that cannot be opened leaves the type inactive rather than half switched.
    EXPECT_FALSE(output.Activate(2, file("missing/dir/x.txt").c_str()));
    EXPECT_FALSE(output.IsSpecial(2));
    EXPECT_FALSE(output.Activate(-1, a.c_str()));
    EXPECT_FALSE(output.Activate(CSpecialOutput::kTypeCount, a.c_str()));
    EXPECT_FALSE(output.Activate(3, nullptr));
    EXPECT_FALSE(output.IsSpecial(CSpecialOutput::kTypeCount));
    EXPECT_FALSE(output.WriteText(-1, "x", true));
    output.Deactivate(99);

    EXPECT_EQ(&CSpecialOutput::GetGlobal(), &CSpecialOutput::GetGlobal());
}
