#pragma once

#include "veltutil/platform/host/files/exception.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

// A file on disk, read and written as raw bytes. Every failure of an open file throws
// CFileException; only Open reports by result. Share modes are accepted and not enforced: the
// platform has no mandatory locks. A file is opened so that child processes do not inherit it.
//
//     CFile file("data.bin", CFile::modeCreate | CFile::modeWrite);  // throws when it cannot
//     file.Write("abc", 3);
//     file.Close();
class VELTHOST_API CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,     // create the file, emptying it unless modeNoTruncate is given too
        modeNoTruncate = 0x2000,
        typeText = 0x4000,       // no line-end translation on this platform: as typeBinary
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens the file or throws the CFileException that Open would have reported.
    CFile(const char* fileName, UINT openFlags);
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    // Closes an open file; errors are ignored here (call Close to see them).
    ~CFile() override;

    // FALSE when the file cannot be opened, with the cause in *error when given; a file object
    // that is open already is refused (invalidFile).
    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // Returns the number of bytes read: fewer than `count` only at the end of the file.
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    // Returns the new position. A position before the start throws badSeek.
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG length);
    virtual void Flush();
    // Closes the file; a failure is thrown after the file object has let go of it.
    virtual void Close();
    // Closes without reporting anything.
    virtual void Abort();

    BOOL IsOpen() const { return fd_ >= 0 ? TRUE : FALSE; }
    const CString& GetFilePath() const { return path_; }
    // The last part of the path.
    CString GetFileName() const;

protected:
    // Throws the CFileException for the current errno, naming this file.
    [[noreturn]] void ThrowOsError() const;

private:
    int Descriptor() const;

    int fd_ = -1;
    CString path_;
};
