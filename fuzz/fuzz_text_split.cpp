// Command text arrives from people and scripts: splitting, tab expansion and number
// formatting must hold their invariants for any bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "veltutil/foundation/text_format.h"
#include "veltutil/foundation/text_split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1 + sizeof(double)) return 0;
    int tabSize = static_cast<signed char>(data[0]);
    double number;
    std::memcpy(&number, data + 1, sizeof number);
    std::string text(reinterpret_cast<const char*>(data + 1 + sizeof number), size - 1 - sizeof number);
    CString input(text);

    CStringArray parts;
    DivideStringIntoStatements(input, parts);
    for (const CString& statement : parts)
        if (statement.Find(';') >= 0) std::abort();
    DivideStringIntoWords(input, parts);
    for (const CString& word : parts)
        if (word.IsEmpty() || word.Find(' ') >= 0) std::abort();

    CString detabbed = DetabString(input, tabSize);
    if (detabbed.Find('\t') >= 0) std::abort();

    double mantissa = 0;
    CString unit;
    ExpandNumber(number, "V", mantissa, unit, data[0] & 1, data[0] & 2);
    double parsed = 0;
    fromString(input, parsed);
    return 0;
}
