#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_dir.h"
#include "veltutil/platform/host/file_find.h"
#include "veltutil/platform/host/module_path.h"

namespace {

struct Parts {
    std::string drive, dir, fname, ext;
};

Parts split(const char* path) {
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path, drive, dir, fname, ext);
    return {drive, dir, fname, ext};
}

std::vector<std::string> find(const std::string& pattern) {
    std::vector<std::string> result;
    WIN32_FIND_DATA data;
    HANDLE h = FindFirstFile(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return result;
    do {
        result.push_back(std::string(data.cFileName) + ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? "/" : ""));
    } while (FindNextFile(h, &data));
    EXPECT_TRUE(FindClose(h));
    return result;
}

}  // namespace

TEST(PathSplitting, SplitsAtTheLastSeparatorAndTheLastDot) {
    Parts p = split("/usr/lib/app.so.1");
    EXPECT_EQ(p.drive, "");
    EXPECT_EQ(p.dir, "/usr/lib/");
    EXPECT_EQ(p.fname, "app.so");
    EXPECT_EQ(p.ext, ".1");
    p = split("plain");
    EXPECT_EQ(p.dir, "");
    EXPECT_EQ(p.fname, "plain");
    EXPECT_EQ(p.ext, "");
    p = split("/a.b/c");  // a dot in the directory is no extension
    EXPECT_EQ(p.dir, "/a.b/");
    EXPECT_EQ(p.fname, "c");
    EXPECT_EQ(p.ext, "");
    p = split(std::string(400, 'd').c_str());  // cut to the buffer, not past it
    EXPECT_EQ(p.fname.size(), static_cast<std::size_t>(_MAX_FNAME - 1));

    char joined[_MAX_PATH];
    _makepath(joined, "", "/usr/lib", "app", "so");
    EXPECT_STREQ(joined, "/usr/lib/app.so");
    _makepath(joined, nullptr, "/usr/", nullptr, nullptr);
    EXPECT_STREQ(joined, "/usr/");

    char exe[MAX_PATH];
    DWORD n = GetModuleFileName(nullptr, exe, MAX_PATH);
    EXPECT_EQ(n, std::string(exe).size());
    EXPECT_EQ(exe[0], '/');
    char tiny[4];
    EXPECT_EQ(GetModuleFileName(nullptr, tiny, 4), 3u);
    EXPECT_EQ(std::string(tiny).size(), 3u);
}

TEST(FindFile, MatchesWildcardsCaseSensitivelyInNameOrder) {
    TempDir dir;
    for (const char* name : {"b.txt", "a.txt", "A.TXT", "ab", "abc.log", "noext"}) dir.Touch(name);
    dir.MakeDir("sub");

    EXPECT_EQ(find(dir / "*.txt"), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(find(dir / "a?"), (std::vector<std::string>{"ab"}));
    EXPECT_EQ(find(dir / "a*b*"), (std::vector<std::string>{"ab", "abc.log"}));
    EXPECT_EQ(find(dir / "*.*"),
              (std::vector<std::string>{"./", "../", "A.TXT", "a.txt", "ab", "abc.log", "b.txt", "noext", "sub/"}));
    EXPECT_EQ(find(dir / "noext"), (std::vector<std::string>{"noext"}));
    EXPECT_TRUE(find(dir / "*.none").empty());
    EXPECT_TRUE(find(dir / "missing/*").empty());
    EXPECT_TRUE(find(dir / "").empty());
    EXPECT_FALSE(FindNextFile(INVALID_HANDLE_VALUE, nullptr));
}
