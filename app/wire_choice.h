// The choice of a standard wire as the window's dialogs offer it: the
// family, the size and the winding style in Russian, with the window's
// decimal mark.
#pragma once

#include <QString>
#include <string>

#include "wire/winding_style.h"
#include "wire/wire_table.h"

class QComboBox;

namespace tarnel {

// "IEC 60317-0-1, класс 1", "AWG, одинарная изоляция", ...
QString FamilyText(wire::WireFamily family);

// The size as a size list shows it: "0,5 мм" with the window's mark, or the
// gauge.
QString SizeText(const wire::StandardWire& wire);

// The family and the size: "IEC 60317-0-1, класс 2, 0,5 мм".
std::string WireText(const wire::StandardWire& wire);

// The style as a sheet names it: "рядовая (виток к витку)".
std::string StyleText(wire::WindingStyle style);

// Fills `box` with the families in the order of wire::kWireFamilies, or
// with the two styles, layered first.
void AddFamilyChoices(QComboBox* box);
void AddStyleChoices(QComboBox* box);

// What a box filled so holds as its current item.
wire::WireFamily ChosenFamily(const QComboBox& box);
wire::WindingStyle ChosenStyle(const QComboBox& box);

}  // namespace tarnel
