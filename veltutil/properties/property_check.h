#pragma once

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

// Diagnostic reading of a property list text, an extension of this library for tools: the list
// parser reports nothing and silently stops at, or misreads, malformed text. The check reads
// the text as the parser would, descending into the values of "list" and array items, and
// stops at the first place where the parser would stop early or read something other than an
// item as the writer meant it:
// - UNCLOSED_BRACE: a '{' whose '}' never comes (the offset is the '{' of the top-level item
//   that encloses it, where the parser stops);
// - UNOPENED_BRACE: a '}' that closes nothing;
// - MISSING_LABEL: an item whose label is blank (the parser ends the list there);
// - MISSING_COLON: no ':' between the label and the '{';
// - STRAY_TEXT: text that is not an item: between a closing brace and the line of the next
//   label (the parser would make it part of that label), or after the last item of a list.
// Time is linear in the length of the text, whatever its nesting.
struct VELTUTIL_API CPropertyListCheck {
    enum Problem { NONE = 0, UNCLOSED_BRACE, UNOPENED_BRACE, MISSING_LABEL, MISSING_COLON, STRAY_TEXT };

    Problem problem = NONE;
    long offset = 0;  // byte offset (from 0) at which reading stopped; the length when complete
    long line = 1;    // line of that offset (from 1)
    long items = 0;   // top-level items read before it

    // One line of English for the problem ("complete" for NONE).
    const char* Describe() const;
};

VELTUTIL_API CPropertyListCheck checkPropertyList(const CString& text);
