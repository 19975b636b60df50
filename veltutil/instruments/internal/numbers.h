#pragma once

#include <cmath>
#include <cstdlib>
#include <limits>

// Numbers read from command lines and stored data. They may be anything, so conversions
// saturate where a plain cast would be undefined.
namespace veltutil::detail {

// Truncation towards zero, held to T's range; NaN gives 0.
// TruncateTo<int>(2.9) -> 2, TruncateTo<int>(-2.9) -> -2, TruncateTo<int>(1e300) -> INT_MAX.
template <class T>
T TruncateTo(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
    if (value >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

// Decimal integer as atol reads it (leading white space skipped, reading stops at the first
// character that does not fit, none gives 0), saturating instead of overflowing.
inline long ReadLong(const char* text) { return text ? std::strtol(text, nullptr, 10) : 0; }

// As atof reads it; none gives 0.
inline double ReadDouble(const char* text) { return text ? std::strtod(text, nullptr) : 0.0; }

}  // namespace veltutil::detail
