#pragma once

// Everything the framework subsystem exports.
#include "veltutil/framework/coroute_win_app.h"
#include "veltutil/framework/windows_message_processing.h"
#include "veltutil/framework/interface_base.h"
#include "veltutil/framework/registered_events.h"
#include "veltutil/framework/os_list.h"
#include "veltutil/framework/event_source.h"
#include "veltutil/framework/event_sink.h"
#include "veltutil/framework/gui_fe_event_sink.h"
#include "veltutil/framework/gui_fe.h"
#include "veltutil/framework/instrument_interface.h"
#include "veltutil/framework/snap_in_container.h"
