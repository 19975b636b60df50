#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace plotmodel {

// A file written so that a reader sees the old content or the whole new one, never a part:
// the data go to a hidden temporary file in the same folder, which Commit renames over the
// target (a rename within one file system replaces the name in one step). A file that is not
// committed leaves no temporary file behind.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False once anything has failed; later writes are skipped.
    bool Write(std::string_view data);
    // Finishes the file and puts it in place; false, and the target untouched, on any failure.
    [[nodiscard]] bool Commit();

private:
    std::filesystem::path target_, temporary_;
    std::FILE* file_ = nullptr;
    bool ok_ = false;
};

// The whole of `content` as the file at `target`, atomically.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

// Removes the temporary files that AtomicFile writers left in `folder` when they were killed
// before they could commit or clean up.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace plotmodel
