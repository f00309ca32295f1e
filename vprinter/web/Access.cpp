// The Host, Origin and file name checks.
#include "vprinter/web/Access.h"

#include <algorithm>
#include <cctype>

namespace vprinter::web {
namespace {

std::string HostPort(const Origin& own) { return own.address + ":" + std::to_string(own.port); }

// "<prefix><digits><suffix>" with one to nine digits.
bool IsNumbered(std::string_view name, std::string_view prefix, std::string_view suffix) {
  if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix)) return false;
  const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  return digits.size() <= 9 &&
         std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

bool HostAllowed(std::string_view host, const Origin& own) {
  return host == HostPort(own) || (own.port == 80 && host == own.address);
}

bool OriginAllowed(std::string_view origin, const Origin& own) {
  return origin == "http://" + HostPort(own) || (own.port == 80 && origin == "http://" + own.address);
}

std::optional<std::string> JournalFileType(std::string_view name) {
  if (IsNumbered(name, "receipt-", ".png")) return "image/png";
  if (IsNumbered(name, "receipt-", ".txt")) return "text/plain; charset=utf-8";
  if (IsNumbered(name, "conn-", ".bin") || IsNumbered(name, "firmware-", ".fmw")) return "application/octet-stream";
  return std::nullopt;
}

}  // namespace vprinter::web
