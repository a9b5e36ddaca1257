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

int runScreenshot(const ScreenshotRequest& request, const QStringList& chainFiles) {
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
  view.openChainFiles(chainFiles);
  if (request.size.isValid()) view.resize(request.size);
  view.setSpeed(request.speed);
  const bool counting = request.countSeconds > 0.0 || request.countTicks > 0;
  if (counting) view.deliver(FormEvent::StartStopClick);
  view.show();

  const auto save = [&] {
    const bool saved = view.grab().save(request.file, "PNG");
    if (!saved) {
      std::fprintf(stderr, "tessel-demo: could not write the picture to %s\n",
                   quotedForDisplay(request.file.toStdString()).c_str());
    }
    QApplication::exit(saved ? 0 : 1);
  };
  if (request.countTicks > 0) {
    view.countTicks(request.countTicks, save);
  } else {
    QTimer::singleShot(static_cast<int>(request.countSeconds * 1000.0), &view, save);
  }
  return QApplication::exec();
}

}  // namespace tessel
