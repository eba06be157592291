// The inductance of a cylindrical current sheet (a single-layer coil of
// vanishing wire thickness), by Lorenz's formula in complete elliptic
// integrals. It is the limit of the exact winding inductance as the radial
// depth R2 - R1 goes to zero, and the tests check the exact inductance
// against it independently.
#pragma once

namespace tarnel::reference {

// Nagaoka's coefficient K_N for a sheet of radius a and length l:
//   K_N = 4 / (3 pi k') [ (k'^2 / k^2) (K(k) - E(k)) + E(k) - k ],
//   k^2 = 4a^2 / (4a^2 + l^2),  k' = l / sqrt(4a^2 + l^2).
// It tends to 1 for a long sheet.
double NagaokaCoefficient(double radius, double length);

// L/N^2 = mu0 pi a^2 / l * K_N, in henries, for a > 0 and l > 0 in metres;
// throws std::invalid_argument otherwise.
double CurrentSheetInductancePerTurnSquared(double radius, double length);

}  // namespace tarnel::reference
