// The Qt window, driven through its real widgets under the offscreen
// platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/form_painter.h"
#include "app/form_view.h"
#include "chain/scenarios.h"
#include "scripted_random.h"
#include "sim/sim_run.h"
#include "tests/qt_test_main.h"
#include "toolkit/random_source.h"

namespace tessel {
namespace {

using testing::FixedRandom;

// Each test starts from no remembered settings; main() points QSettings at a
// temporary folder.
struct FreshSettings {
  FreshSettings() { QSettings().clear(); }
};

class ViewTest : public ::testing::Test {
 protected:
  ViewTest() : session_({std::nullopt, NumberFormat{}}, random_), view_(session_) {
    view_.load();
    view_.show();
  }

  QImage picture() { return view_.grab().toImage(); }

  // The status line's message, with the breaks between its two lines read
  // as the blanks they stand for.
  QString statusText() const {
    return view_.statusLine()->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
  }

  // The colour on the left rim of a state circle, halfway down.
  QColor rimColour(int state) {
    const QRectF box = pixelRect(kStateCircles[static_cast<std::size_t>(state)].box);
    const QPoint rim(static_cast<int>(box.left() + kCircleBorderWidth / 2.0),
                     static_cast<int>(box.center().y()));
    return picture().pixelColor(rim);
  }

  void click(int button) { QTest::mouseClick(view_.button(button), Qt::LeftButton); }

  void retype(int box, const QString& text) {
    QLineEdit* edit = view_.rateBox(box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    // Key by key, as typed; each key event carries its character, so that
    // characters beyond ASCII can be typed too.
    for (const QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
    }
  }

  bool waitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 10000); }

  // Keys reach the window's shortcuts only while it is the active window.
  bool activate() {
    view_.activateWindow();
    return QTest::qWaitForWindowActive(&view_);
  }

