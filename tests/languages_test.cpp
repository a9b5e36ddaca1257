// The catalogues the build compiles in, the choice of language from the
// system or a browser, and what a faulty translation shows.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/catalogue.h"
#include "toolkit/text.h"

namespace tessel {
namespace {

struct EnglishAfterwards {
  ~EnglishAfterwards() { setLanguage("en"); }
};

bool oneOf(const std::string& shown, const CatalogueEntry& entry) {
  for (const std::string_view form : entry.forms) {
    if (!form.empty() && form == shown) return true;
  }
  return false;
}

// Every language holds the same texts, and shows each in its own words in
// every form its plural rule picks, with the English text's named places.
TEST(Catalogues, EveryLanguageShowsEveryTextTranslated) {
  const EnglishAfterwards english;
  ASSERT_FALSE(catalogues().empty());
  const auto texts = [](const Catalogue& catalogue) {
    std::vector<std::pair<std::string_view, std::string_view>> ids;
    for (const CatalogueEntry& entry : catalogue.entries) ids.emplace_back(entry.id, entry.plural);
    return ids;
  };
  for (const Catalogue& catalogue : catalogues()) {
    SCOPED_TRACE(catalogue.code);
    EXPECT_EQ(texts(catalogue), texts(catalogues().front()));
    ASSERT_TRUE(setLanguage(catalogue.code));
    for (const CatalogueEntry& entry : catalogue.entries) {
      if (entry.plural.empty()) {
        EXPECT_TRUE(!entry.forms[0].empty() && _(entry.id) == entry.forms[0]) << entry.id;
        continue;
      }
      for (unsigned long count = 0; count <= 200; ++count) {
        EXPECT_TRUE(oneOf(_n(entry.id, entry.plural, count), entry)) << entry.id << " " << count;
      }
    }
  }
  // The test language keeps every place and changes every text.
  ASSERT_TRUE(setLanguage("en@stretch"));
  for (const CatalogueEntry& entry : catalogues().front().entries) {
    const std::string shown = _(entry.id);
    EXPECT_TRUE(shown != entry.id && samePlaces(shown, entry.id)) << entry.id;
  }
}

// A translation that renames, loses or breaks a place, or a form that the
// plural rule names but the catalogue lacks, shows the English text.
TEST(Catalogues, AFaultyTranslationShowsTheEnglishText) {
  const EnglishAfterwards english;
  static constexpr std::array<CatalogueEntry, 3> kEntries{{
      {"Rate from {from} to {to}", "", {"Rate von {von} nach {to}"}},
      {"Saved the chain as {file}.", "", {"Gespeichert als {file."}},
      {"{done} / {total} tick",
       "{done} / {total} ticks",
       {"{done} / {total} Takt", "{done} Takte"}},
  }};
  static constexpr Catalogue kFaulty{"xx", "Faulty", "n == 1 ? 0 : n == 2 ? 1 : 7", kEntries};
  speak(kFaulty);
  EXPECT_EQ(_("Rate from {from} to {to}"), "Rate from {from} to {to}");
  EXPECT_EQ(fill(_("Saved the chain as {file}."), {{"file", "a.tessel"}}),
            "Saved the chain as a.tessel.");
  const auto ticks = [](unsigned long count) {
    return _n("{done} / {total} tick", "{done} / {total} ticks", count);
  };
  EXPECT_EQ(ticks(1), "{done} / {total} Takt");
  EXPECT_EQ(ticks(2), "{done} / {total} ticks");
  EXPECT_EQ(ticks(3), "{done} / {total} ticks");
}

void setOrUnset(const char* name, const char* value) {
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

// The system's language in gettext's order: LANGUAGE's list unless the
// locale is C, then LC_ALL, LC_MESSAGES and LANG; English where nothing
// matches, a language alone where its region does not.
TEST(Languages, TheSystemAsksInGettextsOrder) {
  struct Case {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* spoken;
  };
  const std::array<Case, 9> cases{{
      {"fr:de", nullptr, nullptr, "de_DE.UTF-8", "fr"},
      {"ja:es", nullptr, nullptr, "de_DE.UTF-8", "es"},
      {"fr", nullptr, nullptr, "C", "en"},
      {"fr", nullptr, nullptr, "C.UTF-8", "fr"},
      {nullptr, "pt_BR.UTF-8", "es_ES.UTF-8", "de_DE.UTF-8", "pt_BR"},
      {nullptr, nullptr, "es_MX.UTF-8", "de_DE.UTF-8", "es"},
      {nullptr, nullptr, nullptr, "de_AT@euro", "de"},
      {nullptr, nullptr, nullptr, "ja_JP.UTF-8", "en"},
      {"en@stretch", nullptr, nullptr, "C.UTF-8", "en@stretch"},
  }};
  const std::array<const char*, 4> names{"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
  std::array<std::optional<std::string>, 4> saved;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (const char* value = std::getenv(names[i])) saved[i] = value;
  }
  for (const Case& given : cases) {
    const std::array<const char*, 4> values{given.language, given.lcAll, given.lcMessages,
                                            given.lang};
    for (std::size_t i = 0; i < names.size(); ++i) setOrUnset(names[i], values[i]);
    EXPECT_EQ(matchLanguage(systemLanguages()), given.spoken)
        << (given.language ? given.language : "-") << " " << (given.lang ? given.lang : "-");
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    setOrUnset(names[i], saved[i] ? saved[i]->c_str() : nullptr);
  }
}

// A browser's tags, as navigator.languages lists them.
TEST(Languages, ABrowsersFirstSpokenTagWins) {
  const std::array<std::pair<std::vector<std::string>, std::string>, 6> cases{{
      {{"de-AT", "en"}, "de"},
      {{"pt-BR"}, "pt_BR"},
      {{"pt-PT"}, "pt_BR"},
      {{"zh-CN", "es-419", "fr"}, "es"},
      {{"en-GB", "de"}, "en"},
      {{}, "en"},
  }};
  for (const auto& [tags, spoken] : cases) {
    EXPECT_EQ(matchLanguage(tags), spoken) << (tags.empty() ? "" : tags.front());
  }
}

}  // namespace
}  // namespace tessel
