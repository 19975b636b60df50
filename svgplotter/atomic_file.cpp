#include "svgplotter/atomic_file.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace svgplotter {

namespace {

// A name no other writer uses: the process and a counter, hidden by a leading dot so that a
// folder listing shows only finished files.
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned long> counter{0};
    std::string name(".");
    name += target.filename().string();
    name += '.';
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(++counter);
    name += ".tmp";
    return target.parent_path() / name;
}

}  // namespace

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)), temporary_(temporaryBeside(target_)) {
    file_ = std::fopen(temporary_.c_str(), "wb");
    ok_ = file_ != nullptr;
}

AtomicFile::~AtomicFile() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

bool AtomicFile::Write(std::string_view data) {
    if (ok_ && !data.empty()) ok_ = std::fwrite(data.data(), 1, data.size(), file_) == data.size();
    return ok_;
}

bool AtomicFile::Commit() {
    if (file_ == nullptr) return false;
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    std::error_code error;
    if (ok_ && closed) std::filesystem::rename(temporary_, target_, error);
    if (!ok_ || !closed || error) {
        std::filesystem::remove(temporary_, error);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view content) {
    AtomicFile file(target);
    file.Write(content);
    return file.Commit();
}

}  // namespace svgplotter
