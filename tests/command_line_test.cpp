// The demo's command line as readCommandLine reads it: what it takes and how
// it names what it refuses.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QSize>
#include <QString>
#include <QStringList>

#include "window/run_speed.h"

namespace tessel {
namespace {

DemoCommand read(const QStringList& options) {
  return readCommandLine(QStringList{QStringLiteral("tessel-demo")} + options);
}

// Both spellings of --size: "--size V" and "--size=V".
QList<QStringList> withSize(const QString& value) {
  const QStringList screenshot{QStringLiteral("--screenshot"), QStringLiteral("x.png")};
  return {screenshot + QStringList{QStringLiteral("--size"), value},
          screenshot + QStringList{QStringLiteral("--size=") + value}};
}

TEST(DemoCommandLine, SizeTakesTwoWholeNumbersFromOneTo10000) {
  const std::pair<const char*, QSize> good[] = {
      {"1x1", {1, 1}}, {"800x600", {800, 600}}, {"10000x10000", {10000, 10000}}};
  for (const auto& [value, size] : good) {
    for (const QStringList& options : withSize(QString::fromLatin1(value))) {
      const DemoCommand command = read(options);
      ASSERT_EQ(command.action, DemoCommand::Action::SaveScreenshot)
          << options.join(' ').toStdString() << ": " << command.usageError.toStdString();
      EXPECT_EQ(command.screenshot.size, size) << value;
    }
  }
}

TEST(DemoCommandLine, RefusesASizeWithASignABlankOrOutOfRange) {
  const char* const bad[] = {
      "+800x600", "800x+600",  "+800x+600", "-800x600", "800x-600", " 800x600", "800x600 ",
      "800 x600", "800x 600",  "800\tx600", "0x600",    "800x0",    "10001x1",  "99999999999x1",
      "800X600",  "800x600x2", "x600",      "800x",     ""};
  for (const char* value : bad) {
    for (const QStringList& options : withSize(QString::fromLatin1(value))) {
      const DemoCommand command = read(options);
      EXPECT_EQ(command.action, DemoCommand::Action::UsageError) << '"' << value << '"';
      EXPECT_TRUE(command.usageError.startsWith(
          QStringLiteral("--size needs WxH, each from 1 to 10000, not \"")))
          << command.usageError.toStdString();
    }
  }
}

TEST(DemoCommandLine, NamesAnUnknownOptionWithItsDashesUpToAnyEquals) {
  const std::pair<QStringList, const char*> unknown[] = {
      {{"--bogus"}, "--bogus"},
      {{"--bogus=1"}, "--bogus"},
      {{"-x"}, "-x"},
      {{"-bogus"}, "-bogus"},
      {{"-bogus=a=b"}, "-bogus"},
      {{"---bogus"}, "---bogus"},
      {{"-platform", "xcb"}, "-platform"},
      // The value of --screenshot is not an option, whatever it looks like.
      {{"--screenshot", "-bogus", "--bogus"}, "--bogus"},
      {{"--screenshot=x.png", "-bogus", "--bogus"}, "-bogus"},
  };
  for (const auto& [options, typed] : unknown) {
    const DemoCommand command = read(options);
    EXPECT_EQ(command.action, DemoCommand::Action::UsageError) << typed;
    EXPECT_EQ(command.usageError.toStdString(), std::string("unknown option \"") + typed + '"');
  }
}

TEST(DemoCommandLine, ReadsSpeedsTickCountsAndChainFiles) {
  const QStringList shot{QStringLiteral("--screenshot"), QStringLiteral("x.png")};
  const DemoCommand fast =
      read(shot + QStringList{"--speed", "max", "--count-ticks", "200000", "a.tessel", "b"});
  ASSERT_EQ(fast.action, DemoCommand::Action::SaveScreenshot) << fast.usageError.toStdString();
  EXPECT_EQ(fast.screenshot.setup.speed, kRunSpeeds.size() - 1);
  EXPECT_EQ(fast.screenshot.setup.countTicks, 200000);
  EXPECT_EQ(fast.chainFiles, (QStringList{"a.tessel", "b"}));
  EXPECT_EQ(read({"weather.tessel"}).chainFiles, QStringList{"weather.tessel"})
      << "files open the window with them";

  const std::pair<QStringList, const char*> refused[] = {
      {{"--speed", "3"}, "--speed needs one of 1, 2, 5, 10, 100, 1000, max"},
      {{"--speed", "MAX"}, "--speed needs one of"},
      {{"--count-ticks", "0"}, "--count-ticks needs a whole number"},
      {{"--count-ticks", "+5"}, "--count-ticks needs a whole number"},
      {{"--count-ticks", "1000000001"}, "--count-ticks needs a whole number"},
      {{"--count-ticks", "5", "--count-seconds", "1"}, "cannot go together"},
      {{"--count-seconds", "+1"}, "--count-seconds needs a number"},
      {{"--count-seconds", " 1"}, "--count-seconds needs a number"},
      {{"--count-seconds", "1e1"}, "--count-seconds needs a number"},
  };
  for (const auto& [options, message] : refused) {
    const DemoCommand command = read(shot + options);
    EXPECT_EQ(command.action, DemoCommand::Action::UsageError) << options.join(' ').toStdString();
    EXPECT_TRUE(command.usageError.startsWith(QString::fromLatin1(message)) ||
                command.usageError.contains(QString::fromLatin1(message)))
        << command.usageError.toStdString();
  }
  EXPECT_EQ(read({"--speed", "2"}).action, DemoCommand::Action::UsageError)
      << "only with --screenshot";
}

}  // namespace
}  // namespace tessel
