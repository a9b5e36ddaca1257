#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <array>
#include <optional>
#include <string>

#include "chain/scenarios.h"
#include "toolkit/quoted_text.h"
#include "window/front_end.h"
#include "window/run_speed.h"

namespace tessel {
namespace {

constexpr double kLongestCount = 3600.0;
constexpr int kLargestSide = 10000;  // pixels, either side of a --size

// A whole number written in the digits 0 to 9 only: QString's own readings
// would also take a sign and surrounding blanks. None when it is anything
// else or too long to read.
std::optional<long long> wholeNumber(const QString& text) {
  if (text.isEmpty() || text.size() > 18) return std::nullopt;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  }
  return text.toLongLong();
}

// One side of a --size; 0 (out of range) when it is no whole number.
int sideOf(const QString& text) {
  const std::optional<long long> side = wholeNumber(text);
  return side && *side <= kLargestSide ? static_cast<int>(*side) : 0;
}

QString shown(const QString& text) {
  return QString::fromStdString(quotedForDisplay(text.toStdString()));
}

// The parser and its options, declared once for reading and for the help.
struct DemoParser {
  DemoParser() {
    parser.setApplicationDescription(QStringLiteral(
        "Tessel Demo: an interactive classroom demonstration of a chain that hops at random\n"
        "between up to four states. Without options it opens its window."));
    // "-platform" is then one unknown option, not eight unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const QCommandLineOption* option : options()) parser.addOption(*option);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Chain files (.tessel) to open into the scenario "
                                                "list; the last one is picked."),
                                 QStringLiteral("[FILE...]"));
  }

  std::array<const QCommandLineOption*, 10> options() const {
    return {&help,       &version, &screenshot, &scenario, &countSeconds,
            &countTicks, &speed,   &seed,       &longRun,  &size};
  }

  bool takesValue(const QString& name) const {
    for (const QCommandLineOption* option : options()) {
      if (option->names().contains(name)) return !option->valueName().isEmpty();
    }
    return false;
  }

  QCommandLineParser parser;
  const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this text and exit.")};
  const QCommandLineOption version{QStringLiteral("version"),
                                   QStringLiteral("Show the program's version and exit.")};
  const QCommandLineOption screenshot{
      QStringLiteral("screenshot"),
      QStringLiteral("Save a PNG picture of the window to FILE and exit, instead of waiting "
                     "for the user."),
      QStringLiteral("FILE")};
  const QCommandLineOption scenario{
      QStringLiteral("scenario"),
      QStringLiteral("With --screenshot: pick the scenario NAME from the list first, one of ") +
          QString::fromStdString(scenarioChoices()) + QStringLiteral("."),
      QStringLiteral("NAME")};
  const QCommandLineOption countSeconds{
      QStringLiteral("count-seconds"),
      QStringLiteral("With --screenshot: click \"Start\" and let the chain run for S seconds "
                     "(0 to 3600) before the picture is taken."),
      QStringLiteral("S")};
  const QCommandLineOption countTicks{
      QStringLiteral("count-ticks"),
      QStringLiteral("With --screenshot: click \"Start\" and count exactly N timer ticks (1 to "
                     "1000000000) before the picture is taken; the counts then equal tessel-sim's "
                     "for the same scenario, seed and ticks. Not with --count-seconds."),
      QStringLiteral("N")};
  const QCommandLineOption speed{
      QStringLiteral("speed"),
      QStringLiteral("With --screenshot: run at speed S, one of ") +
          QString::fromStdString(speedChoices()) +
          QStringLiteral(": the ticks each timer event runs (the chain is the same at every "
                         "speed)."),
      QStringLiteral("S")};
  const QCommandLineOption seed{
      QStringLiteral("seed"),
      QStringLiteral("With --screenshot: seed the random numbers with N (0 to 2^64-1) instead "
                     "of the clock, so that the picture repeats."),
      QStringLiteral("N")};
  const QCommandLineOption longRun{
      QStringLiteral("long-run"),
      QStringLiteral("With --screenshot: show the long-run marks on the chart, whatever the "
                     "window last remembered.")};
  const QCommandLineOption size{
      QStringLiteral("size"),
      QStringLiteral("With --screenshot: make the window W by H pixels (each 1 to 10000), the "
                     "form scaled to fit, for example 1920x1080."),
      QStringLiteral("WxH")};
};

// The argument that made `name` an unknown option, as typed up to any "=":
// the parser keeps only the name, without its dashes.
QString typedOption(const DemoParser& demo, const QStringList& arguments, const QString& name) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) continue;
    const QString typed = argument.section(QLatin1Char('='), 0, 0);
    const QString bare = typed.mid(typed.startsWith(QLatin1String("--")) ? 2 : 1);
    if (bare == name) return typed;
    // A known option without "=" takes the next argument as its value,
    // whatever that looks like.
    if (typed.size() == argument.size() && demo.takesValue(bare)) ++i;
  }
  return name;
}

DemoCommand usageError(const QString& what) {
  DemoCommand command;
  command.action = DemoCommand::Action::UsageError;
  command.usageError = what;
  return command;
}

}  // namespace

