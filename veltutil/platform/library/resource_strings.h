#pragma once

#include <cstddef>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/win_types.h"
#include "veltutil/platform/library/library_export.h"

// String resources. Each module registers its own string table (UTF-8 texts under numeric
// ids) under its module handle while it is loaded; a text is looked up in the table of the
// module that registered it, so two modules may use the same id for different texts.

struct StringTableEntry {
    UINT id;
    const char* text;
};

// The text of id in module's table; a null module searches every registered table in
// registration order. Empty when there is no such text.
VELTLIBRARY_API CString GetResourceString(UINT id, HINSTANCE module);

// Registers a module's table for as long as the object lives; the texts are copied. A module
// registered twice keeps the later table until that registration ends.
class VELTLIBRARY_API CStringTableRegistration {
public:
    CStringTableRegistration(HINSTANCE module, const StringTableEntry* entries, std::size_t count);
    ~CStringTableRegistration();
    CStringTableRegistration(const CStringTableRegistration&) = delete;
    CStringTableRegistration& operator=(const CStringTableRegistration&) = delete;

private:
    unsigned long serial_;
};
