#pragma once

// Everything the measure subsystem exports.
#include "veltutil/measure/complex.h"
#include "veltutil/measure/gain_phase.h"
#include "veltutil/measure/integrator.h"
#include "veltutil/measure/min_max.h"
#include "veltutil/measure/rms.h"
