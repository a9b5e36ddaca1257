// Starts the demonstration: one window, which loads into "One Phone" and
// waits for the user.

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>

#include "app/form_view.h"
#include "app/screenshot.h"
#include "toolkit/random_source.h"
#include "toolkit/version.h"
#include "window/main_form.h"

namespace {

constexpr const char* kUsage =
    "Usage: tessel-demo [OPTION]...\n"
    "Opens the Tessel Demo window: a chain of up to four states that hops at random,\n"
    "with editable rates, five ready-made scenarios, visit counts and a chart of the\n"
    "share of time spent in each state.\n"
    "\n"
    "Options:\n"
    "  --help       show this text and exit\n"
    "  --version    show the program's version and exit\n"
    "  --screenshot FILE [--scenario NAME] [--count-seconds S] [--seed N]\n"
    "               for documentation pictures: open the window in scenario NAME,\n"
    "               count for S seconds when S is given, save a PNG picture of the\n"
    "               window to FILE and exit\n"
    "Qt's own options, such as -platform NAME, are accepted too.\n";

// The icon installed into the icon theme, or the same drawing compiled in
// when the program runs from its build folder.
QIcon applicationIcon() {
  QIcon builtIn;
  builtIn.addFile(QStringLiteral(":/icons/48x48/apps/" TESSEL_APP_ID ".png"));
  builtIn.addFile(QStringLiteral(":/icons/256x256/apps/" TESSEL_APP_ID ".png"));
  return QIcon::fromTheme(QStringLiteral(TESSEL_APP_ID), builtIn);
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before any window system is opened, so that they work without a
  // display (package tools and install checks run them that way).
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("tessel-demo %.*s\n", static_cast<int>(tessel::kVersion.size()),
                  tessel::kVersion.data());
      return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
  }

  QApplication::setOrganizationName(QStringLiteral("tessel"));
  QApplication::setApplicationName(QStringLiteral("tessel-demo"));
  QApplication::setApplicationVersion(
      QString::fromUtf8(tessel::kVersion.data(), static_cast<qsizetype>(tessel::kVersion.size())));
  // Ties the window to its desktop entry, whose name is the program's id.
  QGuiApplication::setDesktopFileName(QStringLiteral(TESSEL_APP_ID));
  QApplication application(argc, argv);
  QApplication::setWindowIcon(applicationIcon());

  // A documentation aid, not part of the window: --screenshot FILE ... saves
  // a picture of the window and exits.
  if (tessel::isScreenshotRequest(argc, argv)) return tessel::runScreenshot(argc, argv);

  tessel::ClockSeededRandom random;
  tessel::MainForm form(random);
  tessel::FormView view(form);
  view.deliver(tessel::FormEvent::Load);
  view.show();
  return QApplication::exec();
}
