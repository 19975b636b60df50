#pragma once

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <utility>

#include "veltutil/platform/host/files/exception.h"
#include "veltutil/platform/host/files/file.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/strings/cstring.h"

// Binary storing and loading of values through a file, with a buffer in between.
//
// Format. Numbers are stored raw, little-endian, in the width of their type on this platform:
// bool and char types 1 byte, short 2, int and float 4, long, long long and double 8 (a field
// whose width is part of a stored format should use a fixed-width type: std::int32_t, not
// long). A CString is its length, then its bytes: the length takes one byte when below 255;
// else the byte 255 and two bytes when below 65535; else those three bytes (255, 255, 255) and
// four more. "abc" is stored as 03 61 62 63; a string of 300 'x' as FF 2C 01 and 300 bytes.
//
// Errors. Loading past the end of the stored bytes, or a string length that claims more bytes
// than are left, throws CArchiveException::endOfFile without reading out of bounds, and leaves
// the value being loaded as it was; values loaded before stay loaded. Storing into a loading
// archive throws readOnly, loading from a storing one writeOnly, any use after Close
// genericException. Errors of the file itself come as CFileException.
//
// A loaded bool is true for any non-zero byte.
//
// The archive does not own the file. Close (or the destructor) writes what is buffered;
// a write that fails in the destructor is dropped, so call Close to see it.
// The numbers an archive stores: every arithmetic type but long double, whose padding bytes
// would make the stored bytes differ from one run to the next.
template <class T>
concept ArchiveNumber = std::is_arithmetic_v<T> && !std::is_same_v<T, long double>;

class VELTHOST_API CArchive {
public:
    enum Mode : UINT { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // A null file throws genericException. Buffers below 64 bytes are taken as 64; `buffer`,
    // when given, must hold bufferSize bytes and outlive the archive.
    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive();

    BOOL IsLoading() const { return loading_ ? TRUE : FALSE; }
    BOOL IsStoring() const { return loading_ ? FALSE : TRUE; }
    CFile* GetFile() const { return file_; }

    // Returns the number of bytes read: fewer than `count` only where the stored bytes end.
    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    // Storing: writes the buffered bytes to the file. Loading: puts the file back where the
    // loaded values end.
    void Flush();
    // Flushes and lets the file go.
    void Close();
    // Lets the file go without writing anything; never throws.
    void Abort();

    template <ArchiveNumber T>
    CArchive& operator<<(T value) {
        if (!loading_ && static_cast<std::size_t>(limit_ - cur_) >= sizeof(T)) {
            value = ToLittleEndian(value);
            std::memcpy(cur_, &value, sizeof(T));
            cur_ += sizeof(T);
            return *this;
        }
        value = ToLittleEndian(value);
        Store(&value, sizeof(T));
        return *this;
    }

    template <ArchiveNumber T>
    CArchive& operator>>(T& value) {
        if constexpr (std::is_same_v<T, bool>) {
            // Read as a byte: not every byte is a valid bool.
            unsigned char byte = 0;
            *this >> byte;
            value = byte != 0;
        } else {
            T loaded;
            if (loading_ && static_cast<std::size_t>(limit_ - cur_) >= sizeof(T)) {
                std::memcpy(&loaded, cur_, sizeof(T));
                cur_ += sizeof(T);
            } else {
                LoadExactly(&loaded, sizeof(T));
            }
            value = ToLittleEndian(loaded);
        }
        return *this;
    }

    CArchive& operator<<(const CString& text);
    CArchive& operator>>(CString& text);

private:
    template <class T>
    static T ToLittleEndian(T value) {
        if constexpr (std::endian::native == std::endian::big && sizeof(T) > 1) {
            unsigned char bytes[sizeof(T)];
            std::memcpy(bytes, &value, sizeof(T));
            for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(bytes[i], bytes[sizeof(T) - 1 - i]);
            std::memcpy(&value, bytes, sizeof(T));
        }
        return value;
    }

    void CheckOpen() const;
    void Store(const void* data, std::size_t count);
    // Reads exactly `count` bytes or throws endOfFile having consumed nothing the caller sees.
    void LoadExactly(void* data, std::size_t count);
    // Refills the buffer from the file, keeping the unread bytes; false at the end of the file.
    bool Fill();
    // The bytes left to load: buffered and still in the file.
    ULONGLONG Remaining() const;
    [[noreturn]] void Throw(int cause) const;

    CFile* file_;
    bool loading_;
    bool flushOnDelete_;
    std::unique_ptr<BYTE[]> ownBuffer_;
    BYTE* start_;
    std::size_t size_;
    // Storing: the next free byte and the end of the buffer. Loading: the next unread byte
    // and the end of the bytes read so far.
    BYTE* cur_;
    BYTE* limit_;
};
