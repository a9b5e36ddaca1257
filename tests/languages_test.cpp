// The catalogues the build compiles in, the choice of language from the
// system or a browser, and what a faulty translation shows.

#include <gtest/gtest.h>

#include <algorithm>
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

// A translation's forms, as the catalogue joins them.
std::vector<std::string_view> formsOf(std::string_view joined) {
  std::vector<std::string_view> forms;
  for (std::size_t start = 0; start <= joined.size();) {
    const std::size_t end = std::min(joined.find('\0', start), joined.size());
    forms.push_back(joined.substr(start, end - start));
    start = end + 1;
  }
  return forms;
}

// Every language translates every text, and shows each in its own words in
// every form its plural rule picks, with the English text's named places.
TEST(Catalogues, EveryLanguageShowsEveryTextTranslated) {
  const EnglishAfterwards english;
  ASSERT_FALSE(catalogues().empty());
  for (const Catalogue& catalogue : catalogues()) {
    SCOPED_TRACE(catalogue.code);
    ASSERT_EQ(catalogue.translations.size(), catalogue.texts.size());
    ASSERT_TRUE(setLanguage(catalogue.code));
    for (std::size_t i = 0; i < catalogue.texts.size(); ++i) {
      const CatalogueText& text = catalogue.texts[i];
      const std::vector<std::string_view> forms = formsOf(catalogue.translations[i]);
      if (text.plural.empty()) {
        EXPECT_TRUE(!forms[0].empty() && _(text.id) == forms[0]) << text.id;
        continue;
      }
      for (unsigned long count = 0; count <= 200; ++count) {
        const std::string shown = _n(text.id, text.plural, count);
        EXPECT_TRUE(std::find(forms.begin(), forms.end(), shown) != forms.end() && !shown.empty())
            << text.id << " " << count;
      }
    }
  }
  // The test language keeps every place and changes every text.
  ASSERT_TRUE(setLanguage("en@stretch"));
  for (const CatalogueText& text : catalogues().front().texts) {
    const std::string shown = _(text.id);
    EXPECT_TRUE(shown != text.id && samePlaces(shown, text.id)) << text.id;
  }
}

// A translation that renames, loses or breaks a place, or a form that the
// plural rule names but the catalogue lacks, shows the English text.
TEST(Catalogues, AFaultyTranslationShowsTheEnglishText) {
  using namespace std::string_view_literals;
  const EnglishAfterwards english;
  static constexpr std::array<CatalogueText, 3> kTexts{{
      {"Rate from {from} to {to}", ""},
      {"Saved the chain as {file}.", ""},
      {"{done} / {total} tick", "{done} / {total} ticks"},
  }};
  static constexpr std::array<std::string_view, 3> kTranslations{
      "Rate von {von} nach {to}"sv, "Gespeichert als {file."sv,
      "{done} / {total} Takt\0{done} Takte"sv};
  static constexpr Catalogue kFaulty{"xx", "Faulty", "n == 1 ? 0 : n == 2 ? 1 : 7", kTexts,
                                     kTranslations};
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