  FreshSettings settings_;
  FixedRandom random_{0.0F};  // every draw jumps at the first positive rate
  Session session_;
  const MainForm& form_ = session_.form();
  FormView view_;
};

TEST_F(ViewTest, OpensAtItsDesignSizeWithItsCaption) {
  EXPECT_EQ(view_.windowTitle(), QStringLiteral("Orlo's Tessel Demo"));
  // The design's client area with the two-line status strip below it.
  EXPECT_EQ(view_.size(), QSize(730, 504 + 48));
  EXPECT_EQ(view_.scenarioList()->currentText(), QStringLiteral("One Phone"));
  EXPECT_EQ(view_.scenarioList()->count(), 5);
  EXPECT_TRUE(view_.moveTimer().isActive());
  EXPECT_EQ(view_.moveTimer().interval(), 40);
  EXPECT_EQ(view_.moveTimer().timerType(), Qt::PreciseTimer);
}

TEST_F(ViewTest, AfterLoadOnlyBlueHasARedRim) {
  const QColor blue = rimColour(kBlue);
  EXPECT_GT(blue.red(), 200);
  EXPECT_LT(blue.green(), 60);
  EXPECT_LT(blue.blue(), 60);
  const QColor purple = rimColour(kPurple);
  EXPECT_NEAR(purple.red(), 128, 20);
  EXPECT_NEAR(purple.green(), 128, 20);
  EXPECT_NEAR(purple.blue(), 128, 20);
}

TEST_F(ViewTest, StartTurnsIntoStopAndBack) {
  click(1);
  EXPECT_EQ(view_.button(1)->text(), QStringLiteral("&Stop"));
  EXPECT_EQ(form_.variables().counting, kTrue);
  click(1);
  EXPECT_EQ(view_.button(1)->text(), QStringLiteral("&Start"));
  EXPECT_EQ(form_.variables().counting, kFalse);
}

TEST_F(ViewTest, PauseStopsTheTokenAndContLetsItGoOn) {
  click(0);  // "One": a move from Blue to Purple
  ASSERT_TRUE(waitFor([&] { return form_.variables().moveFrame >= 6; }));
  click(2);
  EXPECT_EQ(view_.button(2)->text(), QStringLiteral("&Cont"));
  EXPECT_FALSE(view_.moveTimer().isActive());
  const float left = form_.controls().token.left;
  const std::int16_t frame = form_.variables().moveFrame;
  QTest::qWait(300);
  EXPECT_EQ(form_.controls().token.left, left);
  EXPECT_EQ(form_.variables().moveFrame, frame);

  click(2);
  EXPECT_EQ(view_.button(2)->text(), QStringLiteral("&Pause"));
  ASSERT_TRUE(waitFor([&] { return form_.variables().moveFrame == 33; }));
  EXPECT_EQ(form_.variables().currentState, "Purple");
  const QColor purple = rimColour(kPurple);
  EXPECT_GT(purple.red(), 200);
  EXPECT_LT(purple.green(), 60);
}

TEST_F(ViewTest, TheTokenIsDrawnWhereTheModelPutsIt) {
  click(0);
  ASSERT_TRUE(waitFor([&] { return form_.variables().moveFrame >= 12; }));
  click(2);  // hold the token still while the picture is taken
  ASSERT_TRUE(form_.controls().token.visible);
  const Shape& token = form_.controls().token;
  const QPoint centre(static_cast<int>((token.left + 127.5F) / 15.0F),
                      static_cast<int>((token.top + 187.5F) / 15.0F));
  const QColor colour = picture().pixelColor(centre);
  EXPECT_GT(colour.red(), 200);
  EXPECT_LT(colour.green(), 60);
}

TEST_F(ViewTest, EditingARateBoxChangesWhatTheNextDrawReads) {
  retype(3, QStringLiteral("0"));  // Off Phone to On Phone
  EXPECT_EQ(form_.controls().rateBoxes[3].text(), "0");
  click(0);
  EXPECT_EQ(view_.statusLine()->text(),
            QStringLiteral("No transition out of \"Off Phone\" has a positive rate."));
  EXPECT_EQ(form_.variables().moveFrame, 50);
  retype(3, QStringLiteral("2"));
  click(0);
  EXPECT_EQ(form_.variables().currentState, "Purple");
}

TEST_F(ViewTest, AnEmptyRateBoxShowsTheErrorAndMarksTheBoxUntilFixed) {
  const QString hint = view_.statusLine()->text();
  retype(4, QString());
  click(0);
  EXPECT_EQ(
      statusText(),
      QStringLiteral("The rate from \"On Phone\" to \"Off Phone\" is empty; it needs a number."));
  EXPECT_TRUE(view_.rateBox(4)->property("marked").toBool());
  EXPECT_FALSE(view_.rateBox(3)->property("marked").toBool());
  // The mark shows in the picture: a red frame around the box.
  const QRect box = view_.rateBox(4)->geometry();
  const QColor frame = picture().pixelColor(box.left(), box.center().y());
  EXPECT_GT(frame.red(), 180);
  EXPECT_LT(frame.green(), 60);

  QTest::keyClicks(view_.rateBox(4), QStringLiteral("6"));
  EXPECT_EQ(view_.statusLine()->text(), hint);
  EXPECT_FALSE(view_.rateBox(4)->property("marked").toBool());
  EXPECT_EQ(view_.rateBox(4)->text(), QStringLiteral("6")) << "nothing typed is lost";
}

// A typed right-to-left override or tag must not reorder or restyle the rest
// of the status line: the message shows it as an escape, as plain text.
TEST_F(ViewTest, TypedControlsAndTagsShowAsTheyAreInTheStatusLine) {
  retype(3, QStringLiteral("<b>1</b>") + QChar(0x202E) + QStringLiteral("x"));
  click(0);
  EXPECT_EQ(
      statusText().toStdString(),
      R"(The rate from "Off Phone" to "On Phone" holds "<b>1</b>\u202Ex", which is not a number.)");
  EXPECT_EQ(view_.statusLine()->textFormat(), Qt::PlainText);
}

TEST_F(ViewTest, PickingAScenarioFromTheListAppliesIt) {
  view_.scenarioList()->setFocus();
  QTest::keyClick(view_.scenarioList(), Qt::Key_Down);  // "Receptionist"
  EXPECT_EQ(form_.controls().scenarioList.text, "Receptionist");
  EXPECT_EQ(form_.controls().nameLabels[kGreen].caption, "On Phone");
  EXPECT_TRUE(view_.rateBox(7)->isVisible());
  EXPECT_EQ(view_.rateBox(3)->text(), QStringLiteral(" 0.143"));
}

TEST_F(ViewTest, RateBoxesAreNamedByTheirTransitions) {
  const std::pair<int, QString> names[] = {{3, QStringLiteral("Rate from Off Phone to On Phone")},
                                           {8, QStringLiteral("Rate from Off Phone to Cyan")}};
  for (const auto& [box, name] : names) {
    EXPECT_EQ(view_.rateBox(box)->accessibleName(), name);
    EXPECT_EQ(view_.rateBox(box)->toolTip(), name);
  }
  view_.scenarioList()->setFocus();
  QTest::keyClick(view_.scenarioList(), Qt::Key_Down);  // "Receptionist"
  EXPECT_EQ(view_.rateBox(7)->accessibleName(), QStringLiteral("Rate from Bored to On Phone"));
}

TEST_F(ViewTest, TheLongRunBoxIsOffAndItsMarksLeaveTheDesignAsItWas) {
  QCheckBox* longRun = view_.longRunBox();
  EXPECT_FALSE(longRun->isChecked());
  EXPECT_EQ(longRun->geometry(), pixelRect(kLongRunBox).toRect());
  EXPECT_TRUE(longRun->toolTip().contains(QStringLiteral("(L, or Alt+L)"))) << "the key is stated";
  const QRect design(0, 0, 730, 504);
  const QImage before = picture().copy(design);

  ASSERT_TRUE(activate());
  view_.button(0)->setFocus();
  QTest::keyClick(view_.button(0), Qt::Key_L);
  ASSERT_TRUE(longRun->isChecked());
  // The Off Phone mark: a dark line across its bar at the long-run height.
  const LongRunMark& mark = form_.controls().longRunMarks[kBlue];
  ASSERT_TRUE(mark.visible);
  const QPoint onLine(static_cast<int>(pixelRect(kBars[kBlue].box).center().x()),
                      static_cast<int>(mark.top / 15.0F));
  const QColor line = picture().pixelColor(onLine);
  EXPECT_LT(line.red() + line.green() + line.blue(), 3 * 100) << "dark on the bar's colour";

  QTest::keyClick(view_.button(0), Qt::Key_L);
  EXPECT_FALSE(longRun->isChecked());
  EXPECT_EQ(picture().copy(design), before);
}

TEST_F(ViewTest, TheLetterLTypedIntoARateBoxIsText) {
  ASSERT_TRUE(activate());
  retype(3, QStringLiteral("1L"));
  EXPECT_EQ(view_.rateBox(3)->text(), QStringLiteral("1L"));
  EXPECT_FALSE(view_.longRunBox()->isChecked());
}

TEST_F(ViewTest, TheLongRunChoiceIsRememberedForTheNextRun) {
  QTest::mouseClick(view_.longRunBox(), Qt::LeftButton);
  ASSERT_TRUE(view_.longRunBox()->isChecked());
  EXPECT_TRUE(QSettings().value(QString::fromLatin1(FormView::kLongRunSetting)).toBool());

  FixedRandom random(0.0F);
  Session session({std::nullopt, NumberFormat{}}, random);
  FormView next(session);
  next.load();
  EXPECT_TRUE(next.longRunBox()->isChecked());
  EXPECT_TRUE(session.controls().longRunMarks[kBlue].visible);
  // Set by the program (as for a screenshot), the choice is not stored.
  next.setLongRunMarksShown(false);
  EXPECT_TRUE(QSettings().value(QString::fromLatin1(FormView::kLongRunSetting)).toBool());
}

TEST_F(ViewTest, TheStripSaysWhenTheLongRunDependsOnTheStart) {
  view_.setLongRunMarksShown(true);
  const QString hint = view_.statusLine()->text();
  retype(4, QStringLiteral("0"));  // no way back from On Phone: it is where the chain ends
  EXPECT_EQ(view_.statusLine()->text(), hint);
  view_.pickScenario(2);  // Office
  retype(4, QStringLiteral("0"));
  retype(2, QStringLiteral("0"));  // nor from Out: two places to end in
  const QString note = QString::fromStdString(form_.longRunNote());
  EXPECT_TRUE(note.startsWith(QStringLiteral("The long run depends on the start")));
  EXPECT_EQ(view_.statusLine()->text().replace(QLatin1Char('\n'), QLatin1Char(' ')), note)
      << "the whole note fits beside the checkbox";
}

TEST_F(ViewTest, AMessageTooLongForTheStatusLineEndsInAnEllipsis) {
  view_.pickScenario(2);  // Office, with the longest state name
  retype(4, QString(40, QLatin1Char('W')));
  click(0);
  ASSERT_TRUE(form_.lastError().has_value());
  const QString message = QString::fromUtf8(form_.lastError()->what());
  ASSERT_GT(view_.statusLine()->fontMetrics().horizontalAdvance(message),
            view_.statusLine()->contentsRect().width());
  EXPECT_TRUE(view_.statusLine()->text().endsWith(QChar(0x2026))) << message.toStdString();
  EXPECT_TRUE(view_.statusLine()->toolTip().startsWith(
      QStringLiteral("<p>%1</p>").arg(message.toHtmlEscaped())));
}

TEST_F(ViewTest, AChainFileThatCannotBeOpenedChangesNothingAndIsNamed) {
  const QTemporaryDir folder;
  const QString bad = folder.filePath(QStringLiteral("broken.tessel"));
  QFile file(bad);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "{\"format\": \"tessel-chain\", \"version\": 1, \"title\": \"T\",\n \"states\": [\"A\"]}");
  file.close();
  view_.openChainFiles({bad, folder.filePath(QStringLiteral("missing.tessel"))});
  // Whole in the tooltip, however much of it the strip has room for.
  const QString message = QStringLiteral(
      "Cannot open \"broken.tessel\": it has 1 states; a chain has 2, 3 or 4. (1 more files "
      "could not be opened either.)");
  EXPECT_TRUE(view_.statusLine()->toolTip().startsWith(
      QStringLiteral("<p>%1</p>").arg(message.toHtmlEscaped())))
      << view_.statusLine()->toolTip().toStdString();
  EXPECT_EQ(view_.scenarioList()->count(), 5);
  EXPECT_EQ(form_.controls().scenarioList.text, "One Phone");
  click(0);  // the user's next action clears the message
  EXPECT_NE(statusText().left(6), QStringLiteral("Cannot"));
}

