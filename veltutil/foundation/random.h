#pragma once

#include "veltutil/export.h"

// Portable pseudo-random numbers: the minimal standard multiplicative congruential generator
// (multiplier 16807, modulus 2^31 - 1), with uniform, exponential and normal variates. States
// belong in 1 .. 2147483646; 0 and 2147483647 are fixed points that yield 1.0 for ever.
class VELTUTIL_API Random {
public:
    // A seed of 0 seeds from the clock (plus mySeedInc, which then grows by 17, so that
    // generators made in the same second differ) and discards ten variates.
    explicit Random(long seed = 0);
    Random(const Random&) = default;
    Random& operator=(const Random&) = default;

    void SetSeed(long s) { seed_ = s; }
    long Seed() const { return seed_; }

    // Next variate in (0, 1].
    double Unif();
    // Unif() × n truncated toward zero: 0 .. n - 1 from a normal state.
    int UnifInt(int n);
    long UnifInt(long n);
    double UnifReal(double a, double b) { return a + Unif() * (b - a); }
    double Exp(double mean);
    // Polar method: every second call returns the spare deviate of the call before, scaled by
    // its own mean and sigma.
    double Normal(double mean, double sigma);

    static long mySeedInc;

private:
    long seed_;
    int haveSpare_ = 0;
    double spare_ = 0.0;
};
