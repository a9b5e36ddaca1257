// The Qt window at other sizes than its design's, its keys, its status strip
// and its rate boxes' scrolling, through the real widgets under the offscreen
// platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <array>
#include <cmath>
#include <functional>
#include <string>

#include "app/form_painter.h"
#include "app/form_view.h"
#include "chain/scenarios.h"
#include "scripted_random.h"

namespace tessel {
namespace {

using testing::FixedRandom;

constexpr double kDesignWidth = 730.0;   // the client area, 10950 twips
constexpr double kDesignHeight = 552.0;  // 504 for the client area, 48 for the strip

class WindowFixture {
 protected:
  WindowFixture() : session_({std::nullopt, NumberFormat{}}, random_), view_(session_) {
    view_.load();
    view_.show();
    view_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view_));
  }

  QImage picture() { return view_.grab().toImage(); }

  FixedRandom random_{0.0F};  // every draw jumps at the first positive rate
  Session session_;
  const MainForm& form_ = session_.form();
  FormView view_;
};

// ---------------------------------------------------------------------------
// Any size: the form scales uniformly to the largest size that fits, centred.

struct WindowSize {
  int width;
  int height;
  double factor;  // what the form must scale by
};

void PrintTo(const WindowSize& size, std::ostream* out) {
  *out << size.width << "x" << size.height;
}

class ScaledWindow : public WindowFixture, public ::testing::TestWithParam<WindowSize> {
 protected:
  ScaledWindow() {
    view_.resize(GetParam().width, GetParam().height);
    factor_ = GetParam().factor;
    originX_ = (GetParam().width - kDesignWidth * factor_) / 2.0;
    originY_ = (GetParam().height - kDesignHeight * factor_) / 2.0;
  }

  // Where a point of the design, in design pixels, lands on the window.
  QPoint onWindow(double x, double y) const {
    return QPoint(static_cast<int>(std::floor(originX_ + x * factor_)),
                  static_cast<int>(std::floor(originY_ + y * factor_)));
  }

  void expectAtScaledBox(const QWidget* widget, const BoxLayout& box) const {
    const QRect shown = widget->geometry();
    const QRectF expected(originX_ + box.left / 15.0 * factor_, originY_ + box.top / 15.0 * factor_,
                          box.width / 15.0 * factor_, box.height / 15.0 * factor_);
    EXPECT_NEAR(shown.left(), expected.left(), 1.0) << widget->accessibleName().toStdString();
    EXPECT_NEAR(shown.top(), expected.top(), 1.0) << widget->accessibleName().toStdString();
    EXPECT_NEAR(shown.left() + shown.width(), expected.right(), 1.0);
    EXPECT_NEAR(shown.top() + shown.height(), expected.bottom(), 1.0);
  }

  double factor_ = 1.0;
  double originX_ = 0.0;
  double originY_ = 0.0;
};

TEST_P(ScaledWindow, WidgetsStandAtTheScaledBoxesWithScaledFonts) {
  for (std::size_t i = 0; i < kRateBoxes.size(); ++i) {
    expectAtScaledBox(view_.rateBox(static_cast<int>(i)), kRateBoxes[i].box);
  }
  expectAtScaledBox(view_.scenarioList(), kScenarioListBox);
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    expectAtScaledBox(view_.button(static_cast<int>(i)), kButtons[i].box);
  }
  expectAtScaledBox(view_.statusLine(), kStatusLineBox);
  expectAtScaledBox(view_.longRunBox(), kLongRunBox);
  // 13.5 points are 18 pixels at the design's scale, 18 points 24.
  EXPECT_EQ(view_.button(0)->font().pixelSize(), static_cast<int>(18.0 * factor_));
  EXPECT_EQ(view_.scenarioList()->font().pixelSize(), static_cast<int>(24.0 * factor_));
}

