#pragma once

// The main() of the tests that drive the Qt window: on `platform`
// ("offscreen" to draw into memory, "xcb" on the X server xvfb-run gives),
// with no scaling and the default font resolution whatever the caller has
// set, and with the window's settings in a folder of their own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

namespace tessel::testing {

inline int runQtTests(int argc, char* argv[], const char* platform) {
  qputenv("QT_QPA_PLATFORM", platform);
  for (const char* scaling :
       {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_ENABLE_HIGHDPI_SCALING",
        "QT_SCALE_FACTOR_ROUNDING_POLICY", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_USE_PHYSICAL_DPI"}) {
    qunsetenv(scaling);
  }
  QApplication application(argc, argv);
  const QTemporaryDir settings;
  if (!settings.isValid()) return 1;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QCoreApplication::setOrganizationName(QStringLiteral("tessel"));
  QCoreApplication::setApplicationName(QStringLiteral("tessel-demo"));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

}  // namespace tessel::testing
