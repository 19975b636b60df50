#pragma once

#include <vector>

#include "veltutil/platform/host/windows/wnd.h"

namespace velttest {

// A window that records the commands and control notifications (WM_COMMAND) it gets.
class CommandWindow : public CWnd {
public:
    std::vector<UINT> Ids() const {
        std::vector<UINT> ids;
        for (WPARAM command : commands_) ids.push_back(LOWORD(command));
        return ids;
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (WPARAM command : commands_) codes.push_back(HIWORD(command));
        return codes;
    }
    void Clear() { commands_.clear(); }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        commands_.push_back(wParam);
        return TRUE;
    }

private:
    std::vector<WPARAM> commands_;
};

}  // namespace velttest
