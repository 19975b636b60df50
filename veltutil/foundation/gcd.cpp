#include "veltutil/foundation/gcd.h"

#include <cmath>

namespace {

// Doubles in this open range truncate to a long without overflow.
constexpr double longBound = 9223372036854775808.0;  // 2^63

void report(int* ok, int value) {
    if (ok != nullptr) *ok = value;
}

bool positive(double a, double b) { return a > 0 && b > 0; }  // false for NaN as well

}  // namespace

long GCD(long a, long b) {
    while (b != 0) {
        long r = b == -1 ? 0 : a % b;
        a = b;
        b = r;
    }
    return a;
}

double GCD(double a, double b, int* ok, double) {
    bool fits = std::fabs(a) < longBound && std::fabs(b) < longBound;  // false for NaN
    report(ok, fits ? 1 : 0);
    if (!fits) return 0.0;
    return static_cast<double>(GCD(static_cast<long>(a), static_cast<long>(b)));
}

double LCM(double a, double b, int* ok) {
    report(ok, 0);
    if (!positive(a, b)) return 0.0;
    int fine = 0;
    double divisor = GCD(a, b, &fine, 1e-5);
    if (!fine || divisor == 0.0) return 0.0;
    report(ok, 1);
    return a * b / divisor;
}

double LCM(double gcd, double a, double b, int* ok) {
    bool valid = positive(a, b) && gcd != 0.0 && !std::isnan(gcd);
    report(ok, valid ? 1 : 0);
    return valid ? a * b / gcd : 0.0;
}
