// The printer's Bluetooth module: name, PIN and a free command, sent as AT
// commands that the printer passes on.
#pragma once

#include <string>

#include "prtbench/base/Bytes.h"

namespace prtbench {

// Texts already in the code page the printer gets (the system ANSI page).
struct BluetoothRequest {
  bool nameOn = true;
  bool pinOn = true;
  bool commandOn = false;
  std::string name;
  std::string pin;
  std::string command;  // sent as typed, line breaks included
};

// 1F 1B 1F 62 74 73 0D 0A "AT+NAME" [name] [0D 0A "AT+PIN" pin] [command]
// 0D 0A 0D 0A 00 00. "AT+NAME" goes even with the name off. The frame grows
// with its texts: there is no length limit, so a very long name or command is
// sent whole in the one frame.
Bytes BluetoothCommand(const BluetoothRequest& request);

}  // namespace prtbench
