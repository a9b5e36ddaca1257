#include "toolkit/numbers.h"

#ifndef __EMSCRIPTEN__
#include <langinfo.h>
#include <locale.h>
#endif

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <system_error>

namespace tessel {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

int digitValue(char c) {
  return c - '0';
}

// Collects a decimal number digit by digit and converts it with correct
// rounding, without allocating however long the text is. Only the first
// kMaxDigits significant digits are kept: no double needs more than about
// 770 of them to round correctly, provided the rest is remembered as one
// "something non-zero follows" digit. Leading zeros never use up the budget;
// they only move the decimal exponent.
class DecimalCollector {
 public:
  struct Result {
    double value = 0.0;
    bool overflow = false;  // too large for a double; value is +-infinity
  };

  void setNegative() { negative_ = true; }
  void setExponentNegative() { exponentNegative_ = true; }

  void addIntegerDigit(char c) {
    if (digitCount_ == 0 && c == '0') return;  // a leading zero
    ++pointPosition_;
    keepDigit(c);
  }

  void addFractionDigit(char c) {
    if (digitCount_ == 0 && c == '0') {
      --pointPosition_;  // 0.00x: each zero moves the first digit one place down
      return;
    }
    keepDigit(c);
  }

  void addExponentDigit(char c) {
    // Saturate: any exponent this large already means infinity or zero,
    // and the cap stays far from overflowing once the point position is added.
    if (exponent_ < kExponentCap) exponent_ = exponent_ * 10 + digitValue(c);
  }

  Result convert() const {
    if (digitCount_ == 0) return {negative_ ? -0.0 : 0.0, false};

    // The number is 0.<digits> x 10^decimalExponent.
    std::int64_t decimalExponent = pointPosition_ + (exponentNegative_ ? -exponent_ : exponent_);
    if (decimalExponent > kExponentClamp) decimalExponent = kExponentClamp;
    if (decimalExponent < -kExponentClamp) decimalExponent = -kExponentClamp;

    // The texts of rate boxes are read several times in every draw, so the
    // common short numbers take the exact fast path: a whole number of at
    // most 15 digits and a power of ten up to 10^22 are both exact doubles,
    // and one multiplication or division of them rounds correctly.
    const std::int64_t scale = decimalExponent - static_cast<std::int64_t>(digitCount_);
    if (digitCount_ <= kFastDigits && scale >= -kFastPower && scale <= kFastPower) {
      const auto whole = static_cast<double>(mantissa_);
      const double power = kPowersOfTen[static_cast<std::size_t>(scale < 0 ? -scale : scale)];
      const double magnitude = scale < 0 ? whole / power : whole * power;
      return {negative_ ? -magnitude : magnitude, false};
    }

    std::array<char, kMaxDigits + 32> buffer;
    char* out = buffer.data();
    char* const end = buffer.data() + buffer.size();
    if (negative_) *out++ = '-';
    *out++ = '0';
    *out++ = '.';
    for (std::size_t i = 0; i < digitCount_; ++i) *out++ = digits_[i];
    if (droppedNonZero_) *out++ = '1';
    *out++ = 'e';
    out = std::to_chars(out, end, decimalExponent).ptr;

    // fast_float rounds correctly over the whole range, gradual underflow
    // included: a number too small for a double reads as zero or the nearest
    // subnormal, one too large as infinity.
    double value = 0.0;
    const auto [ptr, ec] = fast_float::from_chars(buffer.data(), out, value);
    if (ec != std::errc() || ptr != out) return {negative_ ? -0.0 : 0.0, false};
    if (std::isinf(value)) return {value, true};
    return {value, false};
  }

 private:
  static constexpr std::size_t kMaxDigits = 800;
  static constexpr std::size_t kFastDigits = 15;
  static constexpr std::int64_t kFastPower = 22;
  static constexpr std::array<double, kFastPower + 1> kPowersOfTen{
      1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  static constexpr std::int64_t kExponentCap = 1'000'000'000'000;
  static constexpr std::int64_t kExponentClamp = 99'999;

  void keepDigit(char c) {
    if (digitCount_ < kMaxDigits) {
      if (digitCount_ < kFastDigits)
        mantissa_ = mantissa_ * 10 + static_cast<std::uint64_t>(c - '0');
      digits_[digitCount_++] = c;
    } else if (c != '0') {
      droppedNonZero_ = true;
    }
  }

  // Only the first digitCount_ characters are ever read, so the buffer is
  // left uninitialised: clearing it would cost more than most readings.
  std::array<char, kMaxDigits> digits_;
  std::size_t digitCount_ = 0;
  std::uint64_t mantissa_ = 0;  // the first kFastDigits digits as a whole number
  bool droppedNonZero_ = false;
  bool negative_ = false;
  bool exponentNegative_ = false;
  std::int64_t pointPosition_ = 0;  // significant digits before the point
  std::int64_t exponent_ = 0;
};

bool isStrictBlank(char c) {
  return c == ' ' || c == '\t';
}

// Walks a text as if its spaces, tabs and line feeds were not there.
class BlankSkippingCursor {
 public:
  explicit BlankSkippingCursor(std::string_view text) : text_(text) { skipBlanks(); }

