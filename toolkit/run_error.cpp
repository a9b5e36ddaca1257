#include "toolkit/run_error.h"

#include <cmath>
#include <limits>

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

FloatFault narrowingFault(double value) {
  if (std::isnan(value)) return FloatFault::InvalidOperation;
  if (std::fabs(value) > std::numeric_limits<float>::max()) return FloatFault::Overflow;
  return FloatFault::None;
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
