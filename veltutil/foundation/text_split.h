#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/cstring.h"
#include "veltutil/platform/host/cstring_array.h"

// Splitting of command text into statements (at ';') and words (at blanks).

VELTUTIL_API void DivideStringIntoStatements(const CString& text, CStringArray& out);
VELTUTIL_API void DivideStringIntoWords(const CString& text, CStringArray& out);

namespace veltutil::detail {

// The word extraction every command interpreter shares: skips leading white space, then the
// word runs up to the first blank (tabs inside a word stay part of it) and `rest` starts at
// that blank. Returns false, with word and rest empty, when only white space is left.
bool ExtractWord(const CString& text, CString& word, CString& rest);

// Token extraction with a delimiter set: skips the leading run of delimiters, the token runs
// up to the next delimiter and `rest` is what follows that one delimiter. Returns false, with
// token and rest empty, when nothing but delimiters is left.
bool ExtractToken(const CString& text, const char* delimiters, CString& token, CString& rest);

}  // namespace veltutil::detail
