#include "veltutil/foundation/text_file.h"

#include <cstdio>

namespace {

void writeLine(const CString& text, const CString& path, const char* mode) {
    std::FILE* file = std::fopen(path, mode);
    if (file == nullptr) return;
    std::fwrite(text.GetString(), 1, static_cast<std::size_t>(text.GetLength()), file);
    std::fputc('\n', file);
    std::fclose(file);
}

}  // namespace

void print(CString text, CString path) { writeLine(text, path, "w"); }

void printapp(CString text, CString path) { writeLine(text, path, "a"); }
