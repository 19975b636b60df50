#include "veltutil/platform/library/special_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

CSpecialOutput::~CSpecialOutput() {
    for (Output& output : outputs_) closeLocked(output);
}

CSpecialOutput& CSpecialOutput::GetGlobal() {
    static CSpecialOutput global;
    return global;
}

bool CSpecialOutput::Activate(int type, const char* path) {
    if (!validType(type) || path == nullptr || *path == '\0') return false;
    std::lock_guard lock(mutex_);
    closeLocked(outputs_[type]);
    int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    outputs_[type] = Output{fd, CString(path)};
    return true;
}

void CSpecialOutput::Deactivate(int type) {
    if (!validType(type)) return;
    std::lock_guard lock(mutex_);
    closeLocked(outputs_[type]);
}

bool CSpecialOutput::IsSpecial(int type) const {
    if (!validType(type)) return false;
    std::lock_guard lock(mutex_);
    return outputs_[type].fd >= 0;
}

CString CSpecialOutput::GetPath(int type) const {
    if (!validType(type)) return CString();
    std::lock_guard lock(mutex_);
    return outputs_[type].path;
}

bool CSpecialOutput::WriteText(int type, const char* text, bool lineEnd) {
    if (!validType(type)) return false;
    std::string line(text != nullptr ? text : "");
    if (lineEnd) line += '\n';
    std::lock_guard lock(mutex_);
    const Output& output = outputs_[type];
    if (output.fd < 0) return false;
    // One write per line on an append-mode file: the line lands whole at the end even when
    // another process appends to the same file.
    std::size_t done = 0;
    while (done < line.size()) {
        ssize_t n = ::write(output.fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void CSpecialOutput::closeLocked(Output& output) {
    if (output.fd >= 0) ::close(output.fd);
    output = Output{};
}
