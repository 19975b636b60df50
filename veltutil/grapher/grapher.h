#pragma once

// Everything the grapher subsystem exports.
#include "veltutil/grapher/grapher_source.h"
