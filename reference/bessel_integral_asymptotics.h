// The large-x form of F(x) = integral from 0 to x of t J1(t) dt:
//
//   F(x) = 1 + sqrt(2x/pi) (a(x) cos(x - pi/4) + b(x) sin(x - pi/4)),
//
// with a(x) = sum a_n x^-n (even n) and b(x) = sum b_n x^-n (odd n) asymptotic
// series. They follow from F(x) = (pi x/2) (J1 H0 - J0 H1), the Wronskian
// J1 Y0 - J0 Y1 = 2/(pi x), Hankel's expansions of J0 and J1 and the
// expansions of the Struve differences H0 - Y0 and H1 - Y1:
//   a = s0 Q1 - s1 P0,  b = s0 P1 + s1 Q0,
//   s0 = sum_k (-1)^k ((2k-1)!!)^2 x^-(2k+1),
//   s1 = sum_k (-1)^k ((2k-1)!!)^2 / (1 - 2k) x^-2k.
// The series diverge; summed to their smallest term they err by about e^-x.
#pragma once

#include <vector>

namespace tarnel::reference {

// Coefficients a_n and b_n of x^-n, n = 0 .. size-1 (a_0 = -1, b_1 = 7/8).
struct AsymptoticCoefficients {
  std::vector<long double> cosine;  // a_n, zero for odd n
  std::vector<long double> sine;    // b_n, zero for even n
};

// The coefficients up to a fixed order (60), computed once.
const AsymptoticCoefficients& BesselIntegralAsymptoticCoefficients();

struct OscillationAmplitudes {
  long double cosine;  // a(x)
  long double sine;    // b(x)
};

// a(x) and b(x), each summed until its terms stop decreasing. Meant for
// x >= 20 or so; smaller x gives a poorer value, not an error.
OscillationAmplitudes BesselIntegralAmplitudes(long double x);

// F(x) from the large-x form.
long double BesselIntegralAsymptotic(long double x);

}  // namespace tarnel::reference
