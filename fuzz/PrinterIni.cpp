// Fuzzes Printer.ini as the program loads it: the input is the file's text,
// its values reach the settings code through the tests' in-memory store.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/Check.h"
#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/link/Ports.h"
#include "prtbench/link/PrinterIni.h"
#include "tests/native/link/FakeSettingsStore.h"

namespace {

using namespace prtbench;
using fuzz::Check;
using linktest::FakeSettingsStore;

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Roughly what the profile functions make of the file: "[Section]" opens a
// section, "key=value" gives a value with blanks and tabs trimmed, the first
// of two equal keys wins, and anything else is ignored.
void PutIniText(std::string_view text, FakeSettingsStore& store) {
  std::optional<std::string> section;
  while (!text.empty()) {
    const size_t lineEnd = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, lineEnd);
    text.remove_prefix(std::min(lineEnd + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    const size_t equals = line.find('=');
    if (line.starts_with('[')) {
      section = std::string(Trim(line.substr(1, line.find(']') - 1)));
    } else if (section && equals != std::string_view::npos) {
      const std::string key(Trim(line.substr(0, equals)));
      if (!store.Find(*section, key)) store.Put(*section, key, std::string(Trim(line.substr(equals + 1))));
    }
  }
}

// UTF-16 units of each character of `text` with the byte offset after it;
// nullopt when `text` is not well-formed UTF-8. The program's store converts
// the file's UTF-16 text, so the values it hands out always are.
struct Character {
  size_t end;
  int units;
};
std::optional<std::vector<Character>> Characters(std::string_view text) {
  std::vector<Character> characters;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return std::nullopt;
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      point = (point << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < smallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
    i += length;
    characters.push_back({i, point >= 0x10000 ? 2 : 1});
  }
  return characters;
}

// The longest run of whole characters that leaves a `buffer` of UTF-16 units
// room for its terminator.
std::string ReferenceCut(std::string_view text, const std::vector<Character>& characters, int buffer) {
  int used = 0;
  size_t end = 0;
  for (const Character& c : characters) {
    if (used + c.units > buffer - 1) break;
    used += c.units;
    end = c.end;
  }
  return std::string(text.substr(0, end));
}

// Four dot-separated groups of one to three decimal digits, each at most 255.
std::optional<Ipv4> ReferenceIpv4(std::string_view text) {
  Ipv4 address = 0;
  for (int group = 0; group < 4; ++group) {
    const size_t dot = group < 3 ? text.find('.') : text.size();
    const std::string_view digits = text.substr(0, dot);
    if (dot == std::string_view::npos || digits.empty() || digits.size() > 3) return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    const int value = std::stoi(std::string(digits));
    if (value > 255) return std::nullopt;
    address = (address << 8) | static_cast<Ipv4>(value);
    text.remove_prefix(std::min(dot + 1, text.size()));
  }
  return address;
}

std::string StoredOrDefault(const FakeSettingsStore& store, const char* section, const char* key,
                            const char* defaultValue) {
  const std::string* stored = store.Find(section, key);
  return stored ? *stored : defaultValue;
}

// A text key reads as its value cut to the buffer; any cut is a prefix that
// cuts to itself, also when the value is not UTF-8.
void CheckTextKey(const FakeSettingsStore& store, const TextKey& key) {
  const std::string value = StoredOrDefault(store, key.section, key.key, key.defaultValue);
  const std::string read = Read(store, key);
  Check(value.starts_with(read) && CutToBuffer(read, key.buffer) == read, "a text read is a prefix cut once");
  if (const auto characters = Characters(value)) {
    Check(read == ReferenceCut(value, *characters, key.buffer), "a text read is the longest cut that fits");
  }
}

// An address key reads as the cut value's address, or all ones when the cut
// value is none; whatever it reads formats and parses back to itself.
void CheckAddressKey(const FakeSettingsStore& store, const AddressKey& key) {
  const std::string value = StoredOrDefault(store, key.section, key.key, key.defaultValue);
  const Ipv4 read = Read(store, key);
  Check(ParseIpv4(FormatIpv4(read)) == read, "an address read formats and parses back");
  if (const auto characters = Characters(value)) {
    const std::string cut = ReferenceCut(value, *characters, key.buffer);
    Check(read == ReferenceIpv4(cut).value_or(kAllOnesIpv4), "an address read is the cut value's address");
  }
}

bool SameSettings(const MainWindowSettings& a, const MainWindowSettings& b) {
  return a.printerIp == b.printerIp && a.comName == b.comName && a.lptName == b.lptName &&
         a.portType == b.portType && a.printerType == b.printerType && a.baudRate == b.baudRate &&
         a.language == b.language && a.codePage == b.codePage && a.proId == b.proId;
}

// The main window's load: always English; the serial values, which the file
// does not hold, keep their start values; what exit saves loads back as it was;
// the baud rate always gives the COM link a usable write time-out.
void CheckMainWindowLoad(const FakeSettingsStore& store) {
  const MainWindowSettings loaded = LoadMainWindowSettings(store);
  Check(loaded.language == Language::English, "the load starts in English");

  ConnectionSettings settings;
  ApplyLoaded(loaded, settings);
  const ComSettings start;
  Check(settings.com.monitorIp == loaded.printerIp, "the monitor takes the printer IP");
  Check(settings.com.byteSize == start.byteSize && settings.com.parity == start.parity &&
            settings.com.stopBits == start.stopBits && settings.com.timeoutSeconds == start.timeoutSeconds,
        "the serial values keep their start values");

  // exit writes into the same file, where CodePage and ProID stay as they were
  FakeSettingsStore saved = store;
  SaveMainWindowSettings(saved, loaded);
  Check(SameSettings(LoadMainWindowSettings(saved), loaded), "what exit saves loads back");

  // the link hands the rate on as unsigned, as the line settings take it
  const auto rate = static_cast<std::uint32_t>(settings.baudRate);
  const std::uint64_t bitsPerSecond = std::max<std::uint64_t>(rate, 1);
  const std::uint64_t perByte = (2 * 12 * 1000 + bitsPerSecond - 1) / bitsPerSecond;
  const CommTimeouts timeouts = ComTimeouts(rate);
  Check(timeouts.writeMultiplier == perByte && timeouts.writeConstant == kStalledPrinterMs,
        "the COM write time-out is twice the line time of a byte, rounded up");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FakeSettingsStore store;
  PutIniText(std::string_view(reinterpret_cast<const char*>(data), size), store);

  for (const TextKey& key : {ini::kComName, ini::kLptName, ini::kBluetoothName, ini::kBluetoothPin, ini::kNetSsid,
                             ini::kNetKey}) {
    CheckTextKey(store, key);
  }
  for (const AddressKey& key : {ini::kPrinterIp, ini::kNetAddress, ini::kNetMask, ini::kNetGateway}) {
    CheckAddressKey(store, key);
  }
  CheckMainWindowLoad(store);
  return 0;
}
