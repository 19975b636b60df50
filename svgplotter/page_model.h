#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "svgplotter/graph_model.h"
#include "veltutil/platform/host/win_types.h"

class CCallbackEvents;

// What the plotting module keeps of one page: its texts and the graphs and tables on it, in
// the order they were created, which is the order the page shows them in.

namespace svgplotter {

struct PageItem {
    enum Kind { kGraph, kTable } kind;
    std::uint64_t serial;
};

struct Page {
    unsigned long id = 0;
    bool open = true;
    std::string tabName, title;
    Font titleFont;
    std::vector<PageItem> items;
    // Kept for the client; a page of files has no window to place or to click in.
    HWND rightClickWindow = nullptr;
    CCallbackEvents* callbackEvents = nullptr;
    int windowPosition[4] = {0, 0, 0, 0};
    bool dirty = true;
    // When the page's files were last written, and how long that took (refresh pacing).
    std::chrono::steady_clock::time_point lastWrite{};
    std::chrono::steady_clock::duration lastWriteCost{};
};

}  // namespace svgplotter
