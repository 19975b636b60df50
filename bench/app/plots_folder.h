#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// The folder a benchmark's plots go to, removed when it ends. It is in memory where the machine
// has such a folder (/dev/shm), so that the figures hold the plotting module's work rather than
// the speed of a disk that other programs share: writing the files of one run to disk costs a
// few milliseconds more, and varies with everything else the disk does.
class PlotsFolder {
public:
    explicit PlotsFolder(const std::string& name) {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        const std::filesystem::path base =
            std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path(error);
        path_ = (base / (name + "-" + std::to_string(::getpid()))).string();
    }
    ~PlotsFolder() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    PlotsFolder(const PlotsFolder&) = delete;
    PlotsFolder& operator=(const PlotsFolder&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};
