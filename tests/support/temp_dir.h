#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

// A fresh directory below the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::string templ = (std::filesystem::temp_directory_path() / "velt-XXXXXX").string();
        path_ = mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    void Touch(const std::string& name) const { std::ofstream(path_ / name) << "x"; }
    void MakeDir(const std::string& name) const { std::filesystem::create_directories(path_ / name); }

private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
