// The magnetic field on the axis of a winding of uniform current density.
#pragma once

#include <optional>

#include "calc/winding.h"

namespace tarnel::field {

// The mean current density N·I/((R2 - R1)·H) in A/m² of `turnCount` turns
// carrying `current` amperes; nothing when it is not a finite number.
std::optional<long double> CurrentDensity(const Winding& winding, long double turnCount,
                                          long double current);

// The axial field B(z) in tesla, z metres from the centre of the winding
// along its axis, for the current density `density` (A/m²), with the true
// magnetic constant. Accurate to 1e-11 relative for |z| up to
// 10·max(H, R2), thin walls and flat discs included. Nothing when the
// winding is not one (R1 < 0, R2 <= R1, H <= 0, not finite) or the field
// is not a finite number.
std::optional<long double> AxialField(const Winding& winding, long double density, long double z);

// B(0) and B(H/2), the field at the centre of an end face.
std::optional<long double> CentreField(const Winding& winding, long double density);
std::optional<long double> EndField(const Winding& winding, long double density);

}  // namespace tarnel::field
