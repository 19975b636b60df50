#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "veltutil/platform/host/files/file_find.h"
#include "veltutil/platform/host/modules/module_path.h"

namespace {

std::vector<std::string> find(const std::string& pattern) {
    std::vector<std::string> result;
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return result;
    do {
        bool directory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        result.push_back(std::string(data.cFileName) + (directory ? "/" : ""));
    } while (FindNextFile(h, &data));
    EXPECT_TRUE(FindClose(h));
    return result;
}

}  // namespace

TEST(PathSplitting, SplitsAtTheLastSeparatorAndTheLastDotAndJoinsBack) {
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath("/a.b/lib/app.so.1", drive, dir, fname, ext);
    EXPECT_STREQ(dir, "/a.b/lib/");
    EXPECT_STREQ(fname, "app.so");
    EXPECT_STREQ(ext, ".1");
    _splitpath(std::string(400, 'd').c_str(), nullptr, dir, fname, ext);  // cut, not overrun
    EXPECT_STREQ(dir, "");
    EXPECT_EQ(std::string(fname).size(), static_cast<std::size_t>(_MAX_FNAME - 1));

    char joined[_MAX_PATH];
    _makepath(joined, "", "/usr/lib", "app", "so");
    EXPECT_STREQ(joined, "/usr/lib/app.so");
}

TEST(FindFile, MatchesWildcardsCaseSensitivelyInNameOrder) {
    TempDir dir;
    for (const char* name : {"b.txt", "a.txt", "A.TXT", "ab", "abc.log", "noext"}) dir.Touch(name);
    dir.MakeDir("sub");

    EXPECT_EQ(find(dir / "*.txt"), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(find(dir / "a*b*"), (std::vector<std::string>{"ab", "abc.log"}));
    EXPECT_EQ(find(dir / "*.*"),
              (std::vector<std::string>{"./", "../", "A.TXT", "a.txt", "ab", "abc.log", "b.txt", "noext", "sub/"}));
    EXPECT_TRUE(find(dir / "missing/*").empty());
    EXPECT_TRUE(find(dir / "").empty());
}
