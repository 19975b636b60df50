#pragma once

// Everything the logs subsystem exports.
#include "veltutil/logs/tree_log.h"
