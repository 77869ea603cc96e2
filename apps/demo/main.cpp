// datewell-demo: a form hosting Datewell controls. With a display it opens its window; without
// one it plays a short tour on Qt's offscreen platform and leaves screenshots and the event log
// in a folder it names on exit.

#include <QApplication>
#include <QDir>
#include <QMessageLogContext>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "demo_form.h"
#include "tour.h"

namespace {

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* wl = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wl && *wl);
}

void Usage() {
  std::puts(
      "usage: datewell-demo [Qt options] [--tour] [--out DIR]\n"
      "  --tour     play the scripted tour even with a display\n"
      "  --out DIR  where the tour writes its screenshots and event log\n"
      "Qt's own options work too, e.g. -style fusion, -reverse, -platform offscreen.");
}

// Qt's offscreen platform cannot grab the mouse, raise a window or take a window's size hints,
// and says so each time it is asked; the panel asks on every opening. Those notices are left
// out; every other message is written as Qt writes it.
void QuietOffscreenNotices(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  constexpr const char* kNotices[] = {
      "This plugin does not support grabbing the mouse",
      "This plugin does not support raise()",
      "This plugin does not support propagateSizeHints()",
  };
  if (type == QtWarningMsg) {
    for (const char* notice : kNotices) {
      if (message == QLatin1String(notice)) {
        return;
      }
    }
  }
  const QString line = qFormatLogMessage(type, context, message);
  std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
  std::fflush(stderr);
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // The application first: it takes its own options (-style, -reverse, -platform, ...) out of
  // argv, and what is left is the demo's.
  QApplication app(argc, argv);
  bool tour = false;
  QString out;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--tour") {
      tour = true;
    } else if (arg == "--out" && i + 1 < argc) {
      out = QString::fromLocal8Bit(argv[++i]);
    } else if (arg == "--help" || arg == "-h") {
      Usage();
      return 0;
    } else {
      Usage();
      return 2;
    }
  }
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
    qInstallMessageHandler(QuietOffscreenNotices);
    tour = true;
  }

  QString settings;
  if (tour) {
    if (out.isEmpty()) {
      QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("datewell-demo-XXXXXX")));
      dir.setAutoRemove(false);
      if (!dir.isValid()) {
        std::fprintf(stderr, "datewell-demo: cannot make a folder for the tour\n");
        return 1;
      }
      out = dir.path();
    } else if (!QDir().mkpath(out)) {
      std::fprintf(stderr, "datewell-demo: cannot make %s\n", qPrintable(out));
      return 1;
    }
    settings = out + QStringLiteral("/form-settings.json");
  } else {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    settings = folder + QStringLiteral("/form-settings.json");
  }

  datewell::demo::DemoForm form(settings);
  // The form fills the screen's free area, so that its corner control sits near the screen's
  // bottom-right corner.
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    form.setGeometry(screen->availableGeometry().adjusted(0, 0, 0, 0));
  }
  form.show();
  if (!tour) {
    return QApplication::exec();
  }
  QApplication::processEvents();
  const int failures = datewell::demo::PlayTour(form, out);
  std::printf("datewell-demo: screenshots and event log written to %s\n", qPrintable(out));
  if (failures != 0) {
    std::printf("datewell-demo: %d tour step(s) did not go as planned (see event-log.txt)\n",
                failures);
  }
  return 0;
}
