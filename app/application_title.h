// The title the application runs under: it names the program where the
// system lists running applications and captions the error box.
#pragma once

#include <QString>

namespace tarnel {

inline constexpr char kApplicationTitle[] = "Программа расчета цилиндрического соленоида";

// Sets the title on the running application.
void SetApplicationTitle();

// The title read back from the application, at most 255 characters.
QString ApplicationTitle();

}  // namespace tarnel