TEST_F(ViewTest, SavingWithAnEmptyRateBoxWritesNothingAndSaysWhich) {
  const QTemporaryDir folder;
  retype(3, QString());
  const QString path = folder.filePath(QStringLiteral("chain"));
  EXPECT_FALSE(view_.saveChainAs(path));
  EXPECT_FALSE(QFile::exists(path + QStringLiteral(".tessel")));
  EXPECT_TRUE(statusText().startsWith(
      QStringLiteral("The rate from \"Off Phone\" to \"On Phone\" is empty")));
  retype(3, QStringLiteral("2"));
  EXPECT_TRUE(view_.saveChainAs(path));
  EXPECT_TRUE(QFile::exists(path + QStringLiteral(".tessel"))) << "the extension is added";
}

// The window at "Max" counting a set number of ticks shows what tessel-sim
// prints for the same scenario, seed and ticks: the same chain at any speed.
TEST(FastForward, CountingTicksAtMaxShowsWhatTheRunnerCounts) {
  const FreshSettings settings;
  constexpr long long kTicks = 200000;
  Session session({5, NumberFormat{}});
  const MainForm& form = session.form();
  FormView view(session);
  view.load();
  view.pickScenario(3);
  view.setSpeed(runSpeedNamed("max").value());
  bool reached = false;
  view.countTicks(kTicks, [&] { reached = true; });
  view.perform({Command::StartStop});
  view.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return reached; }, 60000));

  SimJob job;
  job.scenario = "Conversation";
  job.ticks = kTicks;
  job.seed = 5;
  const SimOutcome outcome = runSimulation(job);
  ASSERT_TRUE(std::holds_alternative<SimReport>(outcome));
  const SimReport& report = std::get<SimReport>(outcome);
  ASSERT_EQ(report.states.size(), 4U);
  for (std::size_t i = 0; i < kStateCount; ++i) {
    EXPECT_EQ(form.controls().visitCounts[i].caption,
              numberText(static_cast<double>(report.states[i].visits)))
        << i;
    EXPECT_EQ(form.controls().shareLabels[i].caption, report.states[i].percentLabel) << i;
  }
  const int before = view.runFrame();
  EXPECT_EQ(before, 0) << "no tick after the count";
}

