// [QR] values from their texts.
#include "encodeqr/Settings.h"

#include <array>

namespace encodeqr {

Ecc EccFromText(std::string_view text) {
  constexpr std::array<std::pair<std::string_view, Ecc>, 4> kLevels{
      {{"7%", Ecc::Low}, {"15%", Ecc::Medium}, {"25%", Ecc::Quartile}, {"30%", Ecc::High}}};
  for (const auto& [name, level] : kLevels) {
    if (text == name) return level;
  }
  return Ecc::Quartile;
}

int ScaleFromText(std::string_view text) {
  if (text.empty() || text.size() > 2) return kDefaultScale;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return kDefaultScale;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= kMaxScale ? value : kDefaultScale;
}

std::string UndoubleBackslashes(std::string_view doubled) {
  std::string path;
  for (size_t i = 0; i < doubled.size(); ++i) {
    path += doubled[i];
    if (doubled[i] == '\\' && i + 1 < doubled.size() && doubled[i + 1] == '\\') ++i;
  }
  return path;
}

}  // namespace encodeqr
