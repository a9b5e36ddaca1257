// The window's opening size and its saved geometry, on a screen too small for
// the design: the offscreen platform's screen at a scale factor of 2 leaves
// less than the form's 730 x 552 logical pixels.

#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>

#include "app/form_view.h"
#include "scripted_random.h"

namespace tessel {
namespace {

using testing::FixedRandom;

class WindowPlacement : public ::testing::Test {
 protected:
  WindowPlacement() {
    QSettings().clear();
    available_ = QGuiApplication::primaryScreen()->availableGeometry().size();
  }

  void saveGeometryOf(QSize size, Qt::WindowStates states = Qt::WindowNoState) {
    QWidget window;
    window.resize(size);
    window.setWindowState(states);
    QSettings().setValue(QString::fromLatin1(kWindowGeometryKey), window.saveGeometry());
  }

  FixedRandom random_{0.0F};
  Session form_{{std::nullopt, NumberFormat{}}, random_};
  QSize available_;
};

TEST_F(WindowPlacement, OpensScaledDownToFitAScreenTooSmallForTheDesign) {
  const double fit = std::min(available_.width() / 730.0, available_.height() / 552.0);
  ASSERT_LT(fit, 1.0) << "the test needs a screen smaller than the design";
  FormView view(form_);
  showWithSavedGeometry(view);
  EXPECT_LE(view.width(), available_.width());
  EXPECT_LE(view.height(), available_.height());
  // As large as fits, with the form's proportions.
  EXPECT_NEAR(view.width(), 730.0 * fit, 1.0);
  EXPECT_NEAR(view.height(), 552.0 * fit, 1.0);
  EXPECT_EQ(view.minimumSize(), view.size());
  EXPECT_NEAR(view.formScale().factor(), fit, 0.01);
}

TEST_F(WindowPlacement, OpensAtTheSizeItHadWhenLastClosed) {
  const QSize closedAt(380, 290);
  {
    FormView view(form_);
    view.setMinimumSize(0, 0);
    showWithSavedGeometry(view);
    view.resize(closedAt);
    view.close();
  }
  FormView view(form_);
  view.setMinimumSize(0, 0);
  showWithSavedGeometry(view);
  EXPECT_EQ(view.size(), closedAt);
}

TEST_F(WindowPlacement, ASavedSizeLargerThanTheScreenIsCutToIt) {
  saveGeometryOf(QSize(1460, 1104));
  FormView view(form_);
  showWithSavedGeometry(view);
  EXPECT_LE(view.width(), available_.width());
  EXPECT_LE(view.height(), available_.height());
}

TEST_F(WindowPlacement, NeverOpensFullScreen) {
  saveGeometryOf(QSize(390, 290), Qt::WindowFullScreen);
  FormView view(form_);
  showWithSavedGeometry(view);
  EXPECT_FALSE(view.isFullScreen());
}

}  // namespace
}  // namespace tessel

int main(int argc, char* argv[]) {
  // Whatever the caller's environment says: an offscreen screen at a scale
  // factor of 2 and fonts at 96 dots per inch, and settings in a directory
  // of their own.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "2");
  qputenv("QT_FONT_DPI", "96");
  QApplication application(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("tessel"));
  QCoreApplication::setApplicationName(QStringLiteral("tessel-demo"));
  const QTemporaryDir settings;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
