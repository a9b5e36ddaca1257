#include "sim/sim_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

#include "display/views.h"
#include "toolkit/ascii.h"
#include "toolkit/text.h"
#include "toolkit/utf8.h"

namespace tessel {
namespace {

// The fewest digits that read back to the same double; shares are finite.
std::string shortestNumber(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::string fixedShare(double share) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), share,
                                    std::chars_format::fixed, 4);
  return std::string(buffer.data(), result.ptr);
}

std::string fixedShare(const std::optional<double>& share) {
  return share ? fixedShare(*share) : "-";
}

// An empty CSV field, or JSON's null, where there is no number.
std::string shortestNumber(const std::optional<double>& value, std::string_view none) {
  return value ? shortestNumber(*value) : std::string(none);
}

// The percentage label reads " 25" (a blank in the place of the sign); the
// table shows just the number.
std::string_view withoutLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string formatText(const SimReport& report) {
  using Cells = std::array<std::string, 7>;
  const Cells headings{_("State"), _("Name"),     _("Visits"), _("Resting ticks"),
                       _("Share"), _("Long run"), _("Chart %")};
  std::vector<Cells> rows;
  for (const StateRow& row : report.states) {
    rows.push_back({_(row.state), row.shownName, std::to_string(row.visits),
                    std::to_string(row.restingTicks), fixedShare(row.share),
                    fixedShare(row.longRunShare),
                    std::string(withoutLeadingBlanks(row.percentLabel))});
  }
  std::array<std::size_t, 7> widths{};
  for (std::size_t c = 0; c < widths.size(); ++c) {
    widths[c] = characterCount(headings[c]);
    for (const auto& row : rows) widths[c] = std::max(widths[c], characterCount(row[c]));
  }
  // Names are left-aligned, numbers right-aligned.
  const auto line = [&](const Cells& cells) {
    std::string text;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c > 0) text += "  ";
      // Columns line up by characters, whatever their bytes.
      const std::string padding(widths[c] - characterCount(cells[c]), ' ');
      text += c < 2 ? cells[c] + padding : padding + cells[c];
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text + '\n';
  };

  std::string text =
      fill(_("Scenario: {scenario}   seed: {seed}   ticks: {ticks}   jumps: {jumps}"),
           {{"scenario", report.shownScenario.empty() ? report.scenario : report.shownScenario},
            {"seed", std::to_string(report.seed)},
            {"ticks", std::to_string(report.ticks)},
            {"jumps", std::to_string(report.jumps)}}) +
      "\n\n";
  text += line(headings);
  for (const auto& row : rows) text += line(row);
  return text;
}

// Every row carries the run's own fields too, so that the file is one table.
std::string formatCsv(const SimReport& report) {
  std::string text =
      "scenario,seed,ticks,jumps,state,name,visits,resting_ticks,share,percent_label,"
      "long_run_share,continuous_time_share\n";
  for (const StateRow& row : report.states) {
    text += csvField(report.scenario) + ',' + std::to_string(report.seed) + ',' +
            std::to_string(report.ticks) + ',' + std::to_string(report.jumps) + ',' +
            csvField(row.state) + ',' + csvField(row.name) + ',' + std::to_string(row.visits) +
            ',' + std::to_string(row.restingTicks) + ',' + shortestNumber(row.share) + ',' +
            csvField(withoutLeadingBlanks(row.percentLabel)) + ',' +
            shortestNumber(row.longRunShare, "") + ',' +
            shortestNumber(row.continuousTimeShare, "") + '\n';
  }
  return text;
}

std::string jsonString(std::string_view text) {
  return '"' + jsonEscaped(text) + '"';
}

