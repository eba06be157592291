#include "app/application_start.h"

#include <QByteArray>
#include <QList>
#include <QStandardPaths>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace tarnel {
namespace {

// A message of the toolkit held back while the application is made.
struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

// Only touched on the main thread, while the QApplication constructor runs.
QList<HeldMessage>* heldMessages = nullptr;

// xvfb-run needs xauth, which its package only recommends; a missing one is
// named with the Debian package that brings it.
QByteArray MissingXvfbPackages() {
  QByteArray missing;
  for (const char* program : {"xvfb-run", "xauth"}) {
    if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty()) {
      missing += missing.isEmpty() ? "" : " ";
      missing += program == QByteArray("xvfb-run") ? "xvfb" : program;
    }
  }
  return missing;
}

void SayNoDisplay() {
  const QByteArray display = qgetenv("DISPLAY");
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  const QByteArray where = qEnvironmentVariableIsSet("DISPLAY") ? "DISPLAY=\"" + display + "\""
                                                                : QByteArray("DISPLAY is not set");
  const QByteArray missing = MissingXvfbPackages();
  QByteArray install;
  if (!missing.isEmpty()) {
    install = QByteArray(" (after installing the Debian ") +
              (missing.contains(' ') ? "packages " : "package ") + missing + ")";
  }
  std::fprintf(stderr,
               "tarnel: no display could be reached (%s%s%s); to run without one: "
               "xvfb-run -a tarnel%s\n",
               where.constData(),
               platform.isEmpty() ? "" : ", QT_QPA_PLATFORM=", platform.constData(),
               install.constData());
  std::fflush(stderr);
}

// The toolkit's complaints about the platform lead up to its fatal message;
// they are shown only if no fatal message follows.
void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    SayNoDisplay();
    std::_Exit(kNoDisplayStatus);
  }
  heldMessages->append({type, QByteArray(context.category), text});
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
  QList<HeldMessage> held;
  heldMessages = &held;
  const QtMessageHandler previous = qInstallMessageHandler(HoldMessage);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  heldMessages = nullptr;
  for (const HeldMessage& message : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    previous(message.type, context, message.text);
  }
  return application;
}

}  // namespace tarnel
