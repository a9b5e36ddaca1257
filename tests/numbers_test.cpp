#include "toolkit/numbers.h"

#include <gtest/gtest.h>
#include <locale.h>
#include <stdlib.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "tests/double_bits.h"
#include "toolkit/controls.h"

namespace tessel {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const NumberFormat kPoint{"."};
const NumberFormat kComma{","};

// The exact decimal halfway between 1 and the next double up: it rounds (to
// even) down to 1, but any non-zero digit after it, however far away, must
// round it up.
const std::string kHalfwayAboveOne = "1.00000000000000011102230246251565404236316680908203125";
const std::string kFarAway(5000, '0');
const double kAboveOne = std::nextafter(1.0, 2.0);

struct TextAndValue {
  std::string text;
  double value;
};

TEST(ReadStrictNumber, RejectsWhatIsNotOneNumber) {
  for (const char* text :
       {"",    " \t ",  ".",     "+",   "e5",  "1e",   "1e+",  ".e5", "12abc", "1 2", "- 1",
        "1,5", "1.2.3", "1,000", "inf", "nan", "&H1F", "0x10", "1d5", "\n1",   "1\r", "1e5.5"}) {
    EXPECT_EQ(readStrictNumber(text, kPoint).status, StrictStatus::NotANumber)
        << '"' << text << '"';
  }
  for (const char* text : {"1e400", "-1e400", "1e99999999999999999999"}) {
    EXPECT_EQ(readStrictNumber(text, kPoint).status, StrictStatus::OutOfRange) << text;
  }
}

TEST(ReadStrictNumber, ReadsNumbers) {
  // clang-format off
  const TextAndValue cases[] = {
      {" \t1.5\t ", 1.5}, {"1.", 1}, {".5", 0.5}, {"+.5", 0.5}, {"-2.5e-3", -2.5e-3},
      {"1.E+2", 100}, {"007", 7}, {"-0", -0.0}, {"1e-400", 0}, {"-1e-400", -0.0},
      {"4.9e-324", DBL_TRUE_MIN}, {"0e99999999999999999999", 0}};
  // clang-format on
  for (const auto& c : cases) {
    const StrictReading reading = readStrictNumber(c.text, kPoint);
    EXPECT_EQ(reading.status, StrictStatus::Number) << c.text;
    EXPECT_EQ(bitsOf(reading.value), bitsOf(c.value)) << c.text;
  }
}

TEST(ReadStrictNumber, UsersSeparatorOrPoint) {
  const NumberFormat arabic{"\xD9\xAB"};  // a two-byte separator
  // clang-format off
  const struct {
    NumberFormat format;
    std::string text;
    std::optional<double> value;  // nullopt: not a number
  } cases[] = {
      {kComma, "1,5", 1.5}, {kComma, "0.0", 0.0}, {kComma, " 0.5", 0.5},
      {kComma, "-1,5e2", -150}, {kComma, ",5", 0.5}, {kComma, "1,5.0", std::nullopt},
      {kComma, "1,000,0", std::nullopt}, {kComma, ",", std::nullopt},
      {arabic, "1\xD9\xAB" "5", 1.5}, {arabic, "2.5", 2.5}, {arabic, "1\xD9", std::nullopt},
      {arabic, "1\xD9\xAB" "5.1", std::nullopt}};
  // clang-format on
  for (const auto& c : cases) {
    const StrictReading reading = readStrictNumber(c.text, c.format);
    EXPECT_EQ(reading.status, c.value ? StrictStatus::Number : StrictStatus::NotANumber) << c.text;
    if (c.value) {
      EXPECT_EQ(reading.value, *c.value) << c.text;
    }
  }
}

TEST(ReadStrictNumber, VeryLongTexts) {
  EXPECT_EQ(readStrictNumber(std::string(400, '9'), kPoint).status, StrictStatus::OutOfRange);
  EXPECT_EQ(readStrictNumber("0." + std::string(30000, '3'), kPoint).value, 1.0 / 3.0);
  EXPECT_EQ(readStrictNumber("1" + std::string(20000, '0') + "e-20000", kPoint).value, 1.0);
  EXPECT_EQ(readStrictNumber("0," + std::string(20000, '0') + "1e20001", kComma).value, 1.0);
  const StrictReading tiny = readStrictNumber("0." + std::string(20000, '0') + "1", kPoint);
  EXPECT_EQ(tiny.status, StrictStatus::Number);
  EXPECT_EQ(tiny.value, 0.0);
  EXPECT_EQ(readStrictNumber(kHalfwayAboveOne + kFarAway, kPoint).value, 1.0);
  EXPECT_EQ(readStrictNumber(kHalfwayAboveOne + kFarAway + "1", kPoint).value, kAboveOne);
}

TEST(ReadLeadingNumber, TrickyTexts) {
  // clang-format off
  const TextAndValue cases[] = {
      {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {".e5", 0}, {"+-5", 0}, {"1 2", 12}, {"- 5", -5},
      {" 1 . 5", 1.5}, {"\t\n 7\n", 7}, {"\r1", 0}, {"1\r2", 1}, {"1,5", 1}, {"12abc", 12},
      {"1.2.3", 1.2}, {"+5.", 5}, {"1e", 1}, {"2e+", 2}, {"2e+x3", 2}, {"3d7", 3e7},
      {"4D-1", 0.4}, {"1 e 5", 1e5}, {"1e5e5", 1e5}, {"&H1F", 31}, {"&h1f", 31},
      {" & H 1F", 31}, {"&H1FG2", 31}, {"&O17", 15}, {"&o8", 0}, {"&H", 0}, {"&HG", 0},
      {"&X1", 0}, {"-&H1F", 0}, {"1&H1F", 1}, {"-0", -0.0}, {"1e400", kInf},
      {"-1e400", -kInf}, {"1e-400", 0}, {"-1e-400", -0.0},
      {"&HFFFFFFFFFFFFFFFF", 18446744073709551615.0},
      // Halfway between two doubles: only the dropped last digit decides.
      {"&H10000000000000800", std::ldexp(1.0, 64)},
      {"&H10000000000000801", std::ldexp(1.0, 64) + std::ldexp(1.0, 12)},
      {"&O1" + std::string(22, '0'), std::ldexp(1.0, 66)}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(bitsOf(readLeadingNumber(c.text)), bitsOf(c.value)) << '"' << c.text << '"';
  }
}

TEST(ReadLeadingNumber, VeryLongTexts) {
  EXPECT_EQ(readLeadingNumber(std::string(100000, ' ') + "7"), 7.0);
  EXPECT_EQ(readLeadingNumber(std::string(100000, '9')), kInf);
  EXPECT_EQ(readLeadingNumber("&H" + std::string(10000, 'F')), kInf);
  EXPECT_EQ(readLeadingNumber("&O" + std::string(10000, '0') + "17"), 15.0);
  EXPECT_EQ(readLeadingNumber("-0." + std::string(100000, '0') + "5e100001"), -5.0);
  EXPECT_EQ(readLeadingNumber(kHalfwayAboveOne + kFarAway + "1"), kAboveOne);
  EXPECT_EQ(readLeadingNumber(kHalfwayAboveOne + std::string(5000, ' ') + "1"), kAboveOne);
}

TEST(NumberText, ExactTexts) {
  // clang-format off
  const struct {
    double value;
    const char* text;
  } cases[] = {// clang-format off
      {1, " 1"}, {0.5, " 0.5"}, {0.143, " 0.143"}, {1e6, " 1000000"}, {100, " 100"},
      {-2.5, "-2.5"}, {0, " 0"}, {-0.0, "-0"}, {1e-5, " 0.00001"}, {9.99e-6, " 9.99e-06"},
      {1e15, " 1e+15"}, {1e20, " 1e+20"}, {123456789012345.0, " 123456789012345"},
      {-1e-300, "-1e-300"}, {kInf, " inf"}, {-kInf, "-inf"}, {std::nan(""), " nan"}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(numberText(c.value), c.text) << c.value;
}

TEST(NumberText, ReadsBackToTheSameDouble) {
  for (const double magnitude :
       {0.0, 0.143, 1.0 / 3.0, 1e-300, 1e300, DBL_TRUE_MIN, DBL_MIN, 2.5, 1e15, 123456789012345.0,
        DBL_MAX, 1e-5, 9.999999999999999e-6, 0.1 + 0.2, 1e23, 999999999999999.9}) {
    for (const double value : {magnitude, -magnitude}) {
      const std::string text = numberText(value);
      EXPECT_EQ(bitsOf(readLeadingNumber(text)), bitsOf(value)) << text;
      // The program's own texts must pass the strict reading in any locale.
      for (const NumberFormat& format : {kPoint, kComma}) {
        const StrictReading reading = readStrictNumber(text, format);
        EXPECT_EQ(reading.status, StrictStatus::Number) << text;
        EXPECT_EQ(bitsOf(reading.value), bitsOf(value)) << text;
      }
    }
  }
}

// Runs fromEnvironment with LC_ALL set to name, then restores LC_ALL.
std::string separatorUnder(const char* name) {
  const char* old = getenv("LC_ALL");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  setenv("LC_ALL", name, 1);
  std::string separator = NumberFormat::fromEnvironment().decimalSeparator;
  if (saved) {
    setenv("LC_ALL", saved->c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  return separator;
}

TEST(NumberFormatFromEnvironment, CAndUnknownLocalesUseThePoint) {
  for (const char* name : {"C", "POSIX", "xx_NOWHERE.UTF-8"}) EXPECT_EQ(separatorUnder(name), ".");
}

TEST(NumberFormatFromEnvironment, CommaLocale) {
#ifdef __EMSCRIPTEN__
  GTEST_SKIP() << "the browser build's C library has no locales";
#endif
  const locale_t german = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", locale_t{});
  if (german == locale_t{}) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  freelocale(german);
  EXPECT_EQ(separatorUnder("de_DE.UTF-8"), ",");
  EXPECT_STREQ(localeconv()->decimal_point, ".");  // the process locale is untouched
}

#ifdef __EMSCRIPTEN__
// Without locales the browser build keeps the point whatever the environment
// names; the page hands the user's separator over in a NumberFormat.
TEST(NumberFormatFromEnvironment, BrowserBuildKeepsThePoint) {
  EXPECT_EQ(separatorUnder("de_DE.UTF-8"), ".");
}
#endif

// A rate box keeps its text's readings until the text changes: a kept
// reading must never outlive the text it was made from.
TEST(TextBox, ReadingsFollowEveryChangeOfTheText) {
  TextBox box(" 2.5");
  EXPECT_EQ(box.leadingNumber(), 2.5);
  EXPECT_EQ(box.strictNumber(kPoint).value, 2.5);

  box.setText("1,5");
  EXPECT_EQ(box.leadingNumber(), 1.0);
  EXPECT_EQ(box.strictNumber(kPoint).status, StrictStatus::NotANumber);
  // The strict reading depends on the separator it was read with.
  EXPECT_EQ(box.strictNumber(kComma).value, 1.5);
  EXPECT_EQ(box.strictNumber(kPoint).status, StrictStatus::NotANumber);

  box.setText(kFarAway + "1");
  EXPECT_EQ(box.leadingNumber(), 1.0);
  EXPECT_EQ(box.strictNumber(kPoint).value, 1.0);
}

}  // namespace
}  // namespace tessel
