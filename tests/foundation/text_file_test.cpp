#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "veltutil/foundation/text_file.h"

TEST(PrintToFile, TruncatesOrAppendsAndIsCompleteOnReturn) {
    TempDir dir;
    std::string path = dir / "out.txt";
    print("first", path.c_str());
    EXPECT_EQ(ReadFile(path), "first\n");
    printapp("second", path.c_str());
    printapp("", path.c_str());
    EXPECT_EQ(ReadFile(path), "first\nsecond\n\n");
    print("again", path.c_str());
    EXPECT_EQ(ReadFile(path), "again\n");

    std::string fresh = dir / "new.txt";
    printapp("created", fresh.c_str());
    EXPECT_EQ(ReadFile(fresh), "created\n");
}

TEST(PrintToFile, SkipsFilesThatCannotBeOpened) {
    TempDir dir;
    print("x", (dir / "no/such/dir.txt").c_str());
    printapp("x", (dir / "no/such/dir.txt").c_str());
    print("x", "");
    print("x", dir / "");  // a directory
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}