std::string formatJson(const SimReport& report) {
  std::string text = "{\n";
  text += "  \"scenario\": " + jsonString(report.scenario) + ",\n";
  text += "  \"seed\": " + std::to_string(report.seed) + ",\n";
  text += "  \"ticks\": " + std::to_string(report.ticks) + ",\n";
  text += "  \"jumps\": " + std::to_string(report.jumps) + ",\n";
  text += "  \"states\": [";
  for (std::size_t i = 0; i < report.states.size(); ++i) {
    const StateRow& row = report.states[i];
    text += i == 0 ? "\n" : ",\n";
    text += "    {\"state\": " + jsonString(row.state) + ", \"name\": " + jsonString(row.name) +
            ", \"visits\": " + std::to_string(row.visits) +
            ", \"resting_ticks\": " + std::to_string(row.restingTicks) +
            ", \"share\": " + shortestNumber(row.share) +
            ", \"percent_label\": " + jsonString(row.percentLabel) +
            ", \"long_run_share\": " + shortestNumber(row.longRunShare, "null") +
            ", \"continuous_time_share\": " + shortestNumber(row.continuousTimeShare, "null") + "}";
  }
  text += report.states.empty() ? "],\n" : "\n  ],\n";
  text += "  \"step_chances\": ";
  if (!report.stepChances) return text + "null\n}\n";
  text += '[';
  for (std::size_t from = 0; from < report.stepChances->size(); ++from) {
    text += from == 0 ? "\n    [" : ",\n    [";
    const std::vector<double>& row = (*report.stepChances)[from];
    for (std::size_t to = 0; to < row.size(); ++to) {
      text += (to == 0 ? "" : ", ") + shortestNumber(row[to]);
    }
    text += ']';
  }
  text += report.stepChances->empty() ? "]\n" : "\n  ]\n";
  return text + "}\n";
}

}  // namespace

std::string formatReport(const SimReport& report, ReportFormat format) {
  switch (format) {
    case ReportFormat::Text:
      return formatText(report);
    case ReportFormat::Csv:
      return formatCsv(report);
    case ReportFormat::Json:
      return formatJson(report);
  }
  return formatText(report);
}

std::string formatChances(const SimReport& report) {
  if (!report.stepChances) {
    return _("One tick's chances: none, as the rates cannot be read.") + std::string("\n");
  }
  // A column of names, then one of chances per state, right-aligned.
  std::vector<std::vector<std::string>> rows{{_("From \\ to")}};
  for (const StateRow& state : report.states) rows.front().push_back(state.shownName);
  for (std::size_t from = 0; from < report.stepChances->size(); ++from) {
    std::vector<std::string>& row = rows.emplace_back();
    row.push_back(report.states[from].shownName);
    for (const double chance : (*report.stepChances)[from]) row.push_back(chanceText(chance));
  }
  std::vector<std::size_t> widths(rows.front().size(), 0);
  for (const auto& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c)
      widths[c] = std::max(widths[c], characterCount(row[c]));
  }
  std::string text =
      '\n' + _("One resting tick's chances, from each row's state to each column's:") + '\n';
  for (const auto& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      const std::string padding(widths[c] - characterCount(row[c]), ' ');
      line += c == 0 ? row[c] + padding : "  " + padding + row[c];
    }
    text += line + '\n';
  }
  return text;
}

std::string traceHeading(const SimReport& report) {
  std::string shares;
  std::string longRun;
  for (const StateRow& row : report.states) {
    const std::string colour = lowerAscii(row.state);
    shares += ",share_" + colour;
    longRun += ",long_run_" + colour;
  }
  return "tick" + shares + longRun + '\n';
}

std::string traceRow(std::uint64_t tick, const SimReport& report) {
  std::string shares;
  std::string longRun;
  for (const StateRow& row : report.states) {
    shares += ',' + shortestNumber(row.share);
    longRun += ',' + shortestNumber(row.longRunShare, "");
  }
  return std::to_string(tick) + shares + longRun + '\n';
}

std::string jsonEscaped(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '"':
        escaped += "\\\"";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\t':
        escaped += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
          std::array<char, 8> code{};
          std::snprintf(code.data(), code.size(), "\\u%04x", static_cast<unsigned char>(c));
          escaped += code.data();
        } else {
          escaped += c;
        }
    }
  }
  return escaped;
}

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace tessel
