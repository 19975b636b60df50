#pragma once

#include <string_view>

namespace veltsim {

// Reads a number as SPICE writes it: a decimal number with an optional scale suffix (f p n u m
// k meg g t, any case), letters after the suffix being a unit and ignored.
//   "5m" -> 0.005, "1MEG" -> 1e6, "10kHz" -> 1e4, "2.5e-3" -> 0.0025, "1x" -> 1
// False for text that does not start with a number.
bool ParseSpiceNumber(std::string_view text, double& value);

}  // namespace veltsim
