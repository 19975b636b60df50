#include "veltutil/platform/host/files/archive.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::size_t kMinBuffer = 64;
constexpr std::uint8_t kLongerLength8 = 0xFF;
constexpr std::uint16_t kLongerLength16 = 0xFFFF;

}  // namespace

CArchive::CArchive(CFile* file, UINT mode, int bufferSize, void* buffer)
    : file_(file),
      loading_((mode & load) != 0),
      flushOnDelete_((mode & bNoFlushOnDelete) == 0),
      size_(std::max<std::size_t>(bufferSize > 0 ? static_cast<std::size_t>(bufferSize) : 0, kMinBuffer)) {
    if (!file_) throw CArchiveException(CArchiveException::genericException);
    if (buffer && bufferSize >= static_cast<int>(kMinBuffer)) {
        start_ = static_cast<BYTE*>(buffer);
    } else {
        ownBuffer_ = std::make_unique<BYTE[]>(size_);
        start_ = ownBuffer_.get();
    }
    cur_ = start_;
    limit_ = loading_ ? start_ : start_ + size_;
}

CArchive::~CArchive() {
    if (file_ && flushOnDelete_) {
        try {
            Close();
        } catch (...) {
            // A destructor cannot report; Close can.
        }
    }
    Abort();
}

void CArchive::CheckOpen() const {
    if (!file_) throw CArchiveException(CArchiveException::genericException);
}

void CArchive::Throw(int cause) const { throw CArchiveException(cause, file_ ? file_->GetFilePath() : CString()); }

UINT CArchive::Read(void* buffer, UINT count) {
    CheckOpen();
    if (!loading_) Throw(CArchiveException::writeOnly);
    auto* out = static_cast<BYTE*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        std::size_t buffered = static_cast<std::size_t>(limit_ - cur_);
        if (buffered == 0) {
            // Large reads go straight to the caller's memory.
            if (count - done >= size_) {
                UINT got = file_->Read(out + done, static_cast<UINT>(count - done));
                done += got;
                break;
            }
            if (!Fill()) break;
            continue;
        }
        std::size_t n = std::min(buffered, count - done);
        std::memcpy(out + done, cur_, n);
        cur_ += n;
        done += n;
    }
    return static_cast<UINT>(done);
}

void CArchive::Write(const void* buffer, UINT count) { Store(buffer, count); }

void CArchive::Store(const void* data, std::size_t count) {
    CheckOpen();
    if (loading_) Throw(CArchiveException::readOnly);
    const auto* in = static_cast<const BYTE*>(data);
    std::size_t room = static_cast<std::size_t>(limit_ - cur_);
    if (count <= room) {
        std::memcpy(cur_, in, count);
        cur_ += count;
        return;
    }
    Flush();
    if (count >= size_) {
        file_->Write(in, static_cast<UINT>(count));
        return;
    }
    std::memcpy(cur_, in, count);
    cur_ += count;
}

void CArchive::LoadExactly(void* data, std::size_t count) {
    CheckOpen();
    if (!loading_) Throw(CArchiveException::writeOnly);
    if (count > size_) {
        // More than the buffer holds: checked against what is left, then read through.
        if (Remaining() < count || Read(data, static_cast<UINT>(count)) != count) Throw(CArchiveException::endOfFile);
        return;
    }
    // Gathered in the buffer first, so that a short read hands out nothing.
    while (static_cast<std::size_t>(limit_ - cur_) < count) {
        if (!Fill()) Throw(CArchiveException::endOfFile);
    }
    std::memcpy(data, cur_, count);
    cur_ += count;
}

bool CArchive::Fill() {
    std::size_t kept = static_cast<std::size_t>(limit_ - cur_);
    if (kept > 0 && cur_ != start_) std::memmove(start_, cur_, kept);
    cur_ = start_;
    limit_ = start_ + kept;
    UINT got = file_->Read(limit_, static_cast<UINT>(size_ - kept));
    limit_ += got;
    return got > 0;
}

ULONGLONG CArchive::Remaining() const {
    ULONGLONG length = file_->GetLength();
    ULONGLONG position = file_->GetPosition();
    return static_cast<ULONGLONG>(limit_ - cur_) + (length > position ? length - position : 0);
}

void CArchive::Flush() {
    CheckOpen();
    if (loading_) {
        if (limit_ != cur_) file_->Seek(-static_cast<LONGLONG>(limit_ - cur_), CFile::current);
        cur_ = limit_ = start_;
        return;
    }
    // Emptied before writing: after a failed write the bytes are not written a second time.
    std::size_t pending = static_cast<std::size_t>(cur_ - start_);
    cur_ = start_;
    if (pending > 0) file_->Write(start_, static_cast<UINT>(pending));
}

void CArchive::Close() {
    CheckOpen();
    Flush();
    Abort();
}

void CArchive::Abort() {
    file_ = nullptr;
    // No room and nothing buffered: every later use takes the checked way and throws.
    cur_ = limit_ = start_;
}

CArchive& CArchive::operator<<(const CString& text) {
    auto length = static_cast<std::size_t>(text.GetLength());
    if (length < kLongerLength8) {
        *this << static_cast<std::uint8_t>(length);
    } else {
        *this << kLongerLength8;
        if (length < kLongerLength16) {
            *this << static_cast<std::uint16_t>(length);
        } else {
            *this << kLongerLength16 << static_cast<std::uint32_t>(length);
        }
    }
    Store(text.GetString(), length);
    return *this;
}

CArchive& CArchive::operator>>(CString& text) {
    std::uint8_t first = 0;
    *this >> first;
    std::size_t length = first;
    if (first == kLongerLength8) {
        std::uint16_t second = 0;
        *this >> second;
        length = second;
        if (second == kLongerLength16) {
            std::uint32_t third = 0;
            *this >> third;
            length = third;
        }
    }
    if (length > Remaining()) Throw(CArchiveException::endOfFile);
    std::string loaded(length, '\0');
    LoadExactly(loaded.data(), length);
    text = CString(std::move(loaded));
    return *this;
}
