#include "toolkit/controls.h"

namespace tessel {

void TextBox::setText(std::string text) {
  text_ = std::move(text);
  leading_.reset();
  strict_.reset();
}

double TextBox::leadingNumber() const {
  if (!leading_) leading_ = readLeadingNumber(text_);
  return *leading_;
}

StrictReading TextBox::strictNumber(const NumberFormat& format) const {
  if (!strict_ || strictSeparator_ != format.decimalSeparator) {
    strict_ = readStrictNumber(text_, format);
    strictSeparator_ = format.decimalSeparator;
  }
  return *strict_;
}

}  // namespace tessel
