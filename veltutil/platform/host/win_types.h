#pragma once

#include <cstdint>

// Windows-style scalar types and status codes as the exported interface spells them. Status
// codes are 32-bit values carried in a long: failures are negative, as on Windows.

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using LONG = long;
using HRESULT = long;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr long S_OK = 0;
constexpr long S_FALSE = 1;
constexpr long E_NOINTERFACE = static_cast<std::int32_t>(0x80004002u);
constexpr long E_FAIL = static_cast<std::int32_t>(0x80004005u);
constexpr long E_POINTER = static_cast<std::int32_t>(0x80004003u);     // a required pointer is null
constexpr long E_HANDLE = static_cast<std::int32_t>(0x80070006u);      // a handle never given out, or released
constexpr long E_INVALIDARG = static_cast<std::int32_t>(0x80070057u);  // an argument out of its range

constexpr bool SUCCEEDED(long status) { return status >= 0; }
constexpr bool FAILED(long status) { return status < 0; }

constexpr int MAX_PATH = 260;

// Opaque window and module handles of the headless host.
using HWND = struct HWND__*;
using HICON = struct HICON__*;
using HMODULE = struct HINSTANCE__*;
using HINSTANCE = HMODULE;

// A device context's handle: the screen's, or a CDC's.
using HDC = struct HDC__*;

// Generic kernel-object handle (file enumerations and the like).
using HANDLE = void*;

// Resource identifiers given by number travel in a pointer, as the interface spells them.
using LPCSTR = const char*;
inline LPCSTR MAKEINTRESOURCE(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)); }

struct POINT {
    LONG x = 0;
    LONG y = 0;
};
