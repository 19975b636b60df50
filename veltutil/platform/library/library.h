#pragma once

// Everything the sibling library veltlibrary exports.
#include "veltutil/platform/library/help_registration.h"
#include "veltutil/platform/library/resource_strings.h"
#include "veltutil/platform/library/settings.h"
#include "veltutil/platform/library/special_output.h"
