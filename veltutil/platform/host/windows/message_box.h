#pragma once

#include <functional>

#include "veltutil/platform/host/strings/cstring.h"
#include "veltutil/platform/host/host_export.h"
#include "veltutil/platform/host/win_types.h"

// Message boxes are modal questions; the headless host routes them through one replaceable
// service. Without a service installed nobody is at the terminal, so the box's default button
// answers.

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct MessageBoxRequest {
    HWND owner = nullptr;
    CString text;
    CString caption;
    UINT type = MB_OK;
};

using MessageBoxService = std::function<int(const MessageBoxRequest&)>;

// Installs `service` and returns the one it replaces; an empty service restores the default.
VELTHOST_API MessageBoxService SetMessageBoxService(MessageBoxService service);
// The answer of the box's default button (MB_DEFBUTTONn of its button set).
VELTHOST_API int DefaultMessageBoxAnswer(UINT type);

VELTHOST_API int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
VELTHOST_API int AfxMessageBox(const char* text, UINT type = MB_OK);