  bool atEnd() const { return position_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[position_]; }
  void advance() {
    ++position_;
    skipBlanks();
  }

 private:
  void skipBlanks() {
    while (position_ < text_.size() &&
           (text_[position_] == ' ' || text_[position_] == '\t' || text_[position_] == '\n')) {
      ++position_;
    }
  }

  std::string_view text_;
  std::size_t position_ = 0;
};

int radixDigitValue(char c, int radix) {
  int value = radix;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < radix ? value : -1;
}

// "&H" / "&O" numbers. The value is exact while it fits in 64 bits; beyond
// that the leading 60-odd bits are kept, the rest only marks whether anything
// non-zero was dropped, which is all correct rounding to a double needs.
double readRadixDigits(BlankSkippingCursor cursor, int radix) {
  const int bitsPerDigit = radix == 16 ? 4 : 3;
  const std::uint64_t limit = std::uint64_t{1} << (64 - bitsPerDigit);
  std::uint64_t kept = 0;
  std::int64_t droppedDigits = 0;
  bool droppedNonZero = false;
  for (int digit = radixDigitValue(cursor.peek(), radix); digit >= 0;
       digit = radixDigitValue(cursor.peek(), radix)) {
    if (droppedDigits == 0 && kept < limit) {
      kept = kept * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
    } else {
      // Past 1024 bits the result is infinity anyway; stop counting there.
      if (droppedDigits < 1024) ++droppedDigits;
      droppedNonZero = droppedNonZero || digit != 0;
    }
    cursor.advance();
  }
  // kept has more than 60 significant bits here, so its lowest bit lies
  // below the rounding position of a double and can stand for the dropped
  // rest (a sticky bit).
  if (droppedNonZero) kept |= 1;
  return std::ldexp(static_cast<double>(kept), static_cast<int>(droppedDigits) * bitsPerDigit);
}

}  // namespace

NumberFormat NumberFormat::fromEnvironment() {
  NumberFormat format;
#ifdef __EMSCRIPTEN__
  // The browser build's C library has no locales: there the page passes the
  // user's separator in a NumberFormat of its own, and this stays ".".
  return format;
#else
  // A private locale object leaves the process locale (and with it every
  // other reader and writer of numbers) untouched.
  const locale_t locale = newlocale(LC_NUMERIC_MASK, "", locale_t{});
  if (locale == locale_t{}) return format;
  const char* separator = nl_langinfo_l(RADIXCHAR, locale);
  if (separator != nullptr && *separator != '\0') format.decimalSeparator = separator;
  freelocale(locale);
  return format;
#endif
}

StrictReading readStrictNumber(std::string_view text, const NumberFormat& format) {
  while (!text.empty() && isStrictBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isStrictBlank(text.back())) text.remove_suffix(1);

  const std::string_view userSeparator = format.decimalSeparator;
  DecimalCollector collector;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') collector.setNegative();
    ++i;
  }

  bool sawSeparator = false;
  bool sawDigit = false;
  while (i < text.size()) {
    if (isDigit(text[i])) {
      if (sawSeparator) {
        collector.addFractionDigit(text[i]);
      } else {
        collector.addIntegerDigit(text[i]);
      }
      sawDigit = true;
      ++i;
    } else if (!sawSeparator && !userSeparator.empty() &&
               text.substr(i).starts_with(userSeparator)) {
      sawSeparator = true;
      i += userSeparator.size();
    } else if (!sawSeparator && text[i] == '.') {
      sawSeparator = true;
      ++i;
    } else {
      break;
    }
  }
  if (!sawDigit) return {};

  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      if (text[i] == '-') collector.setExponentNegative();
      ++i;
    }
    bool sawExponentDigit = false;
    while (i < text.size() && isDigit(text[i])) {
      collector.addExponentDigit(text[i]);
      sawExponentDigit = true;
      ++i;
    }
    if (!sawExponentDigit) return {};
  }
  if (i != text.size()) return {};

  const DecimalCollector::Result result = collector.convert();
  if (result.overflow) return {StrictStatus::OutOfRange, 0.0};
  return {StrictStatus::Number, result.value};
}

