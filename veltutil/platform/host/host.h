#pragma once

// The host layer: our stand-in for the application framework and the operating system.
#include "veltutil/platform/host/beep.h"
#include "veltutil/platform/host/cobject.h"
#include "veltutil/platform/host/cstring.h"
#include "veltutil/platform/host/cstring_array.h"
#include "veltutil/platform/host/cursor.h"
#include "veltutil/platform/host/file_find.h"
#include "veltutil/platform/host/menu.h"
#include "veltutil/platform/host/message_box.h"
#include "veltutil/platform/host/module.h"
#include "veltutil/platform/host/module_path.h"
#include "veltutil/platform/host/system_metrics.h"
#include "veltutil/platform/host/thread.h"
#include "veltutil/platform/host/win_types.h"