TEST_P(ScaledWindow, TheDrawingStandsWhereTheScaledLayoutPutsIt) {
  const QImage image = picture();
  // Inside the Blue circle's fill, clear of its labels and border.
  EXPECT_EQ(image.pixelColor(onWindow(52, 112)), QColor(192, 192, 255));
  // The middle of the Blue bar, at its full design height.
  EXPECT_EQ(image.pixelColor(onWindow(488, 320)), QColor(192, 192, 255));
  // The middle of an arrow-head stroke of the Blue to Purple arc.
  EXPECT_EQ(image.pixelColor(onWindow(216.5, 40.5)), QColor(64, 64, 64));
  // The form's background around the form, where there is room for it.
  const QColor background = view_.palette().color(QPalette::Window);
  if (originX_ >= 1.0) {
    EXPECT_EQ(image.pixelColor(0, view_.height() / 2), background);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaledWindow,
                         ::testing::Values(WindowSize{1460, 1104, 2.0},   // twice the design
                                           WindowSize{1095, 828, 1.5},    // one and a half
                                           WindowSize{1400, 828, 1.5},    // wider: centred
                                           WindowSize{1095, 1100, 1.5}),  // taller: centred
                         [](const ::testing::TestParamInfo<WindowSize>& size) {
                           return std::to_string(size.param.width) + "x" +
                                  std::to_string(size.param.height);
                         });

class DesignSizeWindow : public WindowFixture, public ::testing::Test {};

TEST_F(DesignSizeWindow, NeverGetsSmallerThanTheDesign) {
  EXPECT_EQ(view_.minimumSize(), QSize(730, 552));
  view_.resize(400, 300);
  EXPECT_EQ(view_.size(), QSize(730, 552));
}

TEST_F(DesignSizeWindow, ArrowHeadsAreThinDarkGreyLines) {
  const QImage image = picture();
  const QColor background = view_.palette().color(QPalette::Window);
  // Stroke 0 runs from (208, 32) to (224, 48); stroke 8 from (224, 48) to
  // (208, 64). Clear of the arc they point along, each pixel on them is dark
  // grey and the ones beside them are not touched.
  for (int step = 2; step <= 10; step += 4) {
    EXPECT_EQ(image.pixelColor(208 + step, 32 + step), QColor(64, 64, 64)) << step;
    EXPECT_EQ(image.pixelColor(208 + step, 33 + step), background) << step;
    EXPECT_EQ(image.pixelColor(208 + step, 64 - step), QColor(64, 64, 64)) << step;
    EXPECT_EQ(image.pixelColor(208 + step, 65 - step), background) << step;
  }
}

// ---------------------------------------------------------------------------
// Keys

class Keys : public WindowFixture, public ::testing::Test {
 protected:
  void press(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(target, key, modifiers);
  }

  static bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 10000);
  }
};

TEST_F(Keys, EachButtonKeyClicksItsButton) {
  press(&view_, Qt::Key_O);
  EXPECT_EQ(form_.variables().currentState, "Purple") << "One set a move up";
  press(&view_, Qt::Key_S);
  EXPECT_EQ(view_.button(1)->text(), QStringLiteral("&Stop"));
  EXPECT_EQ(form_.variables().counting, kTrue);
  press(&view_, Qt::Key_P);
  EXPECT_EQ(view_.button(2)->text(), QStringLiteral("&Cont"));
  EXPECT_FALSE(view_.moveTimer().isActive());
  press(&view_, Qt::Key_P);
  EXPECT_EQ(view_.button(2)->text(), QStringLiteral("&Pause"));
}