DemoCommand readCommandLine(const QStringList& arguments) {
  DemoParser demo;
  QCommandLineParser& parser = demo.parser;
  if (!parser.parse(arguments)) {
    // The parser's own sentence drops the option's dashes and does not quote it.
    if (!parser.unknownOptionNames().isEmpty()) {
      return usageError(
          QStringLiteral("unknown option ") +
          shown(typedOption(demo, arguments, parser.unknownOptionNames().constFirst())));
    }
    return usageError(parser.errorText());
  }
  if (parser.isSet(demo.help)) return {DemoCommand::Action::ShowHelp, {}, {}, {}};
  if (parser.isSet(demo.version)) return {DemoCommand::Action::ShowVersion, {}, {}, {}};
  // A repeated option would otherwise let one of its values win silently.
  for (const QString& name : parser.optionNames()) {
    if (parser.optionNames().count(name) > 1) {
      return usageError(QStringLiteral("--%1 is given more than once").arg(name));
    }
  }

  const QCommandLineOption* const screenshotOnly[] = {
      &demo.scenario, &demo.countSeconds, &demo.countTicks, &demo.speed,
      &demo.seed,     &demo.longRun,      &demo.size};
  if (!parser.isSet(demo.screenshot)) {
    for (const QCommandLineOption* option : screenshotOnly) {
      if (parser.isSet(*option)) {
        return usageError(
            QStringLiteral("--%1 works only with --screenshot").arg(option->names().constLast()));
      }
    }
    DemoCommand command;
    command.chainFiles = parser.positionalArguments();
    return command;
  }

  DemoCommand command;
  command.action = DemoCommand::Action::SaveScreenshot;
  command.chainFiles = parser.positionalArguments();
  ScreenshotRequest& request = command.screenshot;
  request.file = parser.value(demo.screenshot);
  if (request.file.isEmpty()) return usageError(QStringLiteral("--screenshot needs a file name"));
  request.scenario = parser.value(demo.scenario);
  if (parser.isSet(demo.scenario) && !isScenarioName(request.scenario.toStdString())) {
    return usageError(QStringLiteral("unknown scenario %1; the scenarios are %2")
                          .arg(shown(request.scenario), QString::fromStdString(scenarioChoices())));
  }
  if (parser.isSet(demo.countSeconds)) {
    bool ok = false;
    const QString text = parser.value(demo.countSeconds);
    request.countSeconds = text.toDouble(&ok);
    // Digits with at most one point: toDouble would also take a sign,
    // blanks and exponents.
    static const QRegularExpression plainNumber(QStringLiteral("^[0-9]+(\\.[0-9]*)?$"));
    if (!ok || !plainNumber.match(text).hasMatch() ||
        !(request.countSeconds >= 0.0 && request.countSeconds <= kLongestCount)) {
      return usageError(
          QStringLiteral("--count-seconds needs a number from 0 to 3600, not %1").arg(shown(text)));
    }
  }
  if (parser.isSet(demo.countTicks)) {
    if (parser.isSet(demo.countSeconds)) {
      return usageError(QStringLiteral("--count-ticks and --count-seconds cannot go together"));
    }
    const QString text = parser.value(demo.countTicks);
    const std::optional<long long> ticks = readTickCount(text.toStdString());
    if (!ticks) {
      return usageError(
          QStringLiteral("--count-ticks needs a whole number from 1 to 1000000000, not %1")
              .arg(shown(text)));
    }
    request.countTicks = *ticks;
  }
  if (parser.isSet(demo.speed)) {
    const QString text = parser.value(demo.speed);
    const std::optional<std::size_t> speed = runSpeedNamed(text.toStdString());
    if (!speed) {
      return usageError(QStringLiteral("--speed needs one of %1, not %2")
                            .arg(QString::fromStdString(speedChoices()), shown(text)));
    }
    request.speed = *speed;
  }
  if (parser.isSet(demo.seed)) {
    const QString text = parser.value(demo.seed);
    const std::optional<std::uint64_t> value = readSeed(text.toStdString());
    if (!value) {
      return usageError(
          QStringLiteral("--seed needs a whole number from 0 to 2^64-1, not %1").arg(shown(text)));
    }
    request.seed = *value;
  }
  if (parser.isSet(demo.size)) {
    const QString text = parser.value(demo.size);
    const QStringList sides = text.split(QLatin1Char('x'));
    if (sides.size() == 2) request.size = QSize(sideOf(sides[0]), sideOf(sides[1]));
    const auto inRange = [](int side) { return side >= 1 && side <= kLargestSide; };
    if (!inRange(request.size.width()) || !inRange(request.size.height())) {
      return usageError(
          QStringLiteral("--size needs WxH, each from 1 to 10000, not %1").arg(shown(text)));
    }
  }
  request.longRun = parser.isSet(demo.longRun);
  return command;
}

QString demoHelpText() {
  DemoParser demo;
  // The parser names the program from the running application, and there is
  // none yet when --help is answered.
  QString text = demo.parser.helpText();
  text.replace(QStringLiteral("<executable_name>"), QStringLiteral("tessel-demo"));
  return text;
}

}  // namespace tessel
