#include "veltutil/platform/host/windows/cursor.h"

#include <cstdint>
#include <utility>

struct HCURSOR__ {
    std::uintptr_t id;
};

namespace {

// Identified by number so that the table needs no other static object to be set up first.
HCURSOR__ standardCursors[] = {{32512}, {32513}, {32514}, {32515}};

struct CursorState {
    HCURSOR current = &standardCursors[0];
    POINT position;
};

CursorState& state() {
    static CursorState instance;
    return instance;
}

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
    if (instance != nullptr) return nullptr;
    for (HCURSOR__& cursor : standardCursors)
        if (cursor.id == reinterpret_cast<std::uintptr_t>(name)) return &cursor;
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) { return std::exchange(state().current, cursor); }

HCURSOR GetCursor() { return state().current; }

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) return FALSE;
    *point = state().position;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    state().position = {x, y};
    return TRUE;
}
