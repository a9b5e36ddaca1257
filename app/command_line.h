#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include "window/run_options.h"

namespace tessel {

// `tessel-demo --screenshot FILE [--scenario NAME] [--count-seconds S |
// --count-ticks N] [--speed S] [--seed N] [--long-run] [--size WxH]`: load the
// window, with the long-run marks shown only when asked and at W by H pixels
// when asked, pick the scenario from its list, set the speed, click "Start"
// and let the timer run for S seconds, or for exactly N ticks, when asked,
// then save a PNG of the window and exit. For the project's pictures and
// tests; the window itself needs no arguments.
struct ScreenshotRequest {
  QString file;
  RunSetup setup;             // scenario, seed, speed, long run and ticks to count
  double countSeconds = 0.0;  // 0 unless --count-seconds
  QSize size;                 // invalid unless --size: the window's size, the form scaled to fit
};

// What the command line asks for. Read before any window system is opened,
// so that --help, --version and every usage error work without a display.
struct DemoCommand {
  enum class Action { OpenWindow, ShowHelp, ShowVersion, SaveScreenshot, UsageError };

  Action action = Action::OpenWindow;
  ScreenshotRequest screenshot;  // for SaveScreenshot
  QString usageError;            // for UsageError: what is wrong, in a sentence
  QStringList chainFiles;        // chain files to open once the window has loaded
};

// `arguments` includes the program's name first, as in argv; the arguments
// that are not options are chain files to open. Unknown and repeated
// options and bad values are usage errors, an unknown option named as
// typed; Qt's own options (-platform, -style) are not taken, its
// environment variables are.
DemoCommand readCommandLine(const QStringList& arguments);

// The --help text: usage, a line on what the program is, the options.
QString demoHelpText();

}  // namespace tessel
