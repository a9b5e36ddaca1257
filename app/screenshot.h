#pragma once

#include "app/command_line.h"

namespace tessel {

// Opens the window as the request says, saves its picture and returns the
// exit status: 0 when the picture was written, 1 when it could not be. Needs
// the running QApplication.
// `chainFiles` are opened once the window has loaded and its scenario is
// picked, as the program opens them.
int runScreenshot(const ScreenshotRequest& request, const QStringList& chainFiles = {});

}  // namespace tessel
