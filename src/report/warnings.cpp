#include "report/warnings.h"

#include <cstdio>

namespace tidewerk {

void Warnings::add(std::string where, std::string what) {
  if (errors_) *errors_ << "Tidewerk: warning: " << where << ": " << what << '\n' << std::flush;
  all_.push_back({std::move(where), std::move(what)});
}

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace tidewerk
