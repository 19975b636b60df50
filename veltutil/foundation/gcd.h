#pragma once

#include "veltutil/export.h"

// Greatest common divisor and least common multiple.

// Euclid's algorithm with truncating remainders: the result takes the signs the remainders
// give (GCD(4, -6) = -2) and GCD(a, 0) = a. A remainder by -1 is taken as 0, its value, so
// that the one pair whose remainder overflows (LONG_MIN, -1) gives -1 like every GCD(x, -1).
VELTUTIL_API long GCD(long a, long b);

// GCD of a and b each truncated toward zero; `tolerance` is accepted for callers that pass one
// but does not change the result. *ok is 1, or 0 (with a result of 0) when a value is not a
// number or does not fit in a long. `ok` may be null.
VELTUTIL_API double GCD(double a, double b, int* ok, double tolerance);

// a × b / GCD(a, b). *ok is 0 and the result 0 when a or b is not positive (or not a number),
// and also when both are below 1: their truncated GCD is 0 and there is no multiple to give.
VELTUTIL_API double LCM(double a, double b, int* ok);

// a × b / gcd with the divisor given by the caller. *ok is 0 and the result 0 when a or b is
// not positive (or not a number) or when gcd is 0 or not a number.
VELTUTIL_API double LCM(double gcd, double a, double b, int* ok);
