#pragma once

// Everything the spice subsystem exports.
#include "veltutil/spice/node_name_conversion.h"
#include "veltutil/spice/node_type.h"
#include "veltutil/spice/spice_node_name.h"
