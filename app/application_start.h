// Making the application object. Without a windowing system to connect to,
// the toolkit would abort with advice to reinstall; instead the program says
// that no display was reachable and how to run without one, and ends with
// status 1.
#pragma once

#include <QApplication>
#include <memory>

namespace tarnel {

inline constexpr int kNoDisplayStatus = 1;

// The QApplication for `argc` and `argv`, which must outlive it. Does not
// return when the platform cannot be started.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace tarnel
