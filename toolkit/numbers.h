#pragma once

#include <string>
#include <string_view>

namespace tessel {

// How the user writes numbers. Only the decimal separator matters to the
// program; it comes from LC_NUMERIC (or LC_ALL / LANG) and can be injected
// by tests.
struct NumberFormat {
  std::string decimalSeparator = ".";

  // The separator of the locale named by the environment, read without
  // changing the process locale. Falls back to "." when the locale is unknown,
  // and always in the browser build, which has no locales.
  static NumberFormat fromEnvironment();
};

enum class StrictStatus { Number, NotANumber, OutOfRange };

struct StrictReading {
  StrictStatus status = StrictStatus::NotANumber;
  double value = 0.0;  // meaningful only when status is Number
};

// Strict conversion of a rate box's text: the whole text, with blanks
// (spaces and tabs) allowed around it, must be one number: an optional sign,
// digits with at most one decimal separator (at least one digit in all) and
// an optional exponent (e or E, optional sign, digits). The decimal separator
// is the user's own or the point: the program itself writes "0.0" into boxes,
// so a comma locale must still accept it. No thousands separators, no hex, no
// "inf" or "nan". A number beyond the double range is OutOfRange; one too
// small to represent reads as zero (or the nearest subnormal).
StrictReading readStrictNumber(std::string_view text, const NumberFormat& format);

// Leading-number reading: spaces, tabs and line feeds are dropped wherever
// they stand; then the longest leading number is read: an optional sign,
// decimal digits with at most one "." whatever the locale, an optional
// exponent (e, E, d or D, optional sign, digits); or, instead of all that,
// "&H" / "&O" (either case) followed by hexadecimal / octal digits, read as a
// non-negative whole number. Reading stops at the first character that
// cannot continue the number. A text without a leading number reads as 0.
// A number beyond the double range reads as plus or minus infinity. Never
// fails, never reads outside the text.
double readLeadingNumber(std::string_view text) noexcept;

// The text the program writes for a number: one space in the place of the
// sign of a number that is not negative ("-" for a negative one), then the
// number with a point as decimal separator, in the fewest digits that read
// back to the same double: " 1", " 0.5", " 0.143", " 1000000", "-2.5".
// Plain decimal notation from 1e-5 up to below 1e15 (and for zero);
// exponent notation outside that (" 1e+20"). Negative zero is "-0" so that
// the text reads back to the very same double.
std::string numberText(double value);

}  // namespace tessel
