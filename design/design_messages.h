// The reasons every design gives, in the window's words, beside the
// calculation's own rule messages (calc/validation_rules.h).
#pragma once

namespace tarnel::design {

inline constexpr const char* kTargetMessage = "Введите L > 0";
inline constexpr const char* kNotFiniteMessage = "Размеры должны быть конечными числами";

}  // namespace tarnel::design
