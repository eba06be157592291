#include "reference/unit_phase.h"

#include <cmath>
#include <numbers>

namespace tarnel::reference {

UnitPhase Phase(long double x) {
  constexpr long double kHalfPi = std::numbers::pi_v<long double> / 2;
  // pi/2 = kFirst + kSecond + kThird (Cody and Waite's split of pi/4 for an
  // extended significand, times 2): kFirst has 32 significant bits, so
  // quarters * kFirst is exact below 2^32 quarter turns, and the three
  // together carry pi/2 far beyond the 64 bits of one long double.
  constexpr long double kFirst = 2 * 7.853981554508209228515625E-1L;
  constexpr long double kSecond = 2 * 7.946627356147928367136046290398E-9L;
  constexpr long double kThird = 2 * 3.061616997868382943065164830688E-17L;
  // Adding and subtracting 1.5 * 2^63 rounds to a whole number.
  constexpr long double kRounder = 0x1.8p63L;
  const long double quarters = (x / kHalfPi + kRounder) - kRounder;
  const long double reduced = ((x - quarters * kFirst) - quarters * kSecond) - quarters * kThird;
  const long double cosine = std::cos(reduced);
  const long double sine = std::sin(reduced);
  // The quadrant from the low bits of the whole number of quarter turns.
  const long double turns = (quarters / 4 + kRounder) - kRounder;
  switch (static_cast<int>(quarters - 4 * turns) & 3) {
    case 0:
      return {cosine, sine};
    case 1:
      return {-sine, cosine};
    case 2:
      return {-cosine, -sine};
    default:
      return {sine, -cosine};
  }
}

}  // namespace tarnel::reference
