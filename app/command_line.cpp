#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "window/help_texts.h"

namespace tessel {
namespace {

QString qText(const std::string& text) {
  return QString::fromStdString(text);
}

QString optionName(RunOptionId id) {
  const std::string_view name = runOption(id).name;
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The parser and the demo's options from the run options' table, declared
// once for reading and for the help.
struct DemoParser {
  DemoParser() {
    const CommandLineHelp help = demoHelp();
    parser.setApplicationDescription(qText(help.description));
    // "-platform" is then one unknown option, not eight unknown letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const auto& [id, text] : help.options) {
      QStringList names{optionName(id)};
      if (id == RunOptionId::Help) names.prepend(QStringLiteral("h"));
      const char* valueName = runOption(id).valueName;
      options.emplace_back(
          id, std::make_unique<QCommandLineOption>(
                  names, qText(text), valueName ? QString::fromLatin1(valueName) : QString()));
      parser.addOption(*options.back().second);
    }
    parser.addPositionalArgument(qText(help.filesName), qText(help.filesHelp),
                                 qText(help.filesSyntax));
  }

  const QCommandLineOption& option(RunOptionId id) const {
    for (const auto& [known, made] : options) {
      if (known == id) return *made;
    }
    return *options.front().second;
  }

  bool takesValue(const QString& name) const {
    for (const auto& [id, made] : options) {
      if (made->names().contains(name)) return !made->valueName().isEmpty();
    }
    return false;
  }

  QCommandLineParser parser;
  std::vector<std::pair<RunOptionId, std::unique_ptr<QCommandLineOption>>> options;
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

DemoCommand usageError(const std::string& what) {
  DemoCommand command;
  command.action = DemoCommand::Action::UsageError;
  command.usageError = qText(what);
  return command;
}

}  // namespace

DemoCommand readCommandLine(const QStringList& arguments) {
  DemoParser demo;
  QCommandLineParser& parser = demo.parser;
  if (!parser.parse(arguments)) {
    // The parser's own sentence drops the option's dashes and does not quote it.
    if (!parser.unknownOptionNames().isEmpty()) {
      return usageError(unknownOption(
          typedOption(demo, arguments, parser.unknownOptionNames().constFirst()).toStdString()));
    }
    return usageError(parser.errorText().toStdString());
  }
  if (parser.isSet(demo.option(RunOptionId::Help)))
    return {DemoCommand::Action::ShowHelp, {}, {}, {}};
  if (parser.isSet(demo.option(RunOptionId::Version))) {
    return {DemoCommand::Action::ShowVersion, {}, {}, {}};
  }
  // A repeated option would otherwise let one of its values win silently.
  for (const QString& name : parser.optionNames()) {
    if (parser.optionNames().count(name) > 1) {
      return usageError(optionGivenTwice("--" + name.toStdString()));
    }
  }

  DemoCommand command;
  command.chainFiles = parser.positionalArguments();
  const bool screenshot = parser.isSet(demo.option(RunOptionId::Screenshot));
  ScreenshotRequest& request = command.screenshot;
  for (const auto& [id, option] : demo.options) {
    if (id == RunOptionId::Help || id == RunOptionId::Version || !parser.isSet(*option)) continue;
    const std::string spelled = "--" + std::string(runOption(id).name);
    if (!screenshot) return usageError(optionOnlyWith(spelled, "--screenshot"));
    if (runOption(id).grammar == OptionGrammar::Flag) {
      request.setup.longRun = true;
      continue;
    }
    auto read = readRunOption(id, parser.value(*option).toStdString(), spelled);
    if (const auto* problem = std::get_if<std::string>(&read)) return usageError(*problem);
    const OptionValue& value = std::get<OptionValue>(read);
    switch (id) {
      case RunOptionId::Screenshot:
        request.file = qText(value.text);
        break;
      case RunOptionId::Scenario:
        request.setup.scenario = value.choice;
        break;
      case RunOptionId::CountSeconds:
        request.countSeconds = value.number;
        break;
      case RunOptionId::CountTicks:
        request.setup.countTicks = static_cast<long long>(value.whole);
        break;
      case RunOptionId::Speed:
        request.setup.speed = value.choice;
        break;
      case RunOptionId::View:
        request.setup.view = value.choice;
        break;
      case RunOptionId::Seed:
        request.setup.seed = value.whole;
        break;
      case RunOptionId::Size:
        request.size = QSize(value.width, value.height);
        break;
      default:
        break;
    }
  }
  if (!screenshot) return command;
  if (parser.isSet(demo.option(RunOptionId::CountTicks)) &&
      parser.isSet(demo.option(RunOptionId::CountSeconds))) {
    return usageError(optionsExclude("--count-ticks", "--count-seconds"));
  }
  // The picture shows what is asked for, not what the user last chose.
  request.setup.longRun = request.setup.longRun.value_or(false);
  command.action = DemoCommand::Action::SaveScreenshot;
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
