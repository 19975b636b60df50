#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/strings/cstring_array.h"

// The names of the files that match a wildcard pattern such as "dir/*.txt", kept for lookup
// by index. Only entry names are kept, never the pattern's directory; directories are left out.
class VELTUTIL_API CFileInfoSimple {
public:
    CFileInfoSimple();
    virtual ~CFileInfoSimple();

    // Replaces the names with those of the files matching `pattern`, in the enumeration's
    // order; with `withoutExtension` each name loses its last extension. Returns the count,
    // 0 when nothing matches or the pattern's folder cannot be read.
    int DirFile(const char* pattern, bool withoutExtension);
    int GetCount() const { return names_.GetSize(); }
    // Name `i`; empty for an index outside 0 .. GetCount() - 1.
    CString GetFileName(int i) const;
    void ResetContent() { names_.RemoveAll(); }

private:
    CStringArray names_;
};
