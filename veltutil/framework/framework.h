#pragma once

// Everything the framework subsystem exports.
#include "veltutil/framework/coroute_win_app.h"
#include "veltutil/framework/windows_message_processing.h"
