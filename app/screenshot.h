#pragma once

namespace tessel {

// `tessel-demo --screenshot FILE [--scenario NAME] [--count-seconds S]
// [--seed N] [--size WxH]` loads the window, picks the scenario from its
// list, clicks "Start" and lets the timer run for S seconds when S is given,
// then saves a PNG of the window (WIDTH x HEIGHT pixels when --size is given,
// the form scaled to fit) and exits. For the project's pictures and tests; the
// window itself takes no arguments.
bool isScreenshotRequest(int argc, char* argv[]);
int runScreenshot(int argc, char* argv[]);

}  // namespace tessel
