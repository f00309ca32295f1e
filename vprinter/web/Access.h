// Who the page answers and what it serves: the checks every request passes
// before a handler sees it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vprinter::web {

// The page's own address as a browser names it: "127.0.0.1:8080"
// ("127.0.0.1" alone stands for port 80 too).
struct Origin {
  std::string address;
  std::uint16_t port = 0;
};

// True when a request's Host header is the address the page listens on.
// Any other name, even one that leads here (a DNS name rebound to
// 127.0.0.1), is refused: a page of another site must not read this one.
bool HostAllowed(std::string_view host, const Origin& own);

// True when a POST's Origin header is the page's own ("http://ADDR:PORT").
// A missing Origin is refused too: every browser sends one with a POST.
bool OriginAllowed(std::string_view origin, const Origin& own);

// The content type of a journal file the page may serve: conn-<n>.bin,
// receipt-<n>.png, receipt-<n>.txt, firmware-<n>.fmw. nullopt for every
// other name (no path, no other file of the folder).
std::optional<std::string> JournalFileType(std::string_view name);

}  // namespace vprinter::web
