#pragma once

// Everything the foundation subsystem exports.
#include "veltutil/foundation/slist.h"
#include "veltutil/foundation/void_list.h"