double readLeadingNumber(std::string_view text) noexcept {
  BlankSkippingCursor cursor(text);

  if (cursor.peek() == '&') {
    cursor.advance();
    const char marker = cursor.peek();
    if (marker == 'H' || marker == 'h') {
      cursor.advance();
      return readRadixDigits(cursor, 16);
    }
    if (marker == 'O' || marker == 'o') {
      cursor.advance();
      return readRadixDigits(cursor, 8);
    }
    return 0.0;
  }

  DecimalCollector collector;
  if (cursor.peek() == '+' || cursor.peek() == '-') {
    if (cursor.peek() == '-') collector.setNegative();
    cursor.advance();
  }
  bool sawPoint = false;
  bool sawDigit = false;
  for (;;) {
    const char c = cursor.peek();
    if (isDigit(c)) {
      if (sawPoint) {
        collector.addFractionDigit(c);
      } else {
        collector.addIntegerDigit(c);
      }
      sawDigit = true;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
    cursor.advance();
  }
  if (!sawDigit) return 0.0;

  const char marker = cursor.peek();
  if (marker == 'e' || marker == 'E' || marker == 'd' || marker == 'D') {
    // A marker without digits after it ("2e+") adds nothing: the exponent
    // stays 0, which reads the same as stopping before the marker.
    cursor.advance();
    if (cursor.peek() == '+' || cursor.peek() == '-') {
      if (cursor.peek() == '-') collector.setExponentNegative();
      cursor.advance();
    }
    while (isDigit(cursor.peek())) {
      collector.addExponentDigit(cursor.peek());
      cursor.advance();
    }
  }
  return collector.convert().value;
}

std::string numberText(double value) {
  // Infinity and NaN never reach the program's boxes; they still get a
  // readable text rather than undefined output.
  if (std::isnan(value)) return " nan";
  const bool negative = std::signbit(value);
  std::string text(negative ? "-" : " ");
  if (std::isinf(value)) return text + "inf";

  const double magnitude = std::fabs(value);
  if (magnitude == 0.0) return text + "0";

  // {fmt} finds the fewest significant digits that read back to the same
  // double; it lays them out in its own choice of notation, so only the
  // digits and the decimal exponent are taken from it. The shortest form of
  // a double never needs more than 17 digits and a four-character exponent.
  std::array<char, 32> shortest{};
  const char* const shortestEnd =
      fmt::format_to_n(shortest.data(), shortest.size(), "{}", magnitude).out;
  std::string digits;
  int pointPosition = 0;  // the number is 0.<digits> x 10^pointPosition
  bool beforePoint = true;
  const char* c = shortest.data();
  for (; c != shortestEnd && *c != 'e'; ++c) {
    if (*c == '.') {
      beforePoint = false;
    } else if (digits.empty() && *c == '0') {
      if (!beforePoint) --pointPosition;  // a leading zero after the point
    } else {
      digits += *c;
      if (beforePoint) ++pointPosition;
    }
  }
  if (c != shortestEnd) {
    int exponent = 0;
    std::from_chars(c + 1 + (c[1] == '+' ? 1 : 0), shortestEnd, exponent);
    pointPosition += exponent;
  }
  while (digits.back() == '0') digits.pop_back();
  const auto digitCount = static_cast<int>(digits.size());

  if (magnitude >= 1e-5 && magnitude < 1e15) {
    if (pointPosition <= 0) {
      text += "0.";
      text.append(static_cast<std::size_t>(-pointPosition), '0');
      text += digits;
    } else if (pointPosition >= digitCount) {
      text += digits;
      text.append(static_cast<std::size_t>(pointPosition - digitCount), '0');
    } else {
      text += digits.substr(0, static_cast<std::size_t>(pointPosition));
      text += '.';
      text += digits.substr(static_cast<std::size_t>(pointPosition));
    }
    return text;
  }
  // Exponent notation as printf writes it: one digit before the point, and
  // a signed exponent of at least two digits (" 1e+20", " 2.5e-07").
  text += digits.front();
  if (digitCount > 1) text += '.' + digits.substr(1);
  fmt::format_to(std::back_inserter(text), "e{:+03d}", pointPosition - 1);
  return text;
}

}  // namespace tessel