// A mnemonic clicks its button the way Qt animates it, a moment later.
TEST_F(Keys, AltWithTheUnderlinedLetterClicksTheButton) {
  press(&view_, Qt::Key_O, Qt::AltModifier);
  EXPECT_TRUE(waitFor([&] { return form_.variables().currentState == "Purple"; }));
  press(&view_, Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(waitFor([&] { return form_.variables().counting == kTrue; }));
  EXPECT_EQ(view_.button(1)->text(), QStringLiteral("&Stop"));
  press(&view_, Qt::Key_S, Qt::AltModifier);  // the mnemonic of "Stop"
  EXPECT_TRUE(waitFor([&] { return form_.variables().counting == kFalse; }));
  press(&view_, Qt::Key_P, Qt::AltModifier);
  EXPECT_TRUE(waitFor([&] { return !view_.moveTimer().isActive(); }));
  press(&view_, Qt::Key_C, Qt::AltModifier);  // the mnemonic of "Cont"
  EXPECT_TRUE(waitFor([&] { return view_.moveTimer().isActive(); }));
}

TEST_F(Keys, WorkWithTheFocusOnTheListOrAButton) {
  view_.button(2)->setFocus();
  press(view_.button(2), Qt::Key_S);
  EXPECT_EQ(form_.variables().counting, kTrue);
  view_.scenarioList()->setFocus();
  press(view_.scenarioList(), Qt::Key_P);
  EXPECT_EQ(view_.button(2)->text(), QStringLiteral("&Cont"));
}

TEST_F(Keys, DigitsPickTheScenariosInListOrder) {
  const std::array<std::string, 5> listOrder{"One Phone", "Receptionist", "Office", "Conversation",
                                             "Four Element Queue"};
  for (int i = 4; i >= 0; --i) {
    press(&view_, static_cast<Qt::Key>(Qt::Key_1 + i));
    EXPECT_EQ(form_.controls().scenarioList.text, listOrder[static_cast<std::size_t>(i)]);
    EXPECT_EQ(view_.scenarioList()->currentIndex(), i);
  }
}

TEST_F(Keys, AreTypedIntoARateBoxInsteadOfActing) {
  QLineEdit* box = view_.rateBox(3);
  box->setFocus();
  box->clear();
  for (const Qt::Key key : {Qt::Key_O, Qt::Key_S, Qt::Key_P, Qt::Key_L, Qt::Key_3}) {
    press(box, key);
  }
  EXPECT_EQ(box->text(), QStringLiteral("ospl3"));
  EXPECT_EQ(form_.controls().rateBoxes[3].text(), "ospl3");
  EXPECT_FALSE(view_.longRunBox()->isChecked());
  EXPECT_EQ(form_.variables().moveFrame, 50) << "no jump was set up";
  EXPECT_EQ(form_.variables().counting, kFalse);
  EXPECT_EQ(view_.button(2)->text(), QStringLiteral("&Pause"));
  EXPECT_EQ(form_.controls().scenarioList.text, "One Phone");
}

TEST_F(Keys, PlusAndMinusStepTheSpeedButAreTypedIntoARateBox) {
  EXPECT_EQ(view_.speed(), kDesignSpeed) << "every window starts at the design's pace";
  const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 3> faster{
      {{Qt::Key_Plus, Qt::NoModifier},
       {Qt::Key_Equal, Qt::NoModifier},
       {Qt::Key_Plus, Qt::KeypadModifier}}};
  for (const auto& [key, modifiers] : faster) press(&view_, key, modifiers);
  EXPECT_EQ(view_.speed(), 3U);
  EXPECT_EQ(view_.speedList()->currentText(), QStringLiteral("\u00d710"));
  press(&view_, Qt::Key_Minus, Qt::KeypadModifier);
  press(&view_, Qt::Key_Minus);
  EXPECT_EQ(view_.speed(), 1U);
  for (int i = 0; i < 3; ++i) press(&view_, Qt::Key_Minus);
  EXPECT_EQ(view_.speed(), 0U) << "no slower than the design";

  QLineEdit* box = view_.rateBox(3);
  box->setFocus();
  box->clear();
  for (const Qt::Key key : {Qt::Key_Plus, Qt::Key_Equal, Qt::Key_Minus}) press(box, key);
  EXPECT_EQ(box->text(), QStringLiteral("+=-"));
  EXPECT_EQ(view_.speed(), 0U);
}

TEST_F(Keys, F11TogglesFullScreenAndEscapeLeavesIt) {
  press(&view_, Qt::Key_Escape);
  EXPECT_FALSE(view_.isFullScreen()) << "Escape does nothing in a window";
  press(&view_, Qt::Key_F11);
  EXPECT_TRUE(view_.isFullScreen());
  // The form fills the screen at the largest uniform scale.
  const QSize screen = view_.screen()->geometry().size();
  EXPECT_TRUE(waitFor([&] { return view_.size() == screen; }));
  EXPECT_DOUBLE_EQ(view_.formScale().factor(),
                   std::min(screen.width() / kDesignWidth, screen.height() / kDesignHeight));
  view_.rateBox(3)->setFocus();
  press(view_.rateBox(3), Qt::Key_Escape);
  EXPECT_FALSE(view_.isFullScreen()) << "Escape leaves full screen from a rate box too";
  press(&view_, Qt::Key_F11);
  EXPECT_TRUE(view_.isFullScreen());
  press(&view_, Qt::Key_F11);
  EXPECT_FALSE(view_.isFullScreen());
}

// ---------------------------------------------------------------------------
// The status strip and the rate boxes' texts

class StatusStrip : public WindowFixture, public ::testing::Test {};

TEST_F(StatusStrip, ItsTextIsAsLargeAsTheButtonsAndTwoLinesFit) {
  for (const QSize size : {QSize(730, 552), QSize(1095, 828), QSize(1460, 1104)}) {
    view_.resize(size);
    const QFont font = view_.statusLine()->font();
    EXPECT_GE(font.pixelSize(), view_.button(0)->font().pixelSize());
    EXPECT_LE(2 * QFontMetrics(font).lineSpacing(), view_.statusLine()->contentsRect().height())
        << size.width();
  }
}

TEST_F(StatusStrip, AnErrorShowsWholeAndInItsTooltip) {
  for (const int box : {3, 4}) {  // every rate of "One Phone"
    view_.rateBox(box)->setFocus();
    view_.rateBox(box)->selectAll();
    QTest::keyClicks(view_.rateBox(box), QStringLiteral("0"));
  }
  QTest::mouseClick(view_.button(0), Qt::LeftButton);
  const QString message = QStringLiteral(
      "No rate on the window is positive, so no transition can be drawn. Enter a positive rate.");
  EXPECT_EQ(view_.statusLine()->text().replace(QLatin1Char('\n'), QLatin1Char(' ')), message);
  EXPECT_TRUE(view_.statusLine()->toolTip().startsWith(QStringLiteral("<p>") + message));
}

// A message quotes what was typed; markup in it must show as typed rather
// than format the strip.
TEST_F(StatusStrip, MarkupTypedIntoARateBoxShowsAsTyped) {
  view_.rateBox(3)->setFocus();
  view_.rateBox(3)->selectAll();
  QTest::keyClicks(view_.rateBox(3), QStringLiteral("<b>fast</b>"));
  QTest::mouseClick(view_.button(0), Qt::LeftButton);
  const QString shown = view_.statusLine()->text();
  ASSERT_TRUE(shown.contains(QStringLiteral("\"<b>fast</b>\""))) << shown.toStdString();
  ASSERT_TRUE(Qt::mightBeRichText(QString(shown).replace(QLatin1Char('\n'), QLatin1Char(' '))))
      << "Qt would take it for markup";
  EXPECT_EQ(view_.statusLine()->textFormat(), Qt::PlainText);
}

// Longer than two lines: the second ends in an ellipsis, and no line is wider
// than the strip.
TEST(StatusText, ATextTooLongForTwoLinesIsCutShort) {
  const QFont font = fontFor(kStatusStripFont);
  const int width = 300;
  const QString text =
      QStringLiteral("Every word of this message is needed, but the strip holds two lines. ")
          .repeated(4);
  bool elided = false;
  const QStringList lines = fitToLines(text, font, width, 2, elided).split(QLatin1Char('\n'));
  EXPECT_TRUE(elided);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(text.startsWith(lines[0] + QLatin1Char(' ')));
  EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
  for (const QString& line : lines) EXPECT_LE(QFontMetrics(font).horizontalAdvance(line), width);

  const QString shortText = QStringLiteral("Fits on one line.");
  EXPECT_EQ(fitToLines(shortText, font, width, 2, elided), shortText);
  EXPECT_FALSE(elided);
}

class RateBoxes : public WindowFixture, public ::testing::Test {};

TEST_F(RateBoxes, ALongTextReadsFromItsBeginningOnceEditingEnds) {
  QLineEdit* box = view_.rateBox(4);  // the narrowest box
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, QStringLiteral("0.142857"));
  EXPECT_EQ(box->cursorPosition(), 8);
  QTest::mouseClick(&view_, Qt::LeftButton, Qt::NoModifier, QPoint(300, 250));  // on the drawing
  EXPECT_FALSE(box->hasFocus());
  EXPECT_EQ(box->text(), QStringLiteral("0.142857"));
  EXPECT_EQ(box->cursorPosition(), 0) << "the box scrolled back to the text's beginning";
}

}  // namespace
}  // namespace tessel
