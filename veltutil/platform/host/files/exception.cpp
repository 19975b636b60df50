#include "veltutil/platform/host/files/exception.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace {

// "%s" stands for the file's name.
constexpr const char* kFileTexts[] = {
    "No error occurred.",
    "An unknown error occurred while accessing %s.",
    "%s was not found.",
    "All or part of the path %s is invalid.",
    "%s could not be opened because there are too many open files.",
    "Access to %s was denied.",
    "An invalid file handle was used with %s.",
    "%s could not be removed because it is the current directory.",
    "%s could not be created because the directory is full.",
    "Seeking failed on %s.",
    "A hardware input/output error was reported while accessing %s.",
    "A sharing violation occurred while accessing %s.",
    "A locking violation occurred while accessing %s.",
    "The disk is full while accessing %s.",
    "An attempt was made to access %s past its end.",
};

constexpr const char* kArchiveTexts[] = {
    "No error occurred.",
    "An unknown error occurred while accessing %s.",
    "An attempt was made to store into %s, which was opened for loading.",
    "An unexpected end of file was met while loading %s.",
    "An attempt was made to load from %s, which was opened for storing.",
    "%s holds data in a format that cannot be read.",
    "An object of the wrong type was read from %s.",
    "An object of an unknown version was read from %s.",
};

template <std::size_t N>
CString describe(const char* const (&texts)[N], int cause, const CString& fileName) {
    const char* text = cause >= 0 && static_cast<std::size_t>(cause) < N ? texts[cause] : texts[1];
    CString message;
    message.Format(text, fileName.IsEmpty() ? "an unnamed file" : fileName.GetString());
    return message;
}

}  // namespace

BOOL CException::GetErrorMessage(char* text, UINT maxLength, UINT* helpContext) const {
    if (helpContext) *helpContext = 0;
    CString message = Describe();
    if (text && maxLength > 0) {
        std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(message.GetLength()), maxLength - 1);
        std::memcpy(text, message.GetString(), length);
        text[length] = '\0';
    }
    return message.IsEmpty() ? FALSE : TRUE;
}

CFileException::CFileException(int cause, LONG osError, const char* fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

int CFileException::ErrnoToException(int error) {
    switch (error) {
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return accessDenied;
    case EBADF: return invalidFile;
    case ESPIPE:
    case EINVAL: return badSeek;
    case EIO: return hardIO;
    case ETXTBSY: return sharingViolation;
    case ENOLCK: return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    default: return genericException;
    }
}

CString CFileException::Describe() const { return describe(kFileTexts, m_cause, m_strFileName); }

CArchiveException::CArchiveException(int cause, const char* fileName) : m_cause(cause), m_strFileName(fileName) {}

CString CArchiveException::Describe() const { return describe(kArchiveTexts, m_cause, m_strFileName); }
