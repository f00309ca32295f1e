// Find, found and save as the printer sees them.
#include "vprinter/Discovery.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vprinter {
namespace {

constexpr char kFind[] = "LM0001FIND";    // 10 bytes
constexpr char kSave[] = "LM0001SAVE";    // 10 bytes, then the record: 33 in all
constexpr char kFound[] = "LM0001FOUND";  // 11 bytes, then the record: 34 in all
constexpr size_t kSaveSize = 33;

bool Is(std::span<const std::uint8_t> datagram, const char* keyword, size_t size) {
  return datagram.size() == size && std::memcmp(datagram.data(), keyword, std::strlen(keyword)) == 0;
}

void Put(std::vector<std::uint8_t>& out, const escpos::Ipv4& address) {
  out.insert(out.end(), address.begin(), address.end());
}

escpos::Ipv4 AddressAt(std::span<const std::uint8_t> datagram, size_t offset) {
  return {datagram[offset], datagram[offset + 1], datagram[offset + 2], datagram[offset + 3]};
}

}  // namespace

std::optional<Mac> ParseMac(const std::string& text) {
  Mac mac{};
  unsigned parts[6];
  char separators[5];
  int used = 0;
  if (text.size() != 17 ||
      std::sscanf(text.c_str(), "%2x%c%2x%c%2x%c%2x%c%2x%c%2x%n", &parts[0], &separators[0], &parts[1], &separators[1],
                  &parts[2], &separators[2], &parts[3], &separators[3], &parts[4], &separators[4], &parts[5],
                  &used) != 11 ||
      used != 17) {
    return std::nullopt;
  }
  for (char separator : separators) {
    if (separator != '-' && separator != ':') return std::nullopt;
  }
  for (int i = 0; i < 6; ++i) mac[i] = static_cast<std::uint8_t>(parts[i]);
  return mac;
}

std::string MacText(const Mac& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

std::optional<std::vector<std::uint8_t>> DiscoveryResponder::OnDatagram(std::span<const std::uint8_t> datagram,
                                                                        const std::string& peer) {
  if (Is(datagram, kFind, std::strlen(kFind))) {
    log_.Note("discovery: find from " + peer + ", answered");
    return FoundReply();
  }
  if (Is(datagram, kSave, kSaveSize)) {
    TakeSave(datagram, peer);
    return std::nullopt;
  }
  // our own found reply comes back to us, and other printers' too
  if (!Is(datagram, kFound, 34))
    log_.Note("discovery: " + std::to_string(datagram.size()) + " bytes from " + peer + " ignored");
  return std::nullopt;
}

std::vector<std::uint8_t> DiscoveryResponder::FoundReply() const {
  std::vector<std::uint8_t> reply(kFound, kFound + std::strlen(kFound));
  reply.insert(reply.end(), identity_.mac.begin(), identity_.mac.end());
  reply.insert(reply.end(), {0x00, 0x00});
  Put(reply, settings_.ip);
  Put(reply, settings_.mask);
  Put(reply, settings_.gateway);
  reply.push_back(static_cast<std::uint8_t>(identity_.port & 0xFF));
  reply.push_back(static_cast<std::uint8_t>(identity_.port >> 8));
  reply.push_back(identity_.dhcp ? 1 : 0);
  return reply;
}

void DiscoveryResponder::TakeSave(std::span<const std::uint8_t> datagram, const std::string& peer) {
  if (!std::equal(identity_.mac.begin(), identity_.mac.end(), datagram.begin() + 10)) {
    log_.Note("discovery: save from " + peer + " for another printer ignored");
    return;
  }
  settings_.ip = AddressAt(datagram, 18);
  settings_.mask = AddressAt(datagram, 22);
  settings_.gateway = AddressAt(datagram, 26);
  identity_.dhcp = datagram[32] != 0;
  log_.Note("discovery: save from " + peer + ": " + RecordText());
}

std::string DiscoveryResponder::RecordText() const {
  return "mac " + MacText(identity_.mac) + " ip " + escpos::Dotted(settings_.ip) + " mask " +
         escpos::Dotted(settings_.mask) + " gateway " + escpos::Dotted(settings_.gateway) + " port " +
         std::to_string(identity_.port) + " dhcp " + (identity_.dhcp ? "1" : "0");
}

}  // namespace vprinter
