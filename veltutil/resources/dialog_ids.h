#pragma once

#include "veltutil/platform/host/win_types.h"

// Ids of the library's dialog and icon resources (command_log_dialog.cpp).
namespace veltutil::detail {

inline constexpr UINT IDD_COMMAND_LOG = 130;
inline constexpr UINT IDI_COMMAND_LOG = 140;

inline constexpr UINT IDC_LOG_TREE = 1000;
inline constexpr UINT IDC_LOG_SAVE = 1002;
inline constexpr UINT IDC_LOG_NEW = 1003;
inline constexpr UINT IDC_LOG_ADVISOR = 1004;
inline constexpr UINT IDC_LOG_FULL = 1084;
inline constexpr UINT IDC_LOG_SIMPLE = 1085;
inline constexpr UINT IDC_LOG_COMMAND = 1087;
inline constexpr UINT IDC_LOG_NONE = 1088;

}  // namespace veltutil::detail
