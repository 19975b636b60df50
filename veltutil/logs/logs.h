#pragma once

// Everything the logs subsystem exports.
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/logs/color_list_ctrl.h"
#include "veltutil/logs/dialog_helpers.h"
#include "veltutil/logs/list_box_util.h"
#include "veltutil/logs/lparam_list.h"
#include "veltutil/logs/tree_log.h"
#include "veltutil/logs/value_entry.h"
