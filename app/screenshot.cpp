#include "app/screenshot.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>

#include "app/form_view.h"
#include "toolkit/random_source.h"

namespace tessel {
namespace {

struct ScreenshotRequest {
  QString file;
  QString scenario;
  double countSeconds = 0.0;
  std::optional<std::uint64_t> seed;
  bool longRun = false;
};

std::optional<ScreenshotRequest> parse(int argc, char* argv[]) {
  ScreenshotRequest request;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--long-run") {
      request.longRun = true;
      continue;
    }
    if (i + 1 >= argc) return std::nullopt;
    const QString value = QString::fromLocal8Bit(argv[++i]);
    bool ok = true;
    if (option == "--screenshot") {
      request.file = value;
    } else if (option == "--scenario") {
      request.scenario = value;
    } else if (option == "--count-seconds") {
      request.countSeconds = value.toDouble(&ok);
      ok = ok && request.countSeconds >= 0.0 && request.countSeconds <= 3600.0;
    } else if (option == "--seed") {
      request.seed = value.toULongLong(&ok);
    } else {
      ok = false;
    }
    if (!ok) return std::nullopt;
  }
  if (request.file.isEmpty()) return std::nullopt;
  return request;
}

}  // namespace

bool isScreenshotRequest(int argc, char* argv[]) {
  return argc > 1 && std::string(argv[1]) == "--screenshot";
}

int runScreenshot(int argc, char* argv[]) {
  const std::optional<ScreenshotRequest> request = parse(argc, argv);
  if (!request) {
    std::fputs(
        "usage: tessel-demo --screenshot FILE [--scenario NAME] [--count-seconds S] "
        "[--seed N] [--long-run]\n",
        stderr);
    return 2;
  }
  ClockSeededRandom random =
      request->seed ? ClockSeededRandom::withFixedSeed(*request->seed) : ClockSeededRandom();
  MainForm form(random);
  FormView view(form);
  // The picture shows what is asked for, not what the user last chose.
  view.setLongRunMarksShown(request->longRun);
  view.deliver(FormEvent::Load);
  if (!request->scenario.isEmpty()) {
    const int index = view.scenarioList()->findText(request->scenario, Qt::MatchExactly);
    if (index < 0) {
      std::fprintf(stderr, "tessel-demo: no scenario named \"%s\"\n",
                   request->scenario.toLocal8Bit().constData());
      return 2;
    }
    // As a user picks it: the list shows it and its click runs.
    view.scenarioList()->setCurrentIndex(index);
    form.controls().scenarioList.text = request->scenario.toStdString();
    view.deliver(FormEvent::ScenarioClick);
  }
  if (request->countSeconds > 0.0) view.deliver(FormEvent::StartStopClick);
  view.show();

  QTimer::singleShot(static_cast<int>(request->countSeconds * 1000.0), &view, [&] {
    const bool saved = view.grab().save(request->file, "PNG");
    if (!saved) {
      std::fprintf(stderr, "tessel-demo: could not write %s\n",
                   request->file.toLocal8Bit().constData());
    }
    QApplication::exit(saved ? 0 : 1);
  });
  return QApplication::exec();
}

}  // namespace tessel
