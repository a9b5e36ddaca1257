#pragma once

// Every text a user reads is written once, here in the core, inside _()
// where it is used or N_() where it stands in a table and is looked up
// later, so that xgettext finds each one (--keyword=_ --keyword=N_
// --keyword=_n:1,2). Values go into a text by name, "Rate from {from} to
// {to}", so that a translation can put them where its language wants them.
//
// The translations are gettext catalogues (po/*.po), turned into data that
// every build reads alike, native and WebAssembly: one language at a time,
// English until a front-end picks another.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// Marks a text of a table for the extractor; the table's reader shows it
// through _().
constexpr const char* N_(const char* text) {
  return text;
}

// The text in the language spoken now. A translation whose named places
// differ from the English text's is never used: the English shows instead.
std::string _(std::string_view text);

// The text for `count` of something, in the form the language's plural rule
// picks; in English `singular` for 1, else `plural`.
std::string _n(std::string_view singular, std::string_view plural, unsigned long count);

// A value for a text's named place: {"from", "Bored"} fills "{from}".
struct Named {
  const char* name;
  std::string value;
};

// `text` with each {name} replaced by its value ({{ and }} stand for braces).
// A text whose places do not match its values is returned as it stands:
// a faulty text never stops the program.
std::string fill(std::string_view text, std::initializer_list<Named> values);

// Whether two texts name the same places, each as often.
bool samePlaces(std::string_view a, std::string_view b);

struct Language {
  std::string_view code;  // "de", "pt_BR"; "en" for English
  std::string_view name;  // in its own words: "Deutsch"
};

// The languages the program speaks, English first, then in the order their
// catalogues are listed. The pseudo-language for tests is not among them.
std::span<const Language> languages();

// Speaks `code` from now on (as in languages(), or "en@stretch", the test
// language that makes every text longer and adds accents). Returns false,
// changing nothing, for a language it does not speak.
bool setLanguage(std::string_view code);
std::string_view language();

// The first of `wanted` the program speaks: each a language tag as a browser
// ("pt-BR") or a locale variable ("pt_BR.UTF-8", "de_DE@euro") gives it, taken
// whole, then as its language alone ("de" for "de_AT"); "en" where none is.
// "C" and "POSIX" stand for English.
std::string matchLanguage(std::span<const std::string> wanted);

// The languages the system asks for, in gettext's order: LANGUAGE's list
// (unless the locale itself is C), then the first of LC_ALL, LC_MESSAGES and
// LANG that is set.
std::vector<std::string> systemLanguages();

}  // namespace tessel
