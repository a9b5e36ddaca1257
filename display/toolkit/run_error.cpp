#include "display/toolkit/run_error.h"

#include <cmath>

namespace tessel {

RunError::RunError(ErrorKind kind, const std::string& message, std::optional<int> rateBox)
    : std::runtime_error(message), kind_(kind), rateBox_(rateBox) {}

FloatFault resultFault(double result) {
  if (std::isnan(result)) return FloatFault::InvalidOperation;
  if (std::isinf(result)) return FloatFault::Overflow;
  return FloatFault::None;
}

FloatFault quotientFault(double numerator, double denominator, double quotient) {
  if (denominator == 0.0 && !std::isnan(numerator)) {
    return numerator == 0.0 ? FloatFault::InvalidOperation : FloatFault::DivisionByZero;
  }
  return resultFault(quotient);
}

FloatFault narrowingFault(double value, float narrowed) {
  if (std::isnan(narrowed)) return FloatFault::InvalidOperation;
  if (std::isinf(narrowed) && !std::isinf(value)) return FloatFault::Overflow;
  return resultFault(value);
}

ErrorKind errorKindOf(FloatFault fault) {
  switch (fault) {
    case FloatFault::DivisionByZero:
      return ErrorKind::DivisionByZero;
    case FloatFault::Overflow:
      return ErrorKind::Overflow;
    case FloatFault::InvalidOperation:
    case FloatFault::None:
      break;
  }
  return ErrorKind::InvalidOperation;
}

}  // namespace tessel
