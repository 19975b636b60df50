#pragma once

// Everything the grapher subsystem exports.
#include "veltutil/grapher/grapher_attrib.h"
#include "veltutil/grapher/grapher_axes.h"
#include "veltutil/grapher/grapher_font.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/grapher/grapher_page.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/grapher/grapher_types.h"
