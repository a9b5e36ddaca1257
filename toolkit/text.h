#pragma once

// Every text a user reads is written once, here in the core, inside _()
// where it is used or N_() where it stands in a table and is looked up
// later, so that xgettext finds each one (--keyword=_ --keyword=N_). Values
// go into a text by name, "Rate from {from} to {to}", so that a translation
// can put them where its language wants them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessel {

// Marks a text of a table for the extractor; the table's reader shows it
// through _().
constexpr const char* N_(const char* text) {
  return text;
}

// The text as the user reads it.
std::string _(std::string_view text);

// A value for a text's named place: {"from", "Bored"} fills "{from}".
struct Named {
  const char* name;
  std::string value;
};

// `text` with each {name} replaced by its value ({{ and }} stand for braces).
// A text whose places do not match its values is returned as it stands:
// a faulty text never stops the program.
std::string fill(std::string_view text, std::initializer_list<Named> values);

}  // namespace tessel
