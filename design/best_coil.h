// The coil of least wire for an inductance: given the wire (D, Lambda) and
// what is fixed of R1, R2 and H, the winding of least wire length
// N·PI_APPROX·(R1 + R2), so of least DC resistance and copper, whose exact
// inductance (N² times the reference's L/N², N the calculator's turn count)
// equals a target to 1e-9 relative.
#pragma once

#include <limits>
#include <optional>
#include <string>

#include "calc/number_text.h"
#include "calc/winding.h"

namespace tarnel::design {

// What a best-coil search may do with one of R1, R2 and H.
struct DimensionChoice {
  bool kept = false;  // kept at the winding's value; otherwise free within the bounds
  long double lowest = 0;
  long double highest = std::numeric_limits<long double>::infinity();
};

struct BestCoilRequest {
  tarnel::Winding winding;  // D and Lambda; R1, R2 and H where kept
  DimensionChoice R1;
  DimensionChoice R2;
  DimensionChoice H;
  long double targetL = 0;  // henries
};

struct BestCoil {
  bool solved = false;
  tarnel::Winding winding;     // solved: the coil
  long double exactL = 0;      // solved: its exact inductance, henries
  long double wireLength = 0;  // solved: metres
  // Not solved: the bound or rule that stops it, in the window's words.
  std::string message;
};

// The coil of least wire for the request. Every coil it gives passes every
// validation rule of the calculation, lies inside the reference's verified
// shapes and keeps every bound of the request. Raises nothing; leaves the
// floating-point unit in its working mode.
BestCoil FindBestCoil(const BestCoilRequest& request);

// A coil as it is written: the texts of R1, R2 and H in `format`, and the
// coil those texts read back to.
struct WrittenCoil {
  bool solved = false;
  std::string R1;
  std::string R2;
  std::string H;
  BestCoil coil;  // the coil of the texts; its message when not solved
};

// Writes the free dimensions of `best` in `format` one after another and
// solves the last free one of R2 and H again on the texts of the others, so
// that the coil the texts read back to keeps every rule and bound, stays
// verified and gives the target to `tolerance` relative (to the digits of
// `format` when `tolerance` is zero: the nearest the texts can come).
WrittenCoil WriteBestCoil(const BestCoilRequest& request, const BestCoil& best,
                          const NumberFormat& format, long double tolerance);

// The tolerance the search promises on the exact inductance.
inline constexpr long double kBestCoilTolerance = 1e-9L;

// The shape of least wire while nothing binds: R2/R1 and H/R1.
struct BestShape {
  long double outerRatio = 0;
  long double heightRatio = 0;
};
BestShape FreeBestShape();

// The coil of the shape R2 = outerRatio·R1, H = heightRatio·R1 whose exact
// inductance is `targetL` (the wire D and Lambda of `wire`); nothing where
// the reference declines it. The Brooks coil is the shape {2, 1}.
std::optional<tarnel::Winding> CoilOfShape(const tarnel::Winding& wire, const BestShape& shape,
                                           long double targetL);

}  // namespace tarnel::design
