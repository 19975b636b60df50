#pragma once

// Everything the grapher subsystem exports.
#include "veltutil/grapher/chart_log.h"
#include "veltutil/grapher/grapher_attrib.h"
#include "veltutil/grapher/grapher_axes.h"
#include "veltutil/grapher/grapher_chart.h"
#include "veltutil/grapher/grapher_font.h"
#include "veltutil/grapher/grapher_graph.h"
#include "veltutil/grapher/grapher_interface.h"
#include "veltutil/grapher/grapher_page.h"
#include "veltutil/grapher/grapher_source.h"
#include "veltutil/grapher/grapher_types.h"
#include "veltutil/grapher/grid_type.h"
#include "veltutil/grapher/std_grapher_chart.h"
#include "veltutil/grapher/std_grapher_graph.h"
#include "veltutil/grapher/std_grapher_page.h"
#include "veltutil/grapher/trace_info.h"
