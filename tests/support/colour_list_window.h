#pragma once

#include <cstdio>

#include "veltutil/logs/color_list_ctrl.h"
#include "veltutil/platform/host/drawing/system_colors.h"

namespace velttest {

// A window holding a colour list of `rows` rows under Name and Value: row i is named by
// 99999 - i, so that sorting by name reverses the rows, and its value is written on the
// background RowColour(i). Counts the rows it draws.
class ColourListWindow {
public:
    class CountingList : public CColorListCtrl {
    public:
        int drawn = 0;
        void DrawItem(LPDRAWITEMSTRUCT drawItem) override {
            ++drawn;
            CColorListCtrl::DrawItem(drawItem);
        }
    };

    static COLORREF RowColour(int row) {
        // Light, so that the text stays readable, and different for the rows of any page.
        return RGB(static_cast<BYTE>(150 + row % 100), static_cast<BYTE>(150 + (row / 100) % 100), static_cast<BYTE>(200 + row % 5 * 10));
    }

    explicit ColourListWindow(int rows, int width = 360, int height = 300) {
        window.Create("颜色列表", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(20, 20, 20 + width, 20 + height), nullptr);
        list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, width, height), &window, 7);
        list.SetBackgroundColor(RGB(255, 255, 255));
        list.SetTextColor(RGB(0, 0, 0));
        list.AddColumn("Name", LVCFMT_LEFT, 120);
        list.AddColumn("Value", LVCFMT_RIGHT, 120);
        for (int row = 0; row < rows; ++row) {
            char name[16];
            std::snprintf(name, sizeof name, "%05d", 99999 - row);
            list.AddItem(name, row, RGB(0, 0, 0), RGB(255, 255, 255));
            list.AddSubItem(row, 1, "1.0 V", row, RGB(0, 0, 160), RowColour(row));
        }
    }

    CWnd window;
    CountingList list;
};

}  // namespace velttest
