// Design for a target inductance: given R1, Lambda and two of R2, H and D,
// find the third so that the exact inductance of the winding (uniform
// current density, reference/exact_comparison.h) equals a target.
//
// The winding's turn count is the calculator's own, N = 4·Lambda·(R2 − R1)·H
// / (PI_APPROX·D²), and its exact inductance is N² times the exact
// inductance per squared turn of the cross-section R1..R2 × H. A solution
// always passes every validation rule of the calculation and lies inside
// the shapes on which the exact value is verified.
#pragma once

#include <string>

#include "calc/winding.h"

namespace tarnel::design {

// The dimension a design solves for.
enum class Unknown { kR2, kH, kD };

// The five inputs of a winding; the member named by the design's Unknown
// is ignored.
using Winding = tarnel::Winding;

struct Design {
  enum class Outcome {
    kSolved,       // `value` is the dimension
    kUnreachable,  // no value of the dimension gives the target: see the interval
    kInvalid,      // the given dimensions or the target admit no winding: see `message`
  };
  Outcome outcome = Outcome::kInvalid;
  long double value = 0;  // kSolved: the solved dimension, metres

  // kUnreachable: the exact inductances (henries) the dimension can give
  // while every rule holds and the shape stays verified; the target lies
  // outside [lowestL, highestL]. For D, highestL is given by the thinnest
  // wire whose turn count and inductances are still normal numbers.
  long double lowestL = 0;
  long double highestL = 0;

  // kInvalid: the first rule the given dimensions break, in the window's
  // own words ("Введите R2 > R1", ...), or why the target or the shape
  // cannot be designed for.
  std::string message;
  // kInvalid: which kind of reason `message` gives.
  enum class Reason {
    kRule,          // a rule of the window's, or of the dialog's target: «Введите ...»
    kNotFinite,     // a given dimension is not a finite number
    kOutOfRange,    // no value of the dimension gives a verified shape
    kNotEvaluated,  // the exact value is not evaluated where the solution would be
  };
  Reason reason = Reason::kRule;

  // The exact evaluations the solve made, whatever its outcome: what it cost
  // in units of the reference.
  int exactEvaluations = 0;
};

// `w` with `value` as its `unknown` dimension.
Winding With(Winding w, Unknown unknown, long double value);

// Solves `unknown` so that the exact inductance of `given` with it equals
// `targetL` henries to 1e-9 relative. Runs with the floating-point unit in
// its working mode and leaves it so. Raises only what the reference passes
// on for a fault in the program (reference/exact_comparison.h).
Design SolveForInductance(const Winding& given, Unknown unknown, long double targetL);

}  // namespace tarnel::design
