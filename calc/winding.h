// The five dimensions of a winding, as the window's input fields hold them.
#pragma once

namespace tarnel {

// Radii and height in metres, the wire diameter D in metres, Lambda the
// share of the cross-section filled by wire (a pure number).
struct Winding {
  long double R1 = 0;
  long double R2 = 0;
  long double H = 0;
  long double D = 0;
  long double Lambda = 0;
};

}  // namespace tarnel
