// The names the application runs under: the Russian title that people read
// (it captions the error box) and the ASCII names the desktop matches the
// running program to its installed entry by.
#pragma once

#include <QString>

namespace tarnel {

inline constexpr char kApplicationTitle[] = "Программа расчета цилиндрического соленоида";
// The class part of the window's WM_CLASS and the desktop entry's
// StartupWMClass; the instance part is the program's file name, "tarnel".
inline constexpr char kApplicationName[] = "Tarnel";
inline constexpr char kDesktopFileName[] = "org.example.Tarnel";

// Sets the title and the desktop names on the running application.
void SetApplicationTitle(const QString& title = QString::fromUtf8(kApplicationTitle));

// The title read back from the application, at most 255 characters.
QString ApplicationTitle();

}  // namespace tarnel
