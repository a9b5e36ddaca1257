#include "toolkit/text.h"

#include <fmt/args.h>
#include <fmt/format.h>

namespace tessel {

std::string _(std::string_view text) {
  return std::string(text);
}

std::string fill(std::string_view text, std::initializer_list<Named> values) {
  fmt::dynamic_format_arg_store<fmt::format_context> arguments;
  for (const Named& value : values) arguments.push_back(fmt::arg(value.name, value.value));
  try {
    return fmt::vformat(text, arguments);
  } catch (const fmt::format_error&) {
    return std::string(text);
  }
}

}  // namespace tessel
