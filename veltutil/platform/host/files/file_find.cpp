#include "veltutil/platform/host/files/file_find.h"

#include <dirent.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Entry {
    std::string name;
    bool directory;
};

struct FindState {
    std::vector<Entry> entries;
    std::size_t next = 0;
};

// Iterative wildcard match with one backtracking point for the last '*' seen.
bool matches(std::string_view pattern, std::string_view name) {
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

void fill(const Entry& entry, WIN32_FIND_DATA* data) {
    if (data == nullptr) return;
    data->dwFileAttributes = entry.directory ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    std::size_t n = std::min(entry.name.size(), sizeof data->cFileName - 1);
    std::memcpy(data->cFileName, entry.name.data(), n);
    data->cFileName[n] = '\0';
}

}  // namespace

HANDLE FindFirstFile(const char* pattern, WIN32_FIND_DATA* data) {
    std::string_view text = pattern != nullptr ? pattern : "";
    std::size_t slash = text.rfind('/');
    std::string folder = slash == std::string_view::npos ? std::string(".") : std::string(text.substr(0, slash + 1));
    std::string_view namePattern = slash == std::string_view::npos ? text : text.substr(slash + 1);
    if (namePattern == "*.*") namePattern = "*";
    if (namePattern.empty()) return INVALID_HANDLE_VALUE;

    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return INVALID_HANDLE_VALUE;
    auto state = new FindState;
    while (const dirent* entry = readdir(dir)) {
        std::string_view name = entry->d_name;
        if (!matches(namePattern, name)) continue;
        std::error_code ignored;
        bool directory = std::filesystem::is_directory(std::filesystem::path(folder) / name, ignored);
        state->entries.push_back({std::string(name), directory});
    }
    closedir(dir);
    if (state->entries.empty()) {
        delete state;
        return INVALID_HANDLE_VALUE;
    }
    std::sort(state->entries.begin(), state->entries.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    fill(state->entries[state->next++], data);
    return state;
}

BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data) {
    if (find == nullptr || find == INVALID_HANDLE_VALUE) return FALSE;
    auto state = static_cast<FindState*>(find);
    if (state->next >= state->entries.size()) return FALSE;
    fill(state->entries[state->next++], data);
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    if (find == nullptr || find == INVALID_HANDLE_VALUE) return FALSE;
    delete static_cast<FindState*>(find);
    return TRUE;
}
