#pragma once

#include <string_view>

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/strings/cstring_array.h"

// Splitting of command text into statements (at ';') and words (at blanks).

VELTUTIL_API void DivideStringIntoStatements(const CString& text, CStringArray& out);
VELTUTIL_API void DivideStringIntoWords(const CString& text, CStringArray& out);

namespace veltutil::detail {

// The word extraction every command interpreter shares: skips leading white space, then the
// word runs up to the first blank (tabs inside a word stay part of it) and `text` is left
// starting at that blank. Returns false, with word and text empty, when only white space is
// left. Views rather than strings, so that splitting a long text stays linear.
bool ExtractWord(std::string_view& text, std::string_view& word);

// Token extraction with a delimiter set: skips the leading run of delimiters, the token runs
// up to the next delimiter and `text` is left after that one delimiter. Returns false, with
// token and text empty, when nothing but delimiters is left.
bool ExtractToken(std::string_view& text, std::string_view delimiters, std::string_view& token);

}  // namespace veltutil::detail