// The substitute face must keep every caption inside its box at the design
// sizes: state names wrap onto at most two lines within their labels, and
// every default rate fits its rate box.
TEST(Fonts, EveryScenarioCaptionFitsItsBox) {
  const QFontMetricsF names(fontFor(kNameLabelFont));
  const QFontMetricsF rates(fontFor(kRateBoxFont));
  for (const Scenario& scenario : kScenarios) {
    for (std::size_t state = 0; state < kStateCount; ++state) {
      const QRectF box = pixelRect(kNameLabels[state].box);
      const QRectF used = names.boundingRect(
          QRectF(0, 0, box.width(), 1000), Qt::TextWordWrap | Qt::AlignHCenter,
          QString::fromUtf8(scenario.stateNames[state].data(),
                            static_cast<qsizetype>(scenario.stateNames[state].size())));
      EXPECT_LE(used.width(), box.width()) << scenario.stateNames[state];
      EXPECT_LE(used.height(), box.height()) << scenario.stateNames[state];
    }
    for (const DefaultRate& rate : scenario.rates) {
      const QRectF box = pixelRect(kRateBoxes[static_cast<std::size_t>(rate.rateBox)].box);
      // The digits must show whole inside the box's 1-pixel frame and the
      // line edit's own 2-pixel margins; the leading blank may scroll away.
      const QString digits = QString::fromStdString(numberText(rate.rate)).trimmed();
      EXPECT_LE(rates.horizontalAdvance(digits), box.width() - 6) << digits.toStdString();
    }
  }
}

}  // namespace
}  // namespace tessel

int main(int argc, char* argv[]) {
  // The tests draw into memory, pixel for pixel as designed.
  return tessel::testing::runQtTests(argc, argv, "offscreen");
}
