// The real window on an X server, in each language it speaks and in the
// stretched test language, at its design size: every caption fits its
// control, and a run switched into the language halfway counts exactly what
// tessel-sim counts. Run under xvfb-run.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStyleOptionComboBox>
#include <QTest>
#include <algorithm>

#include "app/form_painter.h"
#include "app/form_view.h"
#include "app/qt_translations.h"
#include "chain/scenarios.h"
#include "sim/sim_run.h"
#include "tests/qt_test_main.h"
#include "toolkit/text.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

std::string shown(const QString& text) {
  return text.toStdString();
}

// Whether every entry of a list shows whole in its closed box.
void expectEntriesFit(QComboBox* list) {
  QStyleOptionComboBox option;
  option.initFrom(list);
  const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, list);
  for (int i = 0; i < list->count(); ++i) {
    EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), field.width())
        << shown(list->itemText(i));
  }
}

void expectFits(QWidget* control, const QString& caption) {
  EXPECT_LE(control->sizeHint().width(), control->width()) << shown(caption);
}

// Everything the window shows in words now: the buttons' captions as they
// stand, the lists, the strip's controls and its message, and the state
// names of every scenario, wrapped as the drawing wraps them.
void expectEverythingFits(FormView& view) {
  for (int i = 0; i < 3; ++i) expectFits(view.button(i), view.button(i)->text());
  expectEntriesFit(view.scenarioList());
  expectEntriesFit(view.speedList());
  expectFits(view.speedLabel(), view.speedLabel()->text());
  expectFits(view.longRunBox(), view.longRunBox()->text());

  QLabel* line = view.statusLine();
  const QStringList lines = line->text().split(QLatin1Char('\n'));
  EXPECT_LE(lines.size(), 2) << shown(line->text());
  for (const QString& part : lines) {
    EXPECT_LE(line->fontMetrics().horizontalAdvance(part), line->contentsRect().width())
        << shown(part);
  }

  for (const Scenario& scenario : kScenarios) {
    for (std::size_t state = 0; state < kStateCount; ++state) {
      if (scenario.stateNames[state].empty()) continue;
      const QString name = QString::fromStdString(_(scenario.stateNames[state]));
      const QRectF box = pixelRect(kNameLabels[state].box);
      const QFontMetricsF names(
          fittedFont(fontFor(kNameLabelFont), name, box.width(), box.height()));
      const QRectF used = names.boundingRect(QRectF(0, 0, box.width(), 1000),
                                             Qt::TextWordWrap | Qt::AlignHCenter, name);
      EXPECT_LE(used.width(), box.width()) << shown(name);
      EXPECT_LE(used.height(), box.height()) << shown(name);
    }
  }
}

class WindowLanguages : public ::testing::TestWithParam<std::string> {};

TEST_P(WindowLanguages, EveryCaptionFitsAndTheRunGoesOnAsInEnglish) {
  const std::string language = GetParam();
  QSettings().clear();
  setLanguage("en");
  constexpr int kScenario = 3;  // Conversation, four states
  Session session({5, NumberFormat{}});
  FormView view(session);
  view.load();
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  view.pickScenario(kScenario);
  view.setSpeed(runSpeedNamed("max").value());

  // Half the run in English, the rest in the language.
  bool reached = false;
  view.countTicks(5000, [&] { reached = true; });
  view.perform({Command::StartStop});
  ASSERT_TRUE(QTest::qWaitFor([&] { return reached; }, 60000));
  view.chooseLanguage(language);
  ASSERT_EQ(tessel::language(), language);
  // Remembered for the next start; the test language is no menu's choice.
  if (language != "en@stretch") {
    EXPECT_EQ(startLanguage(), language);
  }
  EXPECT_EQ(shown(view.button(1)->text().remove(QLatin1Char('&'))), _("Stop"));
  EXPECT_EQ(shown(view.scenarioList()->currentText()), _(kScenarioListOrder[kScenario]));
  expectEverythingFits(view);
  view.perform({Command::PauseContinue});
  EXPECT_EQ(shown(view.button(2)->text().remove(QLatin1Char('&'))), _("Cont"));
  expectFits(view.button(2), view.button(2)->text());
  view.perform({Command::PauseContinue});
  reached = false;
  view.countTicks(15000, [&] { reached = true; });
  ASSERT_TRUE(QTest::qWaitFor([&] { return reached; }, 60000));

  SimJob job;
  job.scenario = std::string(kScenarioListOrder[kScenario]);
  job.ticks = 20000;
  job.seed = 5;
  const SimOutcome outcome = runSimulation(job);
  ASSERT_TRUE(std::holds_alternative<SimReport>(outcome));
  const std::vector<CountsRow> rows = session.counts();
  const SimReport& report = std::get<SimReport>(outcome);
  ASSERT_EQ(rows.size(), report.states.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].name, _(report.states[i].name));
    EXPECT_EQ(rows[i].visits, std::to_string(report.states[i].visits));
  }

  // Every scenario's list entry, names and hint, and the window back in English.
  for (int i = 0; i < static_cast<int>(kScenarios.size()); ++i) {
    view.pickScenario(i);
    expectEverythingFits(view);
  }
  view.chooseLanguage("en");
  EXPECT_EQ(shown(view.button(0)->text()), "&One");
}

// Qt's own texts (its dialogs' buttons) follow the language chosen, and the
// menu's first entry hands the choice back to the system.
TEST(WindowLanguages, QtsOwnTextsFollowTheChoice) {
  QSettings().clear();
  Session session({5, NumberFormat{}});
  FormView view(session);
  const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
  view.chooseLanguage("de");
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
  qputenv("LANGUAGE", "en");  // the system's language, whatever the caller's
  view.chooseLanguage("");
  EXPECT_EQ(tessel::language(), "en");
  EXPECT_EQ(startLanguage(), "en");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
}

// Every language the program lists but English, and the test language.
std::vector<std::string> checkedLanguages() {
  std::vector<std::string> checked;
  for (const Language& spoken : languages()) {
    if (spoken.code != "en") checked.emplace_back(spoken.code);
  }
  checked.emplace_back("en@stretch");
  return checked;
}

INSTANTIATE_TEST_SUITE_P(EachLanguage, WindowLanguages, ::testing::ValuesIn(checkedLanguages()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           std::string name = param.param;
                           std::replace(name.begin(), name.end(), '@', '_');
                           return name;
                         });

}  // namespace
}  // namespace tessel

int main(int argc, char* argv[]) {
  return tessel::testing::runQtTests(argc, argv, "xcb");
}
