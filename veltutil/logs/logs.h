#pragma once

// Everything the logs subsystem exports.
#include "veltutil/logs/cmd_log.h"
#include "veltutil/logs/cmd_log_dlg.h"
#include "veltutil/logs/tree_log.h"
