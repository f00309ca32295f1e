// Find, found and save packets; the records of the printers found.
#include "prtbench/nettools/Discovery.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "common/ByteReader.h"

namespace prtbench {
namespace {

constexpr std::string_view kFind = "LM0001FIND";
constexpr std::string_view kFound = "LM0001FOUND";
constexpr std::string_view kSave = "LM0001SAVE";

void AppendText(Bytes& bytes, std::string_view text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

void AppendAddress(Bytes& bytes, Ipv4 address) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(address >> shift));
}

void PutAddress(DeviceRecord& record, std::size_t offset, Ipv4 address) {
  for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<std::uint8_t>(address >> (24 - 8 * i));
}

Ipv4 GetAddress(const DeviceRecord& record, std::size_t offset) {
  return MakeIpv4(record[offset], record[offset + 1], record[offset + 2], record[offset + 3]);
}

}  // namespace

Bytes FindRequest() {
  Bytes bytes;
  AppendText(bytes, kFind);
  return bytes;
}

std::optional<FoundPrinter> ParseFoundReply(std::span<const std::uint8_t> datagram) {
  if (datagram.size() != kFoundReplySize) return std::nullopt;
  kit::ByteReader reader(datagram);
  const auto keyword = reader.Array<kFound.size()>();
  FoundPrinter printer;
  printer.mac = reader.Array<6>();
  reader.Skip(2);
  printer.ip = reader.U32Be();
  printer.mask = reader.U32Be();
  printer.gateway = reader.U32Be();
  printer.port = reader.U16Le();
  printer.dhcp = reader.U8();
  if (!reader.ok() || reader.remaining() != 0) return std::nullopt;
  if (!std::equal(keyword.begin(), keyword.end(), kFound.begin())) return std::nullopt;
  return printer;
}

DeviceRecord EncodeRecord(const FoundPrinter& printer) {
  DeviceRecord record{};
  PutAddress(record, 0, printer.ip);
  PutAddress(record, 4, printer.mask);
  std::copy(printer.mac.begin(), printer.mac.end(), record.begin() + 8);
  PutAddress(record, 14, printer.gateway);
  record[18] = static_cast<std::uint8_t>(printer.port);
  record[19] = static_cast<std::uint8_t>(printer.port >> 8);
  record[20] = printer.dhcp;
  return record;
}

FoundPrinter DecodeRecord(const DeviceRecord& record) {
  FoundPrinter printer;
  printer.ip = GetAddress(record, 0);
  printer.mask = GetAddress(record, 4);
  std::copy(record.begin() + 8, record.begin() + 14, printer.mac.begin());
  printer.gateway = GetAddress(record, 14);
  printer.port = static_cast<std::uint16_t>(record[18] + 256 * record[19]);
  printer.dhcp = record[20];
  return printer;
}

std::string MacText(const MacAddress& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  return text;
}

Bytes SaveRequest(const SaveValues& values) {
  Bytes bytes;
  AppendText(bytes, kSave);
  bytes.insert(bytes.end(), values.mac.begin(), values.mac.end());
  // nothing is defined here; the found reply's uninterpreted bytes sit at the same place
  bytes.insert(bytes.end(), {0x00, 0x00});
  for (Ipv4 address : {values.ip, values.mask, values.gateway}) AppendAddress(bytes, address);
  bytes.push_back(static_cast<std::uint8_t>(kSavedPort & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(kSavedPort >> 8));
  bytes.push_back(values.dhcp ? 1 : 0);
  return bytes;
}

unsigned FoundPrinters::NewSearch() {
  records_.clear();
  fullSaid_ = false;
  return ++search_;
}

FoundPrinters::Added FoundPrinters::Add(const FoundPrinter& printer, unsigned search) {
  const std::string mac = MacText(printer.mac);
  if (search != search_ || records_.count(mac)) return Added::Dropped;
  if (records_.size() >= kFoundPrintersCap) {
    if (fullSaid_) return Added::Dropped;
    fullSaid_ = true;
    return Added::ListFull;
  }
  records_.emplace(mac, EncodeRecord(printer));
  return Added::Yes;
}

std::optional<FoundPrinter> FoundPrinters::Find(const std::string& macText) const {
  const auto it = records_.find(macText);
  if (it == records_.end()) return std::nullopt;
  return DecodeRecord(it->second);
}

}  // namespace prtbench
