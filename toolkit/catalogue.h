#pragma once

// The translations as the build writes them from po/*.po (see
// po/make_catalogues.py): one catalogue a language, its entries sorted by
// their English text.

#include <array>
#include <span>
#include <string_view>

namespace tessel {

struct CatalogueEntry {
  std::string_view id;                    // the English text; its singular where it has a count
  std::string_view plural;                // the English plural; empty for a text without a count
  std::array<std::string_view, 4> forms;  // the translation, by plural form
};

struct Catalogue {
  std::string_view code;    // "de", "pt_BR"
  std::string_view name;    // the language in its own words
  std::string_view plural;  // the catalogue's plural rule: a C expression in n
  std::span<const CatalogueEntry> entries;
};

// Every catalogue the build found, in po/LINGUAS' order.
std::span<const Catalogue> catalogues();

// Speaks `catalogue` from now on, as setLanguage speaks one of the build's;
// the catalogue must outlive its use.
void speak(const Catalogue& catalogue);

}  // namespace tessel
