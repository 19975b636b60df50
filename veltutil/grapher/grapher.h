#pragma once

// Everything the grapher subsystem exports.
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/grapher/grapher_types.h"
