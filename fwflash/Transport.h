// What the window hands the port layer: which transport and its parameters.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace fwflash {

// Radio group order of the window: USB, COM, NET.
enum class Transport { Usb = 0, Com = 1, Net = 2 };

struct PortSelection {
  Transport transport = Transport::Usb;
  int portIndex = 0;        // index in the port list; 0 is COM1
  uint32_t baud = 19200;
  uint32_t address = 0;     // IPv4, first octet in the most significant byte
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

}  // namespace fwflash
