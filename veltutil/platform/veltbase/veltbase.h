#pragma once

// Everything the sibling library veltbase exports.
#include "veltutil/platform/veltbase/event_handler.h"
