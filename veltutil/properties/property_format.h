#pragma once

#include <string_view>

#include "veltutil/export.h"
#include "veltutil/platform/host/strings/cstring.h"

// Streaming display form, an extension of this library for tools. The display form can be far
// larger than the text it shows: every line is padded up to 540 spaces, so a list nested a
// million deep (8 MB of text) displays as some 1.6 GB. formatPropertyList builds it whole;
// formatPropertyListText hands it to a writer piece by piece instead, so memory stays bounded
// by the text and the depth of its nesting, never by the output.

// Receives the next piece of the display form (`piece` is only valid during the call). Returns
// false to stop: nothing more is passed after a refused piece.
using PropertyTextWriter = bool (*)(void* context, std::string_view piece);

// Passes formatPropertyList(CPropertyList(text), indent, crlf) to `write` in order, in pieces of
// about 64 KiB, without building the list: the items are read from `text` as the list parser
// reads them, up to where it would stop. Returns 1 when `write` took every piece, 0 when it
// refused one.
//   formatPropertyListText("a:long{1}\nb:list{c:bool{0}}\n", 0, 0, write, context) passes
//   " a:long{1}\n b:list\n {\n   c:bool{0}\n }\n"
VELTUTIL_API int formatPropertyListText(const CString& text, int indent, int crlf, PropertyTextWriter write,
                                        void* context);
