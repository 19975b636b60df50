#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "veltutil/foundation/text_file.h"

TEST(PrintToFile, TruncatesOrAppendsAndSkipsWhatCannotBeOpened) {
    TempDir dir;
    std::string path = dir / "out.txt";
    print("first", path.c_str());
    printapp("second", path.c_str());
    EXPECT_EQ(ReadFile(path), "first\nsecond\n");  // complete as soon as the calls return
    print("again", path.c_str());
    EXPECT_EQ(ReadFile(path), "again\n");
    printapp("new", (dir / "new.txt").c_str());
    EXPECT_EQ(ReadFile(dir / "new.txt"), "new\n");

    print("x", (dir / "no/such/dir.txt").c_str());
    printapp("x", "");
    print("x", dir / "");  // a directory
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));
}
