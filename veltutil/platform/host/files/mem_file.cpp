#include "veltutil/platform/host/files/mem_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace {

// A memory file reports sizes as UINT, as the framework does.
constexpr std::size_t kMaxSize = std::numeric_limits<UINT>::max();

}  // namespace

CMemFile::CMemFile(UINT growBytes) : growBytes_(growBytes) {}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT growBytes) : growBytes_(growBytes) { Attach(buffer, size, growBytes); }

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* buffer, UINT size, UINT growBytes) {
    Close();
    buffer_ = buffer;
    capacity_ = buffer ? size : 0;
    length_ = growBytes == 0 ? capacity_ : 0;
    growBytes_ = growBytes;
    ownsBuffer_ = false;
}

BYTE* CMemFile::Detach() {
    BYTE* buffer = buffer_;
    buffer_ = nullptr;
    ownsBuffer_ = false;
    Close();
    return buffer;
}

BOOL CMemFile::Open(const char* fileName, UINT, CFileException* error) {
    if (error) *error = CFileException(CFileException::genericException, -1, fileName);
    return FALSE;
}

UINT CMemFile::Read(void* buffer, UINT count) {
    if (position_ >= length_ || count == 0) return 0;
    std::size_t n = std::min<std::size_t>(count, length_ - position_);
    std::memcpy(buffer, buffer_ + position_, n);
    position_ += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* buffer, UINT count) {
    if (count == 0) return;
    std::size_t end = position_ + count;
    Reserve(end);
    if (position_ > length_) std::memset(buffer_ + length_, 0, position_ - length_);
    std::memcpy(buffer_ + position_, buffer, count);
    position_ = end;
    length_ = std::max(length_, end);
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from) {
    LONGLONG base = from == current ? static_cast<LONGLONG>(position_) : from == end ? static_cast<LONGLONG>(length_) : 0;
    if (offset < -base || offset > static_cast<LONGLONG>(kMaxSize) - base) {
        throw CFileException(CFileException::badSeek);
    }
    position_ = static_cast<std::size_t>(base + offset);
    return position_;
}

void CMemFile::SetLength(ULONGLONG length) {
    if (length > kMaxSize) throw CFileException(CFileException::diskFull);
    auto n = static_cast<std::size_t>(length);
    Reserve(n);
    if (n > length_) std::memset(buffer_ + length_, 0, n - length_);
    length_ = n;
    position_ = std::min(position_, length_);
}

void CMemFile::Close() {
    if (ownsBuffer_) std::free(buffer_);
    buffer_ = nullptr;
    ownsBuffer_ = false;
    capacity_ = length_ = position_ = 0;
}

void CMemFile::Reserve(std::size_t needed) {
    if (needed <= capacity_) return;
    if (growBytes_ == 0 || needed > kMaxSize) throw CFileException(CFileException::diskFull);
    std::size_t wanted = std::max(needed, capacity_ * 2);
    std::size_t step = growBytes_;
    std::size_t size = std::min(kMaxSize, (wanted + step - 1) / step * step);
    BYTE* grown;
    if (ownsBuffer_) {
        grown = static_cast<BYTE*>(std::realloc(buffer_, size));
    } else {
        // The caller's block is left as it is; the file moves to a block of its own.
        grown = static_cast<BYTE*>(std::malloc(size));
        if (grown && length_ > 0) std::memcpy(grown, buffer_, length_);
    }
    if (!grown) throw std::bad_alloc();
    buffer_ = grown;
    capacity_ = size;
    ownsBuffer_ = true;
}
