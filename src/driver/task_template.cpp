#include "driver/task_template.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

#include "cases/series_use.h"
#include "driver/case_table.h"
#include "report/warnings.h"

namespace tidewerk {
namespace {

using Lines = std::vector<std::string>;

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

// "0.3", "1.0501": a limit of the series as the program holds it.
std::string limit(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.5g", static_cast<double>(value));
  return text;
}

std::string blade_numbers(const SeriesFacts& facts) {
  switch (facts.blade_rule) {
    case BladeNumberRule::AsGiven:
      return std::to_string(facts.Zmin) + " to " + std::to_string(facts.Zmax) + ", used as given";
    case BladeNumberRule::ThreeBlades:
      return "3; any other Z is used as 3";
    case BladeNumberRule::ThreeToFive:
      return "3 to 5; a smaller Z is used as 3, a larger one as 5";
  }
  return "";
}

// The range of a value in the series, where the series has one.
std::string range_of(const CaseField& field, const SeriesFacts& facts, int case_number) {
  const SeriesUse& use = series_use(facts.series);
  if (field.real == &Problem::Z) return " (" + blade_numbers(facts) + ")";
  if (field.real == &Problem::EAR) {
    if (case_number == 7) return " (not checked in this case)";
    return " (" + limit(use.EARmin) + " <= EAR < " + limit(use.EARmax) + ")";
  }
  if (field.real == &Problem::PD) {
    return " (series " + fixed(use.PDmin, 2) + " to " + fixed(use.PDmax, 2) + ")";
  }
  return "";
}

Lines series_lines(const SeriesFacts& facts, int number) {
  const SeriesUse& use = series_use(facts.series);
  const std::string name(facts.name);
  Lines lines = {
      "The " + name + " series (line 16 = " + std::to_string(number) + "):",
      "   pitch ratios P/D swept by the cases: " + fixed(use.PDmin, 2) + " to " +
          fixed(use.PDmax, 2),
      "   blade-area ratios accepted: " + limit(use.EARmin) + " <= EAR < " + limit(use.EARmax),
      "   blade numbers Z: " + blade_numbers(facts),
      facts.ittc78 ? "   ITTC78 viscous correction: applies (IVISC = 1, or E in case 5)"
                   : "   ITTC78 viscous correction: does not apply (IVISC = 1 changes nothing)",
  };
  if (!use.bollard_pull) lines.push_back("   bollard pull (case 4): refused by the program");
  return lines;
}

// What the case does, what it asks at the keyboard, and what its values mean beyond their
// names.
Lines case_notes(int case_number, const SeriesFacts& facts) {
  switch (case_number) {
    case 1:
    case 2:
    case 3: {
      const char* load[] = {"Kt/J^2 = T / (RHO D^2 Va^2); the revolutions follow.",
                            "Kt/J^4 = n^2 T / (RHO Va^4); the diameter follows.",
                            "Kq/J^5 = n^2 Pd / (2 pi RHO Va^5); the diameter follows."};
      Lines lines = {"Over the series' pitch ratios the case selects the propeller with the best",
                     std::string("open-water efficiency at ") + load[case_number - 1]};
      if (case_number == 1) {
        lines.push_back("When the best one is at the last pitch ratio the case asks whether to");
        lines.push_back("choose another row: H or Enter keeps it.");
      } else {
        lines.push_back("No questions at the keyboard.");
      }
      return lines;
    }
    case 4:
      if (!series_use(facts.series).bollard_pull) {
        return {"At zero ship speed, the pitch ratio at which each candidate diameter absorbs",
                "the power at the revolutions, and its thrust (the bollard pull).",
                "This case refuses the " + std::string(facts.name) +
                    " series: a run of this file ends with",
                "the message GAWN SERISI ... MUMKUN DEGIL and no result (exit status 5).",
                "Choose series 1 (Wageningen B) or 3 (KCA) on line 16 for a bollard pull."};
      }
      return {"At zero ship speed, the pitch ratio at which each candidate diameter absorbs",
              "the power at the revolutions, and its thrust (the bollard pull).",
              "The case asks for the propeller to report: type 1, 2 or 3."};
    case 5:
      return {"The open-water table (Kt, 10Kq, eta0, Bp, delta) of the propeller over J.",
              "The case asks whether the ITTC78 correction is wanted (E/H; Enter is no);",
              "with E it asks for the full-scale diameter (m) and revolutions (RPM)."};
    case 6:
      return {"The open-water table with the operating point J = Va / (n D) marked, and",
              "the thrust and the delivered power there.  No questions at the keyboard."};
    case 7:
      return {"Bp = N P^0.5 / Va^2.5 (P in hp, Va in knots), delta = N D / Va (D in ft).",
              "The pitch ratio at which the series' Bp at J = 101.2658 / delta equals Bp,",
              "and that propeller's thrust and power.  Va is only printed.",
              "No questions at the keyboard."};
    default: {
      const char* what[] = {"thrust", "delivered power", "torque"};
      return {std::string("The pitch ratio that meets the required ") + what[case_number - 8] +
                  ", the open-water table of",
              "the designed propeller, the Burrill, Keller and tip-speed checks and a sweep",
              "of EAR 0.40 to 1.10.  EAR = 0 gives the sweep alone.",
              "The case pauses on the way: press Enter."};
    }
  }
}

}  // namespace

std::string task_template(int case_number, Series series) {
  const CaseEntry* entry = find_case(case_number);
  if (entry == nullptr) throw std::invalid_argument("no case " + std::to_string(case_number));
  const SeriesFacts& facts = series_facts(series);
  const int number = static_cast<int>(series);
  const std::string name(facts.name);
  const std::string title = entry->title;
  const std::string example = entry->examples[static_cast<std::size_t>(number - 1)];
  const bool refused = case_number == 4 && !series_use(facts.series).bollard_pull;

  Lines head = {
      "Tidewerk task file, written by tidewerk --template " + std::to_string(case_number) +
          " --series " + std::to_string(number) + ".",
      "Case " + std::to_string(case_number) + ": " + title,
      "Series: " + name +
          (refused ? " (case " + std::to_string(case_number) + " refuses it: no result)" : ""),
      "Run: tidewerk NAME.Tsk writes the report NAME.Son beside this file;",
      "tidewerk --check NAME.Tsk shows what the file holds without running it.",
      "The file is read by line count: keep exactly 15 lines of text above the series",
      "number (line 16) and 63 lines of text between the series and the case number",
      "(line 80).  The text on these lines is free; only the numbers are read.",
      "The series and the case number stand first on their lines; a comment may follow.",
      "The values follow from line 81, separated by blanks or commas, on one line or",
      "spread over several; after the last value the rest of its line is a comment",
      "and the lines after it are never read.  Write a decimal point, not a comma.",
      "Units: thrust kN, power kW, torque kNm, diameter and depth m, speed m/s,",
      "shaft speed RPM, density kg/m3 (sea water about 1025).",
      "Series (line 16): 1 Wageningen B, 2 Gawn, 3 KCA",
  };

  const std::string rule(78, '-');
  Lines free = {rule};
  for (std::string& line : series_lines(facts, number)) free.push_back(std::move(line));
  free.push_back(rule);
  free.push_back("Case " + std::to_string(case_number) + ": " + title);
  free.push_back("Line 80 holds the case number; its " + std::to_string(entry->count) +
                 " values follow from line 81, in order:");
  for (std::size_t k = 0; k < entry->count; ++k) {
    const CaseField& field = entry->fields[k];
    free.push_back(padded("  " + padded(std::to_string(k + 1), 3) + field.label, 20) +
                   field.meaning + range_of(field, facts, case_number));
  }
  free.push_back(rule);
  for (std::string& line : case_notes(case_number, facts)) free.push_back(std::move(line));
  bool ivisc = false;
  for (const CaseField& field : entry->values()) ivisc = ivisc || field.integer == &Problem::IVISC;
  if (ivisc) {
    free.push_back(facts.ittc78
                       ? "IVISC: 0 no viscous correction, 1 the ITTC78 correction to full scale."
                       : "IVISC: 0 or 1; the ITTC78 correction does not apply to the " + name +
                             " series.");
  }
  free.push_back(rule);
  free.push_back("Exit status: 0 result, 1 input error, 2 bad option, 3 arithmetic error,");
  free.push_back("4 internal error, 5 no result (the reason is on standard error).");
  free.push_back(rule);
  // The rest of the 63 lines, up to the line that announces the case, is free.
  const std::size_t first_free = 17 + free.size();
  if (first_free > 78) throw std::logic_error("the template's explanations exceed 63 lines");
  free.push_back("Lines " + std::to_string(first_free + 1) +
                 " to 78 are free for your own notes; keep their number.");
  while (free.size() + 1 < 63) free.push_back("-");
  free.push_back("Case (line 80) and its values (from line 81):");

  std::string names;
  for (const CaseField& field : entry->values())
    names += std::string(names.empty() ? "" : "  ") + field.label;

  std::string text;
  for (const std::string& line : head) text += line + "\n";
  text += padded(std::to_string(number), 7) + name + " series\n";
  for (const std::string& line : free) text += line + "\n";
  text += padded(std::to_string(case_number), 7) + title +
          (refused ? " (refused for the " + name + " series)" : "") + "\n";
  text += example + "     " + names + "\n";
  text += "\n";
  text += "Line 81 holds a worked example; replace its values with your own.  Nothing\n";
  text += "after the last value is read.  The example, value by value:\n";
  std::size_t start = 0;
  for (const CaseField& field : entry->values()) {
    start = example.find_first_not_of(' ', start);
    const std::size_t end = std::min(example.find(' ', start), example.size());
    text += "   " + padded(field.label, 14) + padded(example.substr(start, end - start), 8) +
            field.meaning + "\n";
    start = end;
  }
  return text;
}

std::string case_listing() {
  std::string text;
  for (const CaseEntry& entry : case_table()) {
    text += padded(std::to_string(entry.number), 4) + entry.title + "\n";
  }
  return text;
}

}  // namespace tidewerk
