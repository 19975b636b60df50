#pragma once

#include <cstddef>

#include "veltutil/platform/host/files/file.h"

// A file in memory. The bytes live in one block: either the file's own, allocated with malloc
// and grown as writes need, or a block the caller attached, which the file never frees.
//
// Growth: the block grows to a multiple of the growth step, and at least to twice its size, so
// that writing n bytes in small pieces costs O(n). A file with growth step 0 cannot grow: a
// write past its block throws CFileException::diskFull.
//
//     CMemFile stored(1024);                     // owns its block
//     ... write ...
//     ULONGLONG length = stored.GetLength();
//     BYTE* bytes = stored.Detach();             // now the caller's: free(bytes)
//     CMemFile reader(bytes, UINT(length));      // reads them in place; never frees them
class VELTHOST_API CMemFile : public CFile {
public:
    explicit CMemFile(UINT growBytes = 1024);
    // As Attach.
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Frees the file's own block; an attached block stays the caller's.
    ~CMemFile() override;

    // Works on the caller's block from now on (the previous block is let go as by Close). With
    // growth step 0 the file holds the block's `size` bytes and cannot grow; otherwise the
    // file starts empty, uses the block as room to write in, and moves to a block of its own
    // when it outgrows it. The caller keeps the block and must keep it alive meanwhile.
    void Attach(BYTE* buffer, UINT size, UINT growBytes = 0);
    // Hands the block to the caller and leaves the file empty. A block of the file's own was
    // allocated with malloc: the caller frees it with free(). Null when the file has no block.
    [[nodiscard]] BYTE* Detach();

    // A memory file is not opened by name: FALSE (genericException).
    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    // Positions past the end are allowed; a write there fills the gap with zero bytes.
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override { return position_; }
    ULONGLONG GetLength() const override { return length_; }
    void SetLength(ULONGLONG length) override;
    void Flush() override {}
    // Frees the file's own block (an attached one is let go) and leaves the file empty.
    void Close() override;
    void Abort() override { Close(); }

private:
    // Makes room for `needed` bytes.
    void Reserve(std::size_t needed);

    BYTE* buffer_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t length_ = 0;
    std::size_t position_ = 0;
    UINT growBytes_;
    bool ownsBuffer_ = false;
};
