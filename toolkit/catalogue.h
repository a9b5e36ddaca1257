#pragma once

// The translations as the build writes them from po/*.po (see
// po/make_catalogues.py): the English texts once, sorted, and one catalogue
// a language with its translations in the texts' order.

#include <span>
#include <string_view>

namespace tessel {

// A text the catalogues translate, in English.
struct CatalogueText {
  std::string_view id;      // the text; its singular where it has a count
  std::string_view plural;  // the English plural; empty for a text without a count
};

struct Catalogue {
  std::string_view code;                 // "de", "pt_BR"
  std::string_view name;                 // the language in its own words
  std::string_view plural;               // the catalogue's plural rule: a C expression in n
  std::span<const CatalogueText> texts;  // sorted by their UTF-8 bytes
  // By text: its translation's forms, by plural form, joined by '\0';
  // empty where the catalogue has none.
  std::span<const std::string_view> translations;
};

// Every catalogue the build found, in po/LINGUAS' order.
std::span<const Catalogue> catalogues();

// Speaks `catalogue` from now on, as setLanguage speaks one of the build's;
// the catalogue must outlive its use.
void speak(const Catalogue& catalogue);

}  // namespace tessel
