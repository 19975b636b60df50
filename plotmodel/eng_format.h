#pragma once

#include <string>

namespace plotmodel {

// A tick label: the value with an engineering prefix (y z a f p n u m, none, k M G T P E Z Y;
// "u" stands for micro) and as many decimals as the distance to the next tick needs, trailing
// zeros dropped. A value within a millionth of a step of zero is "0"; values beyond the
// prefixes fall back to exponent notation, and NaN and the infinities are spelled as in every
// file (NonFiniteText).
//   EngineeringLabel(2500, 500) -> "2.5k"   EngineeringLabel(0.0025, 0.0005) -> "2.5m"
//   EngineeringLabel(1e-5, 1e-5) -> "10u"   EngineeringLabel(-1500, 100) -> "-1.5k"
// A step that is not positive and finite counts as the value itself (one significant digit
// is shown at least).
std::string EngineeringLabel(double value, double step);

}  // namespace plotmodel
