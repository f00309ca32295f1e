// Configuration frames, command by command.
#include "vprinter/escpos/ConfigFrame.h"

#include <algorithm>
#include <cstdio>

#include "vprinter/escpos/CodePage.h"

namespace vprinter::escpos {
namespace {

using Span = std::span<const std::uint8_t>;

std::string Hex(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

Ipv4 Address(Span in, size_t at) { return {in[at], in[at + 1], in[at + 2], in[at + 3]}; }

std::string Text(Span in, size_t from, size_t to) { return std::string(in.begin() + from, in.begin() + to); }

// Position of `byte` at or after `from`; npos when absent so far.
size_t Find(Span in, size_t from, std::uint8_t byte) {
  const auto it = std::find(in.begin() + std::min(from, in.size()), in.end(), byte);
  return it == in.end() ? std::string::npos : static_cast<size_t>(it - in.begin());
}

// A frame whose end is not in sight: wait, unless it already ran past kMaxFrame.
FrameResult Unended(Span in) {
  if (in.size() < kMaxFrame) return {};
  return {4, "configuration command " + Hex(in[3]) + " did not end within " + std::to_string(kMaxFrame) +
                 " bytes: dropped"};
}

FrameResult Density(Span in, Settings& s) {
  if (in[5] < 1 || in[5] > 8) return {10, "density " + std::to_string(in[5]) + " is not 1-8: ignored"};
  s.density = in[5];
  return {10, "density " + std::to_string(s.density)};
}

FrameResult CodePageFrame(Span in, Settings& s) {
  const CodePage* page = FindCodePage(in[4]);
  if (!page) return {7, "code page " + std::to_string(in[4]) + " is not in this printer: ignored"};
  s.codePage = in[4];
  return {7, "code page " + std::to_string(in[4]) + " " + page->name};
}

FrameResult Width(Span in, Settings& s) {
  const int mm = WidthMillimetres(in[6]);
  if (mm == 0) return {11, "print width index " + std::to_string(in[6]) + " is not 0-7: ignored"};
  s.widthIndex = in[6];
  s.widthDots = WidthDots(mm);
  return {11, "print width " + std::to_string(mm) + " mm: " + std::to_string(s.widthDots) + " dots"};
}

FrameResult BlackMark(Span in, Settings& s) {
  if (in[7] != 0x44 && in[7] != 0x66) return {8, "black mark switch " + Hex(in[7]) + " unknown: ignored"};
  s.blackMark = in[7] == 0x44;
  return {8, std::string("black mark ") + (s.blackMark ? "on" : "off")};
}

FrameResult MarkLength(Span in, Settings& s) {
  const int dots = in[7] | in[8] << 8;
  (in[3] == 0x81 ? s.blackMarkMaxDots : s.blackMarkWidthDots) = dots;
  return {10, std::string(in[3] == 0x81 ? "black mark max length " : "black mark width limit ") +
                  std::to_string(dots) + " dots"};
}

FrameResult Network(Span in, Settings& s) {
  switch (in[3]) {
    case 0x22: s.ip = Address(in, 4); return {8, "IP address " + Dotted(s.ip)};
    case 0xB0: s.mask = Address(in, 4); return {8, "subnet mask " + Dotted(s.mask)};
    case 0xB1: s.gateway = Address(in, 4); return {8, "gateway " + Dotted(s.gateway)};
    default:
      s.ip = Address(in, 4), s.mask = Address(in, 8), s.gateway = Address(in, 12);
      return {16, "IP address " + Dotted(s.ip) + " mask " + Dotted(s.mask) + " gateway " + Dotted(s.gateway)};
  }
}

// B3: key type, SSID, 00, key, 00; B4: the three addresses first.
FrameResult Wifi(Span in, Settings& s) {
  const size_t start = in[3] == 0xB4 ? 16 : 4;
  if (in.size() <= start) return {};
  const size_t ssidEnd = Find(in, start + 1, 0x00);
  const size_t keyEnd = ssidEnd == std::string::npos ? ssidEnd : Find(in, ssidEnd + 1, 0x00);
  if (keyEnd == std::string::npos || keyEnd >= kMaxFrame) return Unended(in);
  if (in[3] == 0xB4) Network(in.first(16), s);
  s.wifiKeyType = in[start];
  s.ssid = Text(in, start + 1, ssidEnd);
  s.wifiKey = Text(in, ssidEnd + 1, keyEnd);
  std::string note = "Wi-Fi SSID \"" + s.ssid + "\" key type " + std::to_string(s.wifiKeyType);
  if (in[3] == 0xB4) note = "IP address " + Dotted(s.ip) + " mask " + Dotted(s.mask) + " gateway " +
                            Dotted(s.gateway) + ", " + note;
  return {keyEnd + 1, note};
}

// 00 0A f v paper saving; 00 00 01 AA "text" to the Wi-Fi module; 00 00 01 F0
// is the firmware upgrade, which a printing connection does not take.
FrameResult Pass(Span in, Settings& s) {
  if (in.size() < 7) return {};
  if (in[4] == 0x0A) {
    if (in[5] > 3) return {7, "paper saving function " + Hex(in[5]) + " unknown: ignored"};
    s.paperSaving[in[5]] = in[6];
    return {7, "paper saving function " + std::to_string(in[5]) + " value " + std::to_string(in[6])};
  }
  if (in[4] == 0 && in[5] == 1 && in[6] == 0xF0) return {7, "firmware upgrade command while printing: ignored"};
  if (in[4] != 0 || in[5] != 1 || in[6] != 0xAA) return {4, "configuration command 00 " + Hex(in[4]) + " unknown"};
  if (in.size() < 8) return {};
  if (in[7] != 0x22) return {8, "Wi-Fi command without its opening quote: ignored"};
  const size_t end = Find(in, 8, 0x22);
  if (end == std::string::npos || end >= kMaxFrame) return Unended(in);
  s.atCommand = Text(in, 8, end);
  return {end + 1, "Wi-Fi module command \"" + s.atCommand + "\""};
}

// 62 "ts" CR LF "AT+NAME" name [CR LF "AT+PIN" pin] [user text] CR LF CR LF.
FrameResult Bluetooth(Span in, Settings& s) {
  static const std::string kEnd = "\r\n\r\n", kName = "ts\r\nAT+NAME", kPin = "\r\nAT+PIN";
  const std::string body(in.begin() + 4, in.end());
  if (body.size() < kName.size()) return {};
  if (body.compare(0, kName.size(), kName) != 0) return {4, "Bluetooth command without AT+NAME: ignored"};
  const size_t end = body.find(kEnd, kName.size());
  if (end == std::string::npos || end + 8 >= kMaxFrame) return Unended(in);
  std::string rest = body.substr(kName.size(), end - kName.size());
  const size_t pin = rest.find(kPin);
  const std::string name = rest.substr(0, pin);
  if (!name.empty()) s.btName = name;
  if (pin != std::string::npos) {
    s.btPin = rest.substr(pin + kPin.size());
  }
  return {4 + end + kEnd.size(), "Bluetooth name \"" + s.btName + "\" PIN " + s.btPin};
}

// 91 00 "IP" address, or 91 00 "ID" 00 77 identifier.
FrameResult OtherPortAddress(Span in, Settings& s) {
  if (in.size() < 7) return {};
  if (in[4] == 0 && in[5] == 'I' && in[6] == 'P') {
    if (in.size() < 11) return {};
    s.ip = Address(in, 7);
    return {11, "IP address " + Dotted(s.ip)};
  }
  if (in[4] == 0 && in[5] == 'I' && in[6] == 'D') {
    if (in.size() < 13) return {};
    s.identifier = Address(in, 9);
    return {13, "identifier " + Dotted(*s.identifier)};
  }
  return {4, "configuration command 91 " + Hex(in[5]) + Hex(in[6]) + " unknown"};
}

// 1F 1B 02 13 14 BA 77 L, then L characters.
FrameResult SerialNumber(Span in, Settings& s) {
  if (in.size() < 8) return {};
  if (in[3] != 0x13 || in[4] != 0x14 || in[5] != 0xBA || in[6] != 0x77) return {3, "1F 1B 02 frame unknown"};
  if (in.size() < 8u + in[7]) return {};
  s.serialNumber = Text(in, 8, 8 + in[7]);
  return {8u + in[7], "serial number \"" + s.serialNumber + "\""};
}

struct Fixed {
  std::uint8_t command;
  size_t size;  // whole frame
  FrameResult (*take)(Span, Settings&);
};

FrameResult Interface(Span in, Settings& s) {
  s.interfaceMode = in[6] ? 1 : 0;
  return {8, std::string("interface ") + (s.interfaceMode ? "COM emulation" : "USB")};
}
FrameResult Baud(Span in, Settings& s) {
  if (in[4] > 3) return {7, "baud rate index " + std::to_string(in[4]) + " is not 0-3: ignored"};
  s.baudIndex = in[4];
  return {7, "baud rate index " + std::to_string(in[4])};
}
FrameResult Dip(Span in, Settings& s) {
  s.dip = in[4];
  return {6, "DIP switches " + Hex(in[4])};
}
FrameResult Beeper(Span in, Settings& s) {
  s.beeper = in[7] == 0x08;
  return {10, std::string("beeper ") + (s.beeper ? "on" : "off")};
}
FrameResult Sensitivity(Span in, Settings& s) {
  s.sensitivity[in[7] == 0x31] = in[8];
  return {9, "sensor " + std::to_string(in[7] == 0x31) + " sensitivity " + std::to_string(in[8])};
}
FrameResult Identifier(Span in, Settings& s) {
  s.identifier = Address(in, 4);
  return {8, "identifier " + Dotted(*s.identifier)};
}
FrameResult SelfTest(Span, Settings&) { return {4, "self test", true}; }

constexpr Fixed kFixed[] = {
    {0x13, 10, Density},   {0xFF, 7, CodePageFrame}, {0xB8, 8, Interface},  {0xBE, 7, Baud},
    {0xE1, 11, Width},     {0xBF, 6, Dip},           {0x80, 8, BlackMark},  {0x81, 10, MarkLength},
    {0x82, 10, MarkLength}, {0x42, 10, Beeper},      {0x83, 9, Sensitivity}, {0x22, 8, Network},
    {0xB0, 8, Network},    {0xB1, 8, Network},       {0xB2, 16, Network},   {0x33, 8, Identifier},
    {0x67, 4, SelfTest},
};

}  // namespace

bool StartsFrame(Span in) {
  static const std::uint8_t kPrefix[] = {0x1F, 0x1B};
  for (size_t i = 0; i < in.size() && i < 3; ++i) {
    if (i < 2 ? in[i] != kPrefix[i] : in[i] != 0x1F && in[i] != 0x02) return false;
  }
  return true;
}

FrameResult TakeFrame(Span in, Settings& s) {
  // no frame is longer: its end is looked for that far and no further
  in = in.first(std::min(in.size(), kMaxFrame));
  if (in.size() < 4) return {};
  if (in[2] == 0x02) return SerialNumber(in, s);
  for (const Fixed& fixed : kFixed) {
    if (fixed.command != in[3]) continue;
    return in.size() < fixed.size ? FrameResult{} : fixed.take(in, s);
  }
  switch (in[3]) {
    case 0xB3:
    case 0xB4: return Wifi(in, s);
    case 0x00: return Pass(in, s);
    case 0x62: return Bluetooth(in, s);
    case 0x91: return OtherPortAddress(in, s);
    default: return {4, "configuration command " + Hex(in[3]) + " unknown"};
  }
}

}  // namespace vprinter::escpos
