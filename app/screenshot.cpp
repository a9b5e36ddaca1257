#include "app/screenshot.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/form_view.h"
#include "toolkit/quoted_text.h"
#include "toolkit/random_source.h"

namespace tessel {

int runScreenshot(const ScreenshotRequest& request) {
  ClockSeededRandom random =
      request.seed ? ClockSeededRandom::withFixedSeed(*request.seed) : ClockSeededRandom();
  MainForm form(random);
  FormView view(form);
  // The picture shows what is asked for, not what the user last chose.
  view.setLongRunMarksShown(request.longRun);
  view.deliver(FormEvent::Load);
  if (!request.scenario.isEmpty()) {
    // The command line has checked the name against the scenarios.
    view.pickScenario(view.scenarioList()->findText(request.scenario, Qt::MatchExactly));
  }
  if (request.size.isValid()) view.resize(request.size);
  if (request.countSeconds > 0.0) view.deliver(FormEvent::StartStopClick);
  view.show();

  QTimer::singleShot(static_cast<int>(request.countSeconds * 1000.0), &view, [&] {
    const bool saved = view.grab().save(request.file, "PNG");
    if (!saved) {
      std::fprintf(stderr, "tessel-demo: could not write the picture to %s\n",
                   quotedForDisplay(request.file.toStdString()).c_str());
    }
    QApplication::exit(saved ? 0 : 1);
  });
  return QApplication::exec();
}

}  // namespace tessel
