// The error box: how an error that ends a calculation reaches the user.
#pragma once

class QObject;

namespace tarnel {

class Exception;

// Shows `error` once any mouse grab is released; returns when the box is
// closed. `sender` is the object whose event was being handled; it is unused.
void ReportEventError(QObject* sender, const Exception& error);

// A critical message box with one OK button, captioned with the application
// title, holding the error's message and a full stop; owned by the active
// window, centred on it and modal over the application. Every other visible,
// enabled window of the application is disabled while it is open; however
// the box ends, they are re-enabled, the active one is re-activated and the
// widget that had the focus has it again.
void ShowErrorBox(const Exception& error);

}  // namespace tarnel
