// Starts the demonstration: one window, which loads into "One Phone" and
// waits for the user.

#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/form_view.h"
#include "app/screenshot.h"
#include "toolkit/random_source.h"
#include "toolkit/version.h"
#include "window/main_form.h"

int main(int argc, char* argv[]) {
  // Answered before any window system is opened, so that it works without a
  // display (package tools and install checks run it that way).
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("tessel-demo %.*s\n", static_cast<int>(tessel::kVersion.size()),
                  tessel::kVersion.data());
      return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
  }

  QApplication application(argc, argv);
  // Where QSettings keeps what the window remembers between runs.
  QCoreApplication::setOrganizationName(QStringLiteral("tessel"));
  QCoreApplication::setApplicationName(QStringLiteral("tessel-demo"));

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
