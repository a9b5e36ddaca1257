#include "toolkit/text.h"

#include <fmt/args.h>
#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

#include "toolkit/ascii.h"
#include "toolkit/catalogue.h"

namespace tessel {
namespace {

// The language spoken now: none for English. Its translations' forms are
// split once, when it is picked, and a form whose named places differ from
// the English text's is left empty, so that the English shows instead.
struct Spoken {
  const Catalogue* catalogue = nullptr;
  std::vector<std::vector<std::string_view>> forms;  // by text
  bool stretched = false;                            // the test language
};

// The test language, en@stretch: every text about 40 % longer, its letters
// accented and a tail of non-Latin letters added, its named places kept.
constexpr std::string_view kStretched = "en@stretch";

std::string stretched(std::string_view text) {
  static constexpr std::string_view kPlain = "aceinosuyzACEINOSUYZ";
  static constexpr std::array<std::string_view, 20> kAccented{"á", "ç", "é", "î", "ñ", "ö", "š",
                                                              "ü", "ý", "ž", "Å", "Ç", "É", "Î",
                                                              "Ñ", "Ö", "Š", "Ü", "Ý", "Ž"};
  static constexpr std::array<std::string_view, 4> kTail{"λ", "ж", "Ω", "я"};
  std::string made;
  std::size_t letters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '{' && i + 1 < text.size() && text[i + 1] != '{') {
      const std::size_t end = text.find('}', i);
      if (end != std::string_view::npos) {
        made += text.substr(i, end - i + 1);
        i = end;
        continue;
      }
    }
    const std::size_t plain = kPlain.find(text[i]);
    made += plain != std::string_view::npos ? kAccented[plain] : text.substr(i, 1);
    ++letters;
  }
  const std::size_t extra = (letters * 2 + 4) / 5;  // 40 %, rounded up
  if (extra > 0) made += ' ';
  for (std::size_t i = 1; i < extra; ++i) made += kTail[i % kTail.size()];
  return made;
}

Spoken& spoken() {
  static Spoken now;
  return now;
}

// The named places of a text, or none where its braces are not well formed.
std::optional<std::vector<std::string_view>> places(std::string_view text) {
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
      ++i;
      continue;
    }
    if (c == '}') return std::nullopt;
    if (c != '{') continue;
    const std::size_t end = text.find_first_of("{}", i + 1);
    if (end == std::string_view::npos || text[end] != '}') return std::nullopt;
    names.push_back(text.substr(i + 1, end - i - 1));
    i = end;
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A plural rule, a C expression in n as gettext's Plural-Forms write it:
// numbers, n, ( ), ! and the binary operators, and ?:.
class PluralRule {
 public:
  PluralRule(std::string_view rule, unsigned long n) : text_(rule), n_(n) {}

  // The form the rule picks; 0 where it cannot be read.
  unsigned long form() {
    const unsigned long value = conditional();
    skipBlanks();
    return failed_ || at_ != text_.size() ? 0 : value;
  }

 private:
  unsigned long conditional() {
    const unsigned long test = binary(0);
    if (!take("?")) return test;
    const unsigned long yes = conditional();
    if (!take(":")) failed_ = true;
    const unsigned long no = conditional();
    return test != 0 ? yes : no;
  }

  // Operators by precedence, lowest first; two-character ones before their
  // one-character prefixes.
  unsigned long binary(std::size_t level) {
    static constexpr std::array<std::array<std::string_view, 4>, 6> kLevels{
        {{"||"}, {"&&"}, {"==", "!="}, {"<=", ">=", "<", ">"}, {"+", "-"}, {"*", "/", "%"}}};
    if (level == kLevels.size()) return unary();
    unsigned long value = binary(level + 1);
    for (;;) {
      std::string_view found;
      for (const std::string_view op : kLevels[level]) {
        if (!op.empty() && take(op)) {
          found = op;
          break;
        }
      }
      if (found.empty()) return value;
      const unsigned long right = binary(level + 1);
      value = apply(found, value, right);
    }
  }

  unsigned long apply(std::string_view op, unsigned long a, unsigned long b) {
    if ((op == "/" || op == "%") && b == 0) {
      failed_ = true;
      return 0;
    }
    if (op == "||") return (a != 0 || b != 0) ? 1 : 0;
    if (op == "&&") return (a != 0 && b != 0) ? 1 : 0;
    if (op == "==") return a == b ? 1 : 0;
    if (op == "!=") return a != b ? 1 : 0;
    if (op == "<=") return a <= b ? 1 : 0;
    if (op == ">=") return a >= b ? 1 : 0;
    if (op == "<") return a < b ? 1 : 0;
    if (op == ">") return a > b ? 1 : 0;
    if (op == "+") return a + b;
    if (op == "-") return a - b;
    if (op == "*") return a * b;
    return op == "/" ? a / b : a % b;
  }

  unsigned long unary() {
    if (take("!")) return unary() == 0 ? 1 : 0;
    if (take("(")) {
      const unsigned long value = conditional();
      if (!take(")")) failed_ = true;
      return value;
    }
    if (take("n")) return n_;
    skipBlanks();
    unsigned long value = 0;
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      value = value * 10 + static_cast<unsigned long>(text_[at_++] - '0');
    }
    if (at_ == start) failed_ = true;
    return value;
  }

  bool take(std::string_view token) {
    skipBlanks();
    if (text_.substr(at_, token.size()) != token) return false;
    at_ += token.size();
    return true;
  }

  void skipBlanks() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }

  std::string_view text_;
  unsigned long n_;
  std::size_t at_ = 0;
  bool failed_ = false;
};

