// The broadcast protocol on UDP port 9000 that finds printers and gives one
// new address settings: the find request, the found reply, the device record
// the list keeps per printer, and the save request. No acknowledgement
// exists: a printer that misses a save keeps its settings.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>

#include "prtbench/base/Bytes.h"
#include "prtbench/link/Ipv4.h"

namespace prtbench {

inline constexpr std::uint16_t kDiscoveryPort = 9000;  // both ends
inline constexpr std::size_t kFoundReplySize = 34;
inline constexpr std::size_t kSaveRequestSize = 33;
inline constexpr std::size_t kDeviceRecordSize = 21;
inline constexpr std::size_t kDiscoveryReceiveSize = 256;  // one datagram's buffer
inline constexpr std::uint16_t kSavedPort = 9100;          // what every save sends

using MacAddress = std::array<std::uint8_t, 6>;

// What one printer reported.
struct FoundPrinter {
  MacAddress mac{};
  Ipv4 ip = 0;
  Ipv4 mask = 0;
  Ipv4 gateway = 0;
  std::uint16_t port = 0;
  std::uint8_t dhcp = 0;  // 0 or 1 as the printer sent it
  bool operator==(const FoundPrinter&) const = default;
};

// The 10 bytes "LM0001FIND", broadcast to 255.255.255.255:9000.
Bytes FindRequest();

// A found reply: exactly 34 bytes, "LM0001FOUND", MAC (6), 2 bytes not
// interpreted, IP, mask, gateway (4 each, first octet first), port (2,
// little-endian), DHCP flag (1). nullopt for anything else, which the
// search ignores.
std::optional<FoundPrinter> ParseFoundReply(std::span<const std::uint8_t> datagram);

// The record a list line keeps: IP (0-3), mask (4-7), MAC (8-13), gateway
// (14-17), port little-endian (18-19), DHCP (20).
using DeviceRecord = std::array<std::uint8_t, kDeviceRecordSize>;
DeviceRecord EncodeRecord(const FoundPrinter& printer);
FoundPrinter DecodeRecord(const DeviceRecord& record);

// "%02X-%02X-%02X-%02X-%02X-%02X": a list line's text.
std::string MacText(const MacAddress& mac);

// The dialog's fields that a save carries.
struct SaveValues {
  MacAddress mac{};
  Ipv4 ip = 0;
  Ipv4 mask = 0;
  Ipv4 gateway = 0;
  bool dhcp = false;
};
// The 33 bytes "LM0001SAVE", MAC, 00 00, IP, mask, gateway, 8C 23 (port 9100
// whatever the dialog's port field shows), DHCP 0 or 1.
Bytes SaveRequest(const SaveValues& values);

// A flood of answers with made-up MACs must not grow the list without end.
inline constexpr std::size_t kFoundPrintersCap = 256;

// The printers found by the latest search, one per MAC address, each with the
// record of its first reply; the list box shows their MAC texts.
class FoundPrinters {
 public:
  // Empties the list for a new search and returns its number. Replies to an
  // earlier search, still on their way to the window, are refused after it.
  unsigned NewSearch();

  enum class Added {
    Yes,
    Dropped,   // of an earlier search, or its MAC is listed already (the first record stays)
    ListFull,  // the first new printer the full list refuses in this search: say so once
  };
  Added Add(const FoundPrinter& printer, unsigned search);
  // The record of the line whose text is `macText`; nullopt if none.
  std::optional<FoundPrinter> Find(const std::string& macText) const;
  std::size_t size() const { return records_.size(); }

 private:
  std::map<std::string, DeviceRecord> records_;
  unsigned search_ = 0;
  bool fullSaid_ = false;
};

}  // namespace prtbench
