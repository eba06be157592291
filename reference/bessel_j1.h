// The Bessel function of the first kind of order one, in extended precision.
#pragma once

namespace tarnel::reference {

// J1(x) for x >= 0, to a few units of 1e-19: the power series for small x,
// Miller's backward recurrence normalised by J0 + 2 (J2 + J4 + ...) = 1 for
// moderate x, and Hankel's asymptotic expansion for large x.
long double BesselJ1(long double x);

}  // namespace tarnel::reference
