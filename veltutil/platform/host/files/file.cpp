#include "veltutil/platform/host/files/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

int openFlags(UINT flags) {
    int result = O_CLOEXEC;
    switch (flags & 0x3) {
    case CFile::modeWrite: result |= O_WRONLY; break;
    case CFile::modeReadWrite: result |= O_RDWR; break;
    default: result |= O_RDONLY; break;
    }
    if (flags & CFile::modeCreate) {
        result |= O_CREAT;
        if (!(flags & CFile::modeNoTruncate)) result |= O_TRUNC;
    }
    return result;
}

}  // namespace

CFile::CFile(const char* fileName, UINT openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) throw error;
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(const char* fileName, UINT flags, CFileException* error) {
    CFileException failure(CFileException::none, -1, fileName);
    if (fd_ >= 0 || !fileName) {
        failure.m_cause = fd_ >= 0 ? CFileException::invalidFile : CFileException::badPath;
    } else {
        int fd;
        do {
            fd = ::open(fileName, openFlags(flags), 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd >= 0) {
            fd_ = fd;
            path_ = fileName;
            return TRUE;
        }
        failure.m_lOsError = errno;
        failure.m_cause = CFileException::ErrnoToException(errno);
    }
    if (error) *error = failure;
    return FALSE;
}

int CFile::Descriptor() const {
    if (fd_ < 0) throw CFileException(CFileException::invalidFile, -1, path_);
    return fd_;
}

void CFile::ThrowOsError() const {
    int error = errno;
    throw CFileException(CFileException::ErrnoToException(error), error, path_);
}

UINT CFile::Read(void* buffer, UINT count) {
    int fd = Descriptor();
    auto* out = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        ssize_t got = ::read(fd, out + done, count - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) ThrowOsError();
        if (got == 0) break;
        done += static_cast<UINT>(got);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count) {
    int fd = Descriptor();
    const auto* in = static_cast<const char*>(buffer);
    UINT done = 0;
    while (done < count) {
        ssize_t put = ::write(fd, in + done, count - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) ThrowOsError();
        done += static_cast<UINT>(put);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    off_t position = ::lseek(Descriptor(), static_cast<off_t>(offset), whence);
    if (position < 0) ThrowOsError();
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetPosition() const {
    off_t position = ::lseek(Descriptor(), 0, SEEK_CUR);
    if (position < 0) ThrowOsError();
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const {
    struct stat info {};
    if (::fstat(Descriptor(), &info) != 0) ThrowOsError();
    return static_cast<ULONGLONG>(info.st_size);
}

void CFile::SetLength(ULONGLONG length) {
    if (::ftruncate(Descriptor(), static_cast<off_t>(length)) != 0) ThrowOsError();
}

void CFile::Flush() {
    if (::fsync(Descriptor()) != 0 && errno != EINVAL) ThrowOsError();
}

void CFile::Close() {
    int fd = Descriptor();
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) ThrowOsError();
}

void CFile::Abort() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

CString CFile::GetFileName() const {
    int slash = path_.ReverseFind('/');
    return slash < 0 ? path_ : path_.Mid(slash + 1);
}
