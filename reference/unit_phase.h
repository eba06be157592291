// cos x and sin x of long double arguments far beyond 2 pi, without the
// library's general argument reduction (many times the cost of the sine
// itself for |x| > pi/4).
#pragma once

namespace tarnel::reference {

struct UnitPhase {
  long double cosine;
  long double sine;
};

// x reduced by pi/2 given in three parts, the sine and cosine of what is
// left (at most pi/4) and the quadrant: good to about 1e-19 absolute below
// 2^32 quarter turns (|x| up to about 6.7e9), to about |x| 2^-64 beyond.
UnitPhase Phase(long double x);

}  // namespace tarnel::reference
