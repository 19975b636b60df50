#pragma once

#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/strings/cobject.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"

// Errors of files and archives. Unlike the framework they stand in for, these are thrown by
// value and caught by reference (`catch (const CArchiveException& e)`): the catcher has nothing
// to delete, so nothing leaks when it forgets to.
class VELTHOST_API CException : public CObject {
public:
    // Copies the text for a person into `text` (cut to `maxLength` - 1 characters and
    // terminated) and sets *helpContext to 0; FALSE, with an empty text, when there is none.
    virtual BOOL GetErrorMessage(char* text, UINT maxLength, UINT* helpContext = nullptr) const;

protected:
    // The whole text; empty when there is none.
    virtual CString Describe() const { return CString(); }
};

// A file that could not be opened, read, written or positioned. m_lOsError holds the system's
// error number (errno) when one caused it, else -1.
class VELTHOST_API CFileException : public CException {
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr);

    // The cause that a system error number stands for (genericException for unknown ones).
    static int ErrnoToException(int error);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;

protected:
    CString Describe() const override;
};

// Stored data that cannot be loaded or an archive used against its mode. Loading throws
// endOfFile when the bytes end before the value does (a string whose length claims more bytes
// than are left included) and leaves the value it was loading unchanged.
class VELTHOST_API CArchiveException : public CException {
public:
    enum {
        none,
        genericException,  // the archive is closed or has no file
        readOnly,          // storing into an archive that loads
        endOfFile,
        writeOnly,  // loading from an archive that stores
        badIndex,
        badClass,
        badSchema,
    };

    explicit CArchiveException(int cause = none, const char* fileName = nullptr);

    int m_cause;
    CString m_strFileName;

protected:
    CString Describe() const override;
};
