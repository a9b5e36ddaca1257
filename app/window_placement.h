#pragma once

class QWidget;

namespace tessel {

// The settings key under which the window's geometry is kept between runs,
// in the application's QSettings (organisation "tessel", application
// "tessel-demo").
inline constexpr const char* kWindowGeometryKey = "window/geometry";

// Shows `window` at the place and size it had when it was last closed, or
// where it stands now when nothing was saved, never larger than its screen's
// available area and never full screen (a window that opens full screen
// hides its frame and the way back). Saves the geometry again each time the
// window closes.
void showWithSavedGeometry(QWidget& window);

}  // namespace tessel
