#pragma once

class OrvVariant;

namespace veltutil::detail {
// The empty variant that out-of-range element access answers; lives as long as the library.
OrvVariant& SharedEmptyVariant();
}  // namespace veltutil::detail
