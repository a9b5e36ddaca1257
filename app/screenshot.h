#pragma once

#include "app/command_line.h"

namespace tessel {

// Opens the window as the request says, saves its picture and returns the
// exit status: 0 when the picture was written, 1 when it could not be. Needs
// the running QApplication.
int runScreenshot(const ScreenshotRequest& request);

}  // namespace tessel
