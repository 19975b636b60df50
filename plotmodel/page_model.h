#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "plotmodel/graph_model.h"
#include "veltutil/platform/host/win_types.h"

class CCallbackEvents;

// What the plotting module keeps of one page: its texts and the graphs and tables on it, in
// the order they were created, which is the order the page shows them in.

namespace plotmodel {

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
    // Refresh pacing (page_output.h): the writing time, in seconds, that the page may still
    // spend, as of `budgetTime` on the pacing clock.
    double writeBudget = 0;
    std::chrono::nanoseconds budgetTime{};
};

}  // namespace plotmodel
