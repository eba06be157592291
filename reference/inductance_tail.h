// The part of the inductance integral beyond the numerical cut-off K, in
// closed form. Lengths are scaled so that the outer radius is 1:
//
//   tail = integral from K to infinity of G(q)^2 w(q) dq,
//   G(q) = F(q) - F(r1 q),   w(q) = (h q - 1 + e^(-h q)) / q^6,
//
// with r1 = R1/R2, h = H/R2. Beyond K both F are replaced by their large-x
// form (bessel_integral_asymptotics.h) truncated at a fixed order in 1/q.
// Squared, G^2 w becomes a finite sum of terms c q^(-p) e^(i w q) e^(-l q)
// with w in {0, r2 - r1, 2 r1, 2 r2, r1 + r2} and l in {0, h}; each is
// integrated exactly with the generalised exponential integral.
#pragma once

namespace tarnel::reference {

// `innerIsAsymptotic` says whether r1 K is large enough for F(r1 q) to take
// its large-x form; when it is false, F(r1 q) is taken as 0 beyond K, which
// is exact for r1 = 0 and otherwise errs by the order of r1^3.
// Needs K >= 36, K r1 >= 36 when innerIsAsymptotic, h > 0 and 0 <= r1 < 1.
long double InductanceTail(long double r1, long double h, long double K, bool innerIsAsymptotic);

// The order in 1/q at which the large-x amplitudes are truncated.
inline constexpr int kTailOrder = 16;

}  // namespace tarnel::reference
