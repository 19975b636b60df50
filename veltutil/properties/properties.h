#pragma once

// Everything the properties subsystem exports.
#include "veltutil/properties/property_check.h"
#include "veltutil/properties/property_format.h"
#include "veltutil/properties/property_item.h"
#include "veltutil/properties/property_list.h"
#include "veltutil/properties/com_item.h"
#include "veltutil/properties/variant.h"
