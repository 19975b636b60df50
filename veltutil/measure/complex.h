#pragma once

// A complex value as the simulator hands it over: real part, then imaginary part.
struct CComplex {
    double re = 0.0;
    double im = 0.0;
};
