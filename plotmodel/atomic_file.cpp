#include "plotmodel/atomic_file.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>

namespace plotmodel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSuffix = ".tmp";

// A name no other writer uses: ".<target>.<process>-<counter>.tmp", hidden by the leading dot
// so that a folder listing shows only finished files.
fs::path temporaryBeside(const fs::path& target) {
    static std::atomic<unsigned long> counter{0};
    std::string name(".");
    name += target.filename().string();
    name += '.';
    name += std::to_string(::getpid());
    name += '-';
    name += std::to_string(++counter);
    name += kSuffix;
    return target.parent_path() / name;
}

bool allDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The process that wrote a temporary file of this naming; 0 for any other name.
pid_t writerOf(std::string_view name) {
    if (name.size() < 2 || name[0] != '.' || !name.ends_with(kSuffix)) return 0;
    name.remove_suffix(kSuffix.size());
    std::string_view stamp = name.substr(name.rfind('.') + 1);
    std::size_t dash = stamp.find('-');
    if (dash == std::string_view::npos || !allDigits(stamp.substr(0, dash)) || !allDigits(stamp.substr(dash + 1)))
        return 0;
    std::string_view digits = stamp.substr(0, dash);
    return digits.size() < 10 ? static_cast<pid_t>(std::stol(std::string(digits))) : 0;
}

}  // namespace

AtomicFile::AtomicFile(fs::path target) : target_(std::move(target)), temporary_(temporaryBeside(target_)) {
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

// A temporary file is stale when the process named in it is gone and nothing has written to
// it for a while. Either sign alone could remove a live writer's file: a process of another
// PID namespace sharing the folder may carry a number that is free here, and a writer may
// pause between chunks. A process number taken again by a new process keeps its old file
// until that one ends too; leaving a file is the safe mistake.
void RemoveStaleTemporaryFiles(const fs::path& folder) {
    constexpr auto kQuiet = std::chrono::minutes(1);
    std::error_code error;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::directory_entry& entry = *it;
        std::error_code ignored;
        pid_t writer = writerOf(entry.path().filename().native());
        if (writer <= 0 || !entry.is_regular_file(ignored)) continue;
        if (::kill(writer, 0) == 0 || errno != ESRCH) continue;
        auto written = entry.last_write_time(ignored);
        if (!ignored && now - written >= kQuiet) fs::remove(entry.path(), ignored);
    }
}

}  // namespace plotmodel
