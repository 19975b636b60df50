#include <gtest/gtest.h>

#include <vector>

#include "tests/support/temp_dir.h"
#include "veltutil/foundation/file_info_simple.h"

namespace {

std::vector<CString> names(const CFileInfoSimple& info) {
    std::vector<CString> result;
    for (int i = 0; i < info.GetCount(); ++i) result.push_back(info.GetFileName(i));
    return result;
}

}  // namespace

TEST(CFileInfoSimple, ListsMatchingFilesButNoDirectories) {
    TempDir dir;
    dir.Touch("report.txt");
    dir.Touch("a.b.c.txt");
    dir.Touch("notes.md");
    dir.MakeDir("folder.txt");

    CFileInfoSimple info;
    EXPECT_EQ(info.DirFile((dir / "*.txt").c_str(), false), 2);
    EXPECT_EQ(names(info), (std::vector<CString>{"a.b.c.txt", "report.txt"}));

    EXPECT_EQ(info.DirFile((dir / "*").c_str(), true), 3);
    EXPECT_EQ(names(info), (std::vector<CString>{"a.b.c", "notes", "report"}));
    EXPECT_EQ(info.GetFileName(3), "");
    EXPECT_EQ(info.GetFileName(-1), "");

    // Only directories (including "." and "..") match: nothing is listed.
    EXPECT_EQ(info.DirFile((dir / "folder*").c_str(), false), 0);
    EXPECT_EQ(info.DirFile((dir / ".*").c_str(), false), 0);
    EXPECT_EQ(info.GetCount(), 0);
}

TEST(CFileInfoSimple, UnreadablePatternsLeaveTheListEmpty) {
    TempDir dir;
    dir.Touch("x.txt");
    CFileInfoSimple info;
    ASSERT_EQ(info.DirFile((dir / "*").c_str(), false), 1);
    EXPECT_EQ(info.DirFile((dir / "missing/*").c_str(), false), 0);
    EXPECT_EQ(info.GetCount(), 0);
    ASSERT_EQ(info.DirFile((dir / "*").c_str(), false), 1);
    EXPECT_EQ(info.DirFile(nullptr, false), 0);
    EXPECT_EQ(info.GetCount(), 0);
    info.DirFile((dir / "*").c_str(), false);
    info.ResetContent();
    EXPECT_EQ(info.GetCount(), 0);
}
