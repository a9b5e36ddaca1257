// Starts the demonstration: one window, which loads into "One Phone" and
// waits for the user.

#include <QApplication>

#include "app/form_view.h"
#include "app/screenshot.h"
#include "display/toolkit/random_source.h"
#include "window/main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);

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
