// The error box: how an error that ends a calculation reaches the user.
#pragma once

class QObject;

namespace tarnel {

class Exception;

// Shows `error` once any mouse grab is released; returns when the box is
// closed. `sender` is the object whose event was being handled; it is unused.
void ReportEventError(QObject* sender, const Exception& error);

// A critical message box with one OK button, captioned with the application
// title, holding the error's message and a full stop. Every other visible,
// enabled window of the application is disabled while it is open; they are
// re-enabled, and the active one re-activated, however the box ends.
void ShowErrorBox(const Exception& error);

}  // namespace tarnel
