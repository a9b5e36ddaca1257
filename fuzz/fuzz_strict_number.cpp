// readStrictNumber against an independent reading, and numberText against
// both readings.
//
// The whole input is a rate box's text. With the point as separator the
// strict reading must be exactly what a hand-written check of the grammar
// plus the C library's correctly rounded conversion ("C" locale) say: not a
// number, out of range, or that very double. With the comma as the user's
// separator the text must read as it does with its first comma made a point.
// The first eight bytes, taken as a double, must be written by numberText
// in the characters the program uses and read back to the very same double.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "toolkit/numbers.h"

namespace tessel::fuzz {
namespace {

const char* statusName(StrictStatus status) {
  switch (status) {
    case StrictStatus::Number:
      return "Number";
    case StrictStatus::NotANumber:
      return "NotANumber";
    case StrictStatus::OutOfRange:
      return "OutOfRange";
  }
  return "?";
}

std::string describeReading(const StrictReading& reading) {
  std::string text = statusName(reading.status);
  if (reading.status == StrictStatus::Number) text += " " + describe(reading.value);
  return text;
}

// The strict grammar with the point as the only separator, checked by hand;
// the C library converts what passes.
StrictReading reference(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);

  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool sawPoint = false;
  bool sawDigit = false;
  for (; i < text.size(); ++i) {
    if (isDecimalDigit(text[i])) {
      sawDigit = true;
    } else if (text[i] == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
  }
  if (!sawDigit) return {StrictStatus::NotANumber, 0.0};
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool sawExponentDigit = false;
    for (; i < text.size() && isDecimalDigit(text[i]); ++i) sawExponentDigit = true;
    if (!sawExponentDigit) return {StrictStatus::NotANumber, 0.0};
  }
  if (i != text.size()) return {StrictStatus::NotANumber, 0.0};

  const double value = cLocaleStrtod(std::string(text));
  if (std::isinf(value)) return {StrictStatus::OutOfRange, 0.0};
  return {StrictStatus::Number, value};
}

bool same(const StrictReading& a, const StrictReading& b) {
  if (a.status != b.status) return false;
  return a.status != StrictStatus::Number || bitsOf(a.value) == bitsOf(b.value);
}

void checkStrict(std::string_view text) {
  const NumberFormat point{"."};
  const StrictReading reading = readStrictNumber(HeapText(text).view(), point);
  if (reading.status == StrictStatus::Number && !std::isfinite(reading.value)) {
    fail("readStrictNumber(" + shown(text) +
         ") gave a number that is not finite: " + describeReading(reading));
  }
  const StrictReading expected = reference(text);
  if (!same(reading, expected)) {
    fail("readStrictNumber(" + shown(text) + ", \".\") = " + describeReading(reading) +
         ", expected " + describeReading(expected));
  }

  const NumberFormat comma{","};
  const StrictReading withComma = readStrictNumber(HeapText(text).view(), comma);
  std::string pointed(text);
  if (const std::size_t at = pointed.find(','); at != std::string::npos) pointed[at] = '.';
  const StrictReading withPoint = readStrictNumber(HeapText(pointed).view(), point);
  if (!same(withComma, withPoint)) {
    fail("readStrictNumber(" + shown(text) + ", \",\") = " + describeReading(withComma) + " but " +
         shown(pointed) + " with \".\" reads " + describeReading(withPoint));
  }
}

void checkNumberText(const std::uint8_t* data) {
  double value = 0.0;
  std::memcpy(&value, data, sizeof value);
  if (!std::isfinite(value)) return;

  const std::string text = numberText(value);
  if (text.find_first_not_of(" -0123456789.e+") != std::string::npos) {
    fail("numberText(" + describe(value) + ") = " + shown(text) + " has other characters");
  }
  const double leading = readLeadingNumber(HeapText(text).view());
  if (bitsOf(leading) != bitsOf(value)) {
    fail("numberText(" + describe(value) + ") = " + shown(text) +
         " reads back by "
         "readLeadingNumber as " +
         describe(leading));
  }
  const StrictReading strict = readStrictNumber(HeapText(text).view(), NumberFormat{"."});
  if (strict.status != StrictStatus::Number || bitsOf(strict.value) != bitsOf(value)) {
    fail("numberText(" + describe(value) + ") = " + shown(text) +
         " reads back by "
         "readStrictNumber as " +
         describeReading(strict));
  }
}

}  // namespace
}  // namespace tessel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::fuzz;
  checkStrict(std::string_view(reinterpret_cast<const char*>(data), size));
  if (size >= sizeof(double)) checkNumberText(data);
  return 0;
}
