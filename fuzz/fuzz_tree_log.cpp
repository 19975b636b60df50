#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"

// Arbitrary lines into a command log window. Each line's first byte picks its parent among
// the lines added so far (or the root) and whether it is made visible; the rest is its text.
// Then the log is expanded, collapsed, saved to text and cleared.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CCmdLog log("fuzz", nullptr);
    static bool initialized = log.Initialize(nullptr) == S_OK;
    if (!initialized) return 0;

    std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<_TREEITEM*> items;
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        std::string line = input.substr(start, end - start);
        start = end + 1;
        if (line.empty()) continue;
        auto choice = static_cast<unsigned char>(line[0]);
        std::size_t pick = choice % (items.size() + 1);
        _TREEITEM* parent = pick == 0 ? TVI_ROOT : items[pick - 1];
        _TREEITEM* item = nullptr;
        if (log.AddText(parent, choice & 3, line.c_str() + 1, &item, choice & 1) == S_OK) items.push_back(item);
        if (choice % 7 == 0 && !items.empty()) log.ExpandTree(items[choice % items.size()], choice & 2);
    }
    CString text = log.GetDialog()->FormatLines();
    if (text.GetLength() < static_cast<int>(items.size())) __builtin_trap();  // a line end per line at least
    log.GetDialog()->GetTree()->DeleteAllItems();
    return 0;
}
