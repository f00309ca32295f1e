// What the window hands the port layer: which transport and its parameters.
#pragma once

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fwflash {

// Radio group order of the window: USB, COM, NET.
enum class Transport { Usb = 0, Com = 1, Net = 2 };

// Flow control on a serial link: the window's upgrades run without any; the
// command line can ask for the printer's CTS or for XON/XOFF.
enum class ComFlow { None, Cts, XonXoff };

struct PortSelection {
  Transport transport = Transport::Usb;
  int portIndex = 0;        // index in the port list; 0 is COM1
  uint32_t baud = 19200;
  uint32_t address = 0;     // IPv4, first octet in the most significant byte
  ComFlow flow = ComFlow::None;
};

inline constexpr uint16_t kPrinterTcpPort = 9100;
inline constexpr int kPortListSize = 20;  // COM1 to COM20
inline constexpr std::array<uint32_t, 4> kBaudValues = {9600, 19200, 38400, 115200};
inline constexpr int kDefaultBaudIndex = 1;
inline constexpr uint32_t kDefaultAddress = 0xC0A87B64;  // 192.168.123.100

// The device name of serial port `number`: "COM3" for 1 to 9, "\\\\.\\COM12"
// from 10 up (the only form that opens those).
inline std::string ComDeviceName(int number) {
  const std::string name = "COM" + std::to_string(number);
  return number >= 10 ? "\\\\.\\" + name : name;
}

// The number of the serial port named `name`, in either form ComDeviceName
// gives and in any letter case; nullopt for another name.
inline std::optional<int> ComPortNumber(std::string_view name) {
  if (name.starts_with("\\\\.\\")) name.remove_prefix(4);
  if (name.size() < 4) return std::nullopt;
  for (size_t i = 0; i < 3; ++i) {
    if ((name[i] & ~0x20) != "COM"[i]) return std::nullopt;
  }
  int number = 0;
  const std::string_view digits = name.substr(3);
  const auto [end, problem] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  // no sign, no leading zero: "COM01" and "COM-1" name no port
  if (problem != std::errc() || end != digits.data() + digits.size() || digits[0] < '1' || digits[0] > '9' ||
      number > 255) {
    return std::nullopt;
  }
  return number;
}

}  // namespace fwflash
