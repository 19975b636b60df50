#pragma once

// Everything the instruments subsystem exports.
#include "veltutil/instruments/instrument_base.h"
#include "veltutil/instruments/instrument_doc_base.h"
#include "veltutil/instruments/instrument_settings_base.h"
