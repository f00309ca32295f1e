// The Bluetooth frame, built to the length of its texts.
#include "prtbench/config/Bluetooth.h"

#include <string_view>

#include "prtbench/config/Frame.h"

namespace prtbench {
namespace {

constexpr std::uint8_t kBluetooth = 0x62;

void Append(Bytes& frame, std::string_view text) { frame.insert(frame.end(), text.begin(), text.end()); }

}  // namespace

Bytes BluetoothCommand(const BluetoothRequest& request) {
  Bytes frame = ConfigFrame(kBluetooth, {0x74, 0x73, 0x0D, 0x0A});
  Append(frame, "AT+NAME");
  if (request.nameOn) Append(frame, request.name);
  if (request.pinOn) {
    Append(frame, "\r\nAT+PIN");
    Append(frame, request.pin);
  }
  if (request.commandOn) Append(frame, request.command);
  frame.insert(frame.end(), {0x0D, 0x0A, 0x0D, 0x0A, 0x00, 0x00});
  return frame;
}

}  // namespace prtbench
