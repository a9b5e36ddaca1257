// Starts the demonstration: one window, which loads into "One Phone" and
// waits for the user.

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <cstdio>
#include <string>

#include "app/command_line.h"
#include "app/form_view.h"
#include "app/qt_translations.h"
#include "app/screenshot.h"
#include "app/window_placement.h"
#include "toolkit/text.h"
#include "toolkit/version.h"
#include "window/commands.h"
#include "window/run_options.h"
#include "window/session.h"

namespace {

constexpr int kExitUsage = 2;

// Writes `text` to standard output; says so on standard error and returns 1
// when it cannot be written (a closed pipe, a full disk), else 0.
int printOrComplain(const std::string& text, const char* what) {
  std::fputs(text.c_str(), stdout);
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "tessel-demo: %s\n", what);
  return 1;
}

// The icon installed into the icon theme, or the same drawing compiled in
// when the program runs from its build folder.
QIcon applicationIcon() {
  QIcon builtIn;
  builtIn.addFile(QStringLiteral(":/icons/48x48/apps/" TESSEL_APP_ID ".png"));
  builtIn.addFile(QStringLiteral(":/icons/256x256/apps/" TESSEL_APP_ID ".png"));
  return QIcon::fromTheme(QStringLiteral(TESSEL_APP_ID), builtIn);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication::setOrganizationName(QStringLiteral("tessel"));
  QApplication::setApplicationName(QStringLiteral("tessel-demo"));
  // The language the user last chose in the window, else the system's; its
  // words answer the command line too.
  const std::string language = tessel::startLanguage();
  tessel::setLanguage(language);

  // The command line is read before any window system is opened, so that
  // --help, --version and usage errors work without a display (package
  // tools and install checks run them that way).
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const tessel::DemoCommand command = tessel::readCommandLine(arguments);
  switch (command.action) {
    case tessel::DemoCommand::Action::ShowHelp:
      return printOrComplain(tessel::demoHelpText().toStdString(),
                             tessel::uiText(tessel::UiText::HelpNotWritten).c_str());
    case tessel::DemoCommand::Action::ShowVersion:
      return printOrComplain("tessel-demo " + std::string(tessel::kVersion) + "\n",
                             tessel::uiText(tessel::UiText::VersionNotWritten).c_str());
    case tessel::DemoCommand::Action::UsageError:
      std::fprintf(stderr, "tessel-demo: %s\n%s\n", command.usageError.toStdString().c_str(),
                   tessel::demoTryHelp().c_str());
      return kExitUsage;
    case tessel::DemoCommand::Action::OpenWindow:
    case tessel::DemoCommand::Action::SaveScreenshot:
      break;
  }

  QApplication::setApplicationVersion(
      QString::fromUtf8(tessel::kVersion.data(), static_cast<qsizetype>(tessel::kVersion.size())));
  // Ties the window to its desktop entry, whose name is the program's id.
  QGuiApplication::setDesktopFileName(QStringLiteral(TESSEL_APP_ID));
  QApplication application(argc, argv);
  QApplication::setWindowIcon(applicationIcon());
  tessel::useQtTranslations(language);
  if (command.action == tessel::DemoCommand::Action::SaveScreenshot) {
    return tessel::runScreenshot(command.screenshot, command.chainFiles);
  }

  tessel::Session session({});
  tessel::FormView view(session);
  view.load();
  view.openChainFiles(command.chainFiles);
  tessel::showWithSavedGeometry(view);
  return QApplication::exec();
}
