// readLeadingNumber against an independent reading: the text without its
// spaces, tabs and line feeds, its longest leading number cut out by hand and
// converted by the C library (correctly rounded, "C" locale). Every input is
// compared bit for bit; the C library also serves for "&H" / "&O" numbers of
// any length, through its hexadecimal reading, and short hexadecimal numbers
// are checked once more as exact whole numbers.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "toolkit/numbers.h"

namespace tessel::fuzz {
namespace {

int radixDigit(char c, int radix) {
  int value = radix;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < radix ? value : -1;
}

// The whole-number value of the radix digits at the start of `text`, read by
// the C library as a hexadecimal floating-point constant.
double radixReference(std::string_view text, int radix, std::string_view original) {
  std::string digits;
  for (const char c : text) {
    if (radixDigit(c, radix) < 0) break;
    digits += c;
  }
  if (digits.empty()) return 0.0;

  std::string hex;
  if (radix == 16) {
    hex = digits;
  } else {
    std::string bits;
    for (const char c : digits) {
      const int d = c - '0';
      bits += (d & 4) ? '1' : '0';
      bits += (d & 2) ? '1' : '0';
      bits += (d & 1) ? '1' : '0';
    }
    while (bits.size() % 4 != 0) bits.insert(bits.begin(), '0');
    for (std::size_t i = 0; i < bits.size(); i += 4) {
      int nibble = 0;
      for (std::size_t j = 0; j < 4; ++j) nibble = nibble * 2 + (bits[i + j] == '1' ? 1 : 0);
      hex += "0123456789abcdef"[nibble];
    }
  }
  const double value = cLocaleStrtod("0x" + hex);

  // Up to 13 hexadecimal digits (52 bits) the value is a whole number that a
  // double holds exactly; check it without the floating-point reading too.
  if (radix == 16 && digits.size() <= 13) {
    std::uint64_t whole = 0;
    for (const char c : digits) whole = whole * 16 + static_cast<std::uint64_t>(radixDigit(c, 16));
    if (bitsOf(static_cast<double>(whole)) != bitsOf(value)) {
      fail("hexadecimal references disagree for " + shown(original));
    }
  }
  return value;
}

double reference(std::string_view original) {
  std::string text;
  for (const char c : original) {
    if (c != ' ' && c != '\t' && c != '\n') text += c;
  }
  const std::string_view s = text;

  if (!s.empty() && s[0] == '&') {
    if (s.size() >= 2 && (s[1] == 'H' || s[1] == 'h')) {
      return radixReference(s.substr(2), 16, original);
    }
    if (s.size() >= 2 && (s[1] == 'O' || s[1] == 'o')) {
      return radixReference(s.substr(2), 8, original);
    }
    return 0.0;
  }

  std::string number;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
  bool sawPoint = false;
  bool sawDigit = false;
  while (i < s.size()) {
    if (isDecimalDigit(s[i])) {
      sawDigit = true;
    } else if (s[i] == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
    number += s[i++];
  }
  if (!sawDigit) return 0.0;

  // The exponent counts only with at least one digit after its marker (and
  // sign); d and D mark it as e and E do.
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
    bool sawExponentDigit = false;
    while (j < s.size() && isDecimalDigit(s[j])) {
      exponent += s[j++];
      sawExponentDigit = true;
    }
    if (sawExponentDigit) number += exponent;
  }
  return cLocaleStrtod(number);
}

}  // namespace
}  // namespace tessel::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessel::fuzz;
  const HeapText text(data, size);
  const double value = tessel::readLeadingNumber(text.view());
  if (std::isnan(value)) fail("readLeadingNumber gave NaN for " + shown(text.view()));
  const double expected = reference(text.view());
  if (bitsOf(value) != bitsOf(expected)) {
    fail("readLeadingNumber(" + shown(text.view()) + ") = " + describe(value) + ", expected " +
         describe(expected));
  }
  return 0;
}
