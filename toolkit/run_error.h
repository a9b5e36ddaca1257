#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace tessel {

// What went wrong in a run-time error. Each error ends the event handler it
// was raised in, at that point; whatever the handler had set before stays set.
enum class ErrorKind {
  TypeMismatch,      // a text that had to be a number is not one
  Overflow,          // a number beyond its type's range
  DivisionByZero,    // a finite non-zero number divided by zero
  InvalidOperation,  // a result that is no number at all, such as 0 / 0
};

// The one error type of the program: its kind, a message a person can act on
// and, where a rate box is at fault, that box's index so the view can mark it.
class RunError : public std::runtime_error {
 public:
  RunError(ErrorKind kind, const std::string& message, std::optional<int> rateBox = std::nullopt);

  ErrorKind kind() const { return kind_; }
  std::optional<int> rateBox() const { return rateBox_; }

 private:
  ErrorKind kind_;
  std::optional<int> rateBox_;
};

// The outcome of one floating-point operation, tested where it is computed.
// Only invalid operations, divisions by zero and overflows count; underflow and
// loss of precision do not.
enum class FloatFault { None, InvalidOperation, DivisionByZero, Overflow };

// For +, -, * and conversions with finite operands.
FloatFault resultFault(double result);
// For numerator / denominator = quotient.
FloatFault quotientFault(double numerator, double denominator, double quotient);
// For narrowing a double to single precision: checked before the
// conversion, since converting a value beyond the float range is undefined.
FloatFault narrowingFault(double value);

ErrorKind errorKindOf(FloatFault fault);

}  // namespace tessel