// The form `form` of the translation of `id` (with `plural` its English
// plural, empty for a text without a count), where one may be shown.
std::optional<std::string> translated(std::string_view id, std::string_view plural,
                                      unsigned long form) {
  const Catalogue* catalogue = spoken().catalogue;
  if (catalogue == nullptr) return std::nullopt;
  const auto texts = catalogue->texts;
  const auto found = std::lower_bound(
      texts.begin(), texts.end(), id,
      [](const CatalogueText& text, std::string_view wanted) { return text.id < wanted; });
  if (found == texts.end() || found->id != id || found->plural != plural) return std::nullopt;
  const std::vector<std::string_view>& forms =
      spoken().forms[static_cast<std::size_t>(found - texts.begin())];
  if (form >= forms.size() || forms[form].empty()) return std::nullopt;
  return std::string(forms[form]);
}

// A tag as the catalogues name languages: "pt_br" for "pt-BR", without a
// locale's encoding; the modifier kept, lower case throughout.
std::string normalTag(std::string_view tag) {
  std::string made = lowerAscii(tag.substr(0, tag.find('.')));
  if (const std::size_t at = tag.find('@');
      at != std::string_view::npos && made.find('@') == std::string::npos) {
    made += lowerAscii(tag.substr(at));
  }
  std::replace(made.begin(), made.end(), '-', '_');
  return made;
}

}  // namespace

std::string _(std::string_view text) {
  if (spoken().stretched) return stretched(text);
  return translated(text, {}, 0).value_or(std::string(text));
}

std::string _n(std::string_view singular, std::string_view plural, unsigned long count) {
  if (spoken().stretched) return stretched(count == 1 ? singular : plural);
  if (spoken().catalogue != nullptr) {
    const unsigned long form = PluralRule(spoken().catalogue->plural, count).form();
    if (auto shown = translated(singular, plural, form)) return *shown;
  }
  return std::string(count == 1 ? singular : plural);
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

bool samePlaces(std::string_view a, std::string_view b) {
  const auto first = places(a);
  const auto second = places(b);
  return first && second && *first == *second;
}

std::span<const Language> languages() {
  static const std::vector<Language> kSpoken = [] {
    std::vector<Language> made{{"en", "English"}};
    for (const Catalogue& catalogue : catalogues())
      made.push_back({catalogue.code, catalogue.name});
    return made;
  }();
  return kSpoken;
}

bool setLanguage(std::string_view code) {
  if (code == "en" || code == kStretched) {
    spoken() = {};
    spoken().stretched = code == kStretched;
    return true;
  }
  for (const Catalogue& catalogue : catalogues()) {
    if (catalogue.code != code) continue;
    speak(catalogue);
    return true;
  }
  return false;
}

void speak(const Catalogue& catalogue) {
  Spoken now{&catalogue, {}};
  for (std::size_t i = 0; i < catalogue.texts.size(); ++i) {
    const CatalogueText& text = catalogue.texts[i];
    std::vector<std::string_view>& forms = now.forms.emplace_back();
    std::string_view rest = i < catalogue.translations.size() ? catalogue.translations[i] : "";
    while (!rest.empty()) {
      const std::size_t end = std::min(rest.find('\0'), rest.size());
      const std::string_view form = rest.substr(0, end);
      // Every form of a text with a count may show either English form's places.
      const bool usable =
          samePlaces(form, text.id) || (!text.plural.empty() && samePlaces(form, text.plural));
      forms.push_back(usable ? form : std::string_view());
      rest.remove_prefix(std::min(end + 1, rest.size()));
    }
  }
  spoken() = std::move(now);
}

std::string_view language() {
  if (spoken().stretched) return kStretched;
  return spoken().catalogue != nullptr ? spoken().catalogue->code : std::string_view("en");
}

std::string matchLanguage(std::span<const std::string> wanted) {
  for (const std::string& tag : wanted) {
    const std::string normal = normalTag(tag);
    if (normal == "c" || normal == "posix") return "en";
    if (normal == kStretched) return std::string(kStretched);
    for (const Catalogue& catalogue : catalogues()) {
      if (normalTag(catalogue.code) == normal) return std::string(catalogue.code);
    }
    const std::string alone = normal.substr(0, normal.find_first_of("_@"));
    if (alone == "en") return "en";
    for (const Catalogue& catalogue : catalogues()) {
      if (normalTag(catalogue.code).substr(0, normalTag(catalogue.code).find('_')) == alone) {
        return std::string(catalogue.code);
      }
    }
  }
  return "en";
}

std::vector<std::string> systemLanguages() {
  const auto variable = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
  };
  std::string locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = variable(name);
    if (!locale.empty()) break;
  }
  std::vector<std::string> wanted;
  // As gettext: the plain C locale speaks English whatever LANGUAGE says;
  // C.UTF-8 lets LANGUAGE choose.
  if (locale == "C" || locale == "POSIX" || locale.empty()) {
    wanted.emplace_back("C");
    return wanted;
  }
  const std::string list = variable("LANGUAGE");
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = std::min(list.find(':', start), list.size());
    if (end > start) wanted.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  wanted.push_back(locale);
  return wanted;
}

}  // namespace tessel
