#include "app/wire_choice.h"

#include <QComboBox>
#include <algorithm>
#include <cstddef>

#include "calc/number_text.h"

namespace tarnel {

using wire::WindingStyle;
using wire::WireFamily;

QString FamilyText(WireFamily family) {
  switch (family) {
    case WireFamily::kIecGrade1:
      return QStringLiteral("IEC 60317-0-1, класс 1");
    case WireFamily::kIecGrade2:
      return QStringLiteral("IEC 60317-0-1, класс 2");
    case WireFamily::kAwgSingle:
      return QStringLiteral("AWG, одинарная изоляция");
    case WireFamily::kAwgHeavy:
      return QStringLiteral("AWG, усиленная изоляция");
  }
  return {};
}

QString SizeText(const wire::StandardWire& w) {
  if (!wire::IsIecFamily(w.family)) {
    return QString::fromStdString(w.size);
  }
  QString size = QString::fromStdString(w.size);
  size.replace(QLatin1Char('.'), QLatin1Char(DecimalMark()));
  return size + QStringLiteral(" мм");
}

std::string WireText(const wire::StandardWire& w) {
  return (FamilyText(w.family) + QStringLiteral(", ") + SizeText(w)).toStdString();
}

std::string StyleText(WindingStyle style) {
  return style == WindingStyle::kLayered ? "рядовая (виток к витку)" : "ортоциклическая";
}

void AddFamilyChoices(QComboBox* box) {
  for (WireFamily family : wire::kWireFamilies) {
    box->addItem(FamilyText(family));
  }
}

void AddStyleChoices(QComboBox* box) {
  box->addItem(QStringLiteral("Рядовая (виток к витку)"));
  box->addItem(QStringLiteral("Ортоциклическая"));
}

WireFamily ChosenFamily(const QComboBox& box) {
  return wire::kWireFamilies[static_cast<std::size_t>(std::max(box.currentIndex(), 0))];
}

WindingStyle ChosenStyle(const QComboBox& box) {
  return box.currentIndex() == 1 ? WindingStyle::kOrthocyclic : WindingStyle::kLayered;
}

}  // namespace tarnel
