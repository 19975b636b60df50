#include <iterator>

#include "veltutil/platform/library/resource_strings.h"
#include "veltutil/resources/internal/resource_module.h"
#include "veltutil/resources/internal/string_ids.h"

// The library's string table. Its user-visible texts are Simplified Chinese, in UTF-8.
namespace veltutil::detail {
namespace {

constexpr StringTableEntry kStrings[] = {
    {IDS_CANNOT_CLOSE_WHILE_SIMULATING, "仿真正在运行，请先停止仿真再关闭程序。"},
    {IDS_LOG_FILE_FILTER, "日志文件(*.log)|*.log||"},
    {IDS_CANNOT_OPEN, "无法打开: "},
    {IDS_NODE_TIME, "时间(秒)"},
    {IDS_NODE_FREQUENCY, "频率(HZ)"},
    {IDS_NODE_VOLTAGE, "电压(伏)"},
    {IDS_NODE_CURRENT, "电流(安)"},
    {IDS_NODE_OUTPUT_NOISE_DENSITY, "输出噪声(V^2/Hz 或者 A^2/Hz)"},
    {IDS_NODE_OUTPUT_NOISE, "输出噪声(V^2 或者 A^2)"},
    {IDS_NODE_INPUT_NOISE_DENSITY, "输入噪声(V^2/Hz 或者 A^2/Hz)"},
    {IDS_NODE_INPUT_NOISE, "输入噪声(V^2 或者 A^2)"},
    {IDS_NODE_OUTPUT_NOISE_TOTAL, "输出噪声"},
    {IDS_NODE_INPUT_NOISE_TOTAL, "输入噪声"},
    {IDS_NODE_POLES, "极点(Hz)"},
    {IDS_NODE_ZEROS, "零点(Hz)"},
    {IDS_NODE_S_PARAMETERS, "S-参数 (Hz)"},
    {IDS_RUN_LOG_RUN, "运行数"},
    {IDS_RUN_LOG_TIME, "时间[秒]"},
    {IDS_RUN_LOG_OUTPUT, "输出值"},
    {IDS_RUN_LOG_SUM, "总和"},
    {IDS_RUN_LOG_PARAMETER, "参数"},
};

// Joins the application's resource search when the library is loaded and leaves it at unload.
const CStringTableRegistration registration(LibraryModule(), kStrings, std::size(kStrings));

}  // namespace
}  // namespace veltutil::detail
