#pragma once

#include "veltutil/platform/host/win_types.h"

// Ids of the library's string table (string_table.cpp).
namespace veltutil::detail {

inline constexpr UINT IDS_CANNOT_CLOSE_WHILE_SIMULATING = 7023;
inline constexpr UINT IDS_LOG_FILE_FILTER = 7175;
inline constexpr UINT IDS_CANNOT_OPEN = 7374;

// Axis labels by node type.
inline constexpr UINT IDS_NODE_TIME = 7339;
inline constexpr UINT IDS_NODE_FREQUENCY = 7137;
inline constexpr UINT IDS_NODE_VOLTAGE = 7400;
inline constexpr UINT IDS_NODE_CURRENT = 7073;
inline constexpr UINT IDS_NODE_OUTPUT_NOISE_DENSITY = 7253;
inline constexpr UINT IDS_NODE_OUTPUT_NOISE = 7448;
inline constexpr UINT IDS_NODE_INPUT_NOISE_DENSITY = 7449;
inline constexpr UINT IDS_NODE_INPUT_NOISE = 7450;
inline constexpr UINT IDS_NODE_OUTPUT_NOISE_TOTAL = 7451;
inline constexpr UINT IDS_NODE_INPUT_NOISE_TOTAL = 7452;
inline constexpr UINT IDS_NODE_POLES = 7453;
inline constexpr UINT IDS_NODE_ZEROS = 7454;
inline constexpr UINT IDS_NODE_S_PARAMETERS = 7455;

// Columns of the run log table.
inline constexpr UINT IDS_RUN_LOG_RUN = 7443;
inline constexpr UINT IDS_RUN_LOG_TIME = 7444;
inline constexpr UINT IDS_RUN_LOG_OUTPUT = 7445;
inline constexpr UINT IDS_RUN_LOG_SUM = 7446;
inline constexpr UINT IDS_RUN_LOG_PARAMETER = 7447;

}  // namespace veltutil::detail
