#include "app/screenshot.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/form_view.h"
#include "toolkit/quoted_text.h"
#include "toolkit/text.h"

namespace tessel {

int runScreenshot(const ScreenshotRequest& request, const QStringList& chainFiles) {
  Session session({request.setup.seed});
  FormView view(session);
  view.load();
  // The count starts once the chain files are open, below.
  RunSetup setup = request.setup;
  setup.countTicks.reset();
  session.apply(setup, AtCount::Hold);
  view.openChainFiles(chainFiles);
  if (request.size.isValid()) view.resize(request.size);
  if (request.setup.countTicks || request.countSeconds > 0.0) {
    view.perform({Command::StartStop});
  }
  view.show();

  const auto save = [&] {
    const bool saved = view.grab().save(request.file, "PNG");
    if (!saved) {
      const std::string problem = fill(uiText(UiText::PictureNotWritten),
                                       {{"file", quotedForDisplay(request.file.toStdString())}});
      std::fprintf(stderr, "tessel-demo: %s\n", problem.c_str());
    }
    QApplication::exit(saved ? 0 : 1);
  };
  if (request.setup.countTicks) {
    view.countTicks(*request.setup.countTicks, save);
  } else {
    QTimer::singleShot(static_cast<int>(request.countSeconds * 1000.0), &view, save);
  }
  return QApplication::exec();
}

}  // namespace tessel
