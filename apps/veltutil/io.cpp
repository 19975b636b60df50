// Input and output of the subcommands. Both work on bytes with explicit lengths, so a NUL byte is
// data like any other here; each subcommand decides what a NUL means to it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "command.h"

namespace veltcli {

namespace {
constexpr std::size_t kReadSize = 64 * 1024;

int outputError = 0;  // errno of the first failed write to standard output

// Appends everything `fd` gives until its end; false with errno set on a read error.
bool readAll(int fd, std::string& out) {
    struct stat info {};
    if (fstat(fd, &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            errno = EISDIR;
            return false;
        }
        // One read past the end finds it without growing the buffer again.
        if (S_ISREG(info.st_mode)) out.reserve(static_cast<std::size_t>(info.st_size) + kReadSize);
    }
    for (;;) {
        const std::size_t used = out.size();
        const std::size_t room = std::max(out.capacity() - used, kReadSize);
        out.resize(used + room);
        const ssize_t got = read(fd, out.data() + used, room);
        out.resize(used + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got == 0) return true;
        if (got < 0 && errno != EINTR) return false;
    }
}
}  // namespace

void Complain(const char* command, const char* format, ...) {
    std::fprintf(stderr, command ? "veltutil: %s: " : "veltutil: ", command);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
}

std::string InputName(const std::string& path) { return path == "-" ? "standard input" : path; }

bool ReadInput(const char* command, const std::string& path, std::string& out) {
    const bool standard = path == "-";
    const int fd = standard ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool ok = fd >= 0 && readAll(fd, out);
    const int error = errno;
    if (fd >= 0 && !standard) close(fd);
    if (!ok) Complain(command, "%s: %s", InputName(path).c_str(), std::strerror(error));
    return ok;
}

bool WriteOutput(std::string_view bytes) {
    if (outputError) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) return true;
    outputError = errno ? errno : EIO;
    return false;
}

int FinishOutput(const char* command, int status) {
    if (!outputError && (std::fflush(stdout) != 0 || std::ferror(stdout))) outputError = errno ? errno : EIO;
    if (!outputError) return status;
    Complain(command, "standard output: %s", std::strerror(outputError));
    return kExitFailed;
}

}  // namespace veltcli
