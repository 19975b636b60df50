#include "veltutil/foundation/random.h"

#include <cmath>
#include <ctime>

namespace {

constexpr long modulus = 2147483647;
constexpr long multiplier = 16807;
constexpr long schrageQ = 127773;  // modulus / multiplier
constexpr long schrageR = 2836;    // modulus % multiplier
constexpr double scale = 1.0 / modulus;
constexpr int warmUpDraws = 10;

// Largest double below 2^63, so that converting a scaled variate to long stays defined even
// when a degenerate state yields exactly 1.0 for n = LONG_MAX.
constexpr double longLimit = 9223372036854774784.0;

}  // namespace

long Random::mySeedInc = 17;

Random::Random(long seed) : seed_(seed) {
    if (seed != 0) return;
    seed_ = static_cast<long>(std::time(nullptr)) + mySeedInc;
    mySeedInc += 17;
    for (int i = 0; i < warmUpDraws; ++i) Unif();
}

double Random::Unif() {
    // Schrage's decomposition keeps 16807 × state within range for any state.
    seed_ = multiplier * (seed_ % schrageQ) - schrageR * (seed_ / schrageQ);
    if (seed_ <= 0) seed_ += modulus;
    return static_cast<double>(seed_) * scale;
}

int Random::UnifInt(int n) { return static_cast<int>(Unif() * n); }

long Random::UnifInt(long n) {
    double r = Unif() * static_cast<double>(n);
    return static_cast<long>(std::fmax(-longLimit, std::fmin(r, longLimit)));
}

double Random::Exp(double mean) { return -mean * std::log(Unif()); }

double Random::Normal(double mean, double sigma) {
    if (haveSpare_) {
        haveSpare_ = 0;
        return spare_ * sigma + mean;
    }
    double x, y, s;
    do {
        x = 2 * Unif() - 1;
        y = 2 * Unif() - 1;
        s = x * x + y * y;
        // A state that is a multiple of the modulus repeats 1.0 for ever and never lands inside
        // the circle; give the mean instead of spinning.
        if (s > 1 && seed_ % modulus == 0) return mean;
    } while (s > 1);
    double f = std::sqrt(-2 * std::log(s) / s);
    spare_ = f * y;
    haveSpare_ = 1;
    return f * x * sigma + mean;
}
