#pragma once

// The whole exported interface of veltutil and of the layers it stands on.
#include "veltutil/export.h"
#include "veltutil/platform/host/host.h"
#include "veltutil/platform/veltbase/veltbase.h"
#include "veltutil/platform/library/library.h"
#include "veltutil/foundation/foundation.h"
#include "veltutil/properties/properties.h"
#include "veltutil/framework/framework.h"
#include "veltutil/logs/logs.h"
#include "veltutil/instruments/instruments.h"
#include "veltutil/grapher/grapher.h"
#include "veltutil/spice/spice.h"
#include "veltutil/measure/measure.h"
