#include "report/warnings.h"

#include <algorithm>
#include <charconv>

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
  // The digits of printf's "%.*f", without printf's work on the format and without a cut-off:
  // the longest double in fixed notation has 309 digits before the point.
  const int places = std::max(decimals, 0);
  char text[400];
  if (places <= 80) {
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, places);
    return std::string(text, written.ptr);
  }
  std::string longer(312 + static_cast<std::size_t>(places), '\0');
  const std::to_chars_result written = std::to_chars(longer.data(), longer.data() + longer.size(),
                                                     value, std::chars_format::fixed, places);
  longer.resize(static_cast<std::size_t>(written.ptr - longer.data()));
  return longer;
}

}  // namespace tidewerk
