#include "report/warnings.h"

#include <cstdio>

namespace tidewerk {

void Warnings::add(std::string where, std::string what) {
  if (errors_) *errors_ << "Tidewerk: warning: " << where << ": " << what << '\n' << std::flush;
  all_.push_back({std::move(where), std::move(what)});
}

void warn_decimal_commas(Warnings& warnings, const std::string& source, const ReadRecord& record) {
  for (const ReadRecord::Line& line : record.lines) {
    for (const std::string& text : decimal_commas(line.text)) {
      const std::size_t comma = text.find(',');
      warnings.add(source + ", line " + std::to_string(line.number),
                   "\"" + text + "\" reads as the two values " + text.substr(0, comma) + " and " +
                       text.substr(comma + 1) + " (a decimal point is written \".\")");
    }
  }
}

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace tidewerk
