#pragma once

// Everything the foundation subsystem exports.
#include "veltutil/foundation/file_info_simple.h"
#include "veltutil/foundation/gcd.h"
#include "veltutil/foundation/named_cstring_array.h"
#include "veltutil/foundation/random.h"
#include "veltutil/foundation/selectable_string.h"
#include "veltutil/foundation/slist.h"
#include "veltutil/foundation/text_file.h"
#include "veltutil/foundation/text_format.h"
#include "veltutil/foundation/text_split.h"
#include "veltutil/foundation/ui_helpers.h"
#include "veltutil/foundation/void_list.h"
