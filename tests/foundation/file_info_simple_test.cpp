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

TEST(CFileInfoSimple, ListsMatchingFilesOnlyAndReplacesThePreviousListing) {
    TempDir dir;
    for (const char* name : {"report.txt", "a.b.c.txt", "notes.md"}) dir.Touch(name);
    dir.MakeDir("folder.txt");

    CFileInfoSimple info;
    EXPECT_EQ(info.DirFile((dir / "*.txt").c_str(), false), 2);
    EXPECT_EQ(names(info), (std::vector<CString>{"a.b.c.txt", "report.txt"}));
    EXPECT_EQ(info.DirFile((dir / "*").c_str(), true), 3);
    EXPECT_EQ(names(info), (std::vector<CString>{"a.b.c", "notes", "report"}));
    EXPECT_EQ(info.GetFileName(3), "");

    // Patterns matching only directories ("." and ".." included), a missing folder or no
    // pattern at all leave the list empty.
    for (const std::string& pattern : {dir / "folder*", dir / ".*", dir / "missing/*"}) {
        info.DirFile((dir / "*").c_str(), false);
        EXPECT_EQ(info.DirFile(pattern.c_str(), false), 0) << pattern;
        EXPECT_EQ(info.GetCount(), 0) << pattern;
    }
    info.DirFile((dir / "*").c_str(), false);
    EXPECT_EQ(info.DirFile(nullptr, false), 0);
    EXPECT_EQ(info.GetCount(), 0);
}
