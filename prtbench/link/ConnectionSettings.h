// The connection settings: which link prtbench uses and how it is configured,
// with the values the program holds before Printer.ini is read.
#pragma once

#include <cstdint>
#include <string>

#include "prtbench/link/Ipv4.h"

namespace prtbench {

// Port types.
inline constexpr int kPortLpt = 0;
inline constexpr int kPortCom = 1;
inline constexpr int kPortUsb = 2;
inline constexpr int kPortNet = 3;

inline constexpr Ipv4 kStartPrinterIp = MakeIpv4(192, 168, 123, 100);

// The values the Com Settings dialog edits; they live only for the run.
struct ComSettings {
  std::uint8_t byteSize = 8;  // 4..8
  std::uint8_t parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::uint8_t stopBits = 0;  // 0 one, 1 one and a half, 2 two
  int timeoutSeconds = 1;     // connect time-out, 1..30 (microseconds always 0)
  Ipv4 monitorIp = kStartPrinterIp;
  bool defaultIp = true;      // "Default IP": the monitor IP follows the Printer IP box
};

struct ConnectionSettings {
  int portType = kPortNet;
  int printerType = 2;  // 0 POS-58, 1 POS-76, 2 RX-8
  std::string comName = "COM1";
  std::string lptName = "LPT1";
  int baudRate = 9600;
  ComSettings com;
  bool ctsFlow = false;  // the flow control flag: CTS output flow control
  // the printer address as last used: set at start, at each NET open and by
  // the connection test; Printer.ini keeps it
  Ipv4 printerIp = kStartPrinterIp;
  int codePage = 936;
  int proId = 0;  // 1 shows the serial number controls
};

// Selections of the Com Settings dialog's lists, -1 for none.
struct ComListSelection {
  int byteSize = -1;  // "4".."8"
  int parity = -1;    // "None", "ODD", "EVEN", "MARK", "SPACE"
  int stopBits = -1;  // "1", "1.5", "2"
  int timeout = -1;   // "1s".."30s"
};

// What the lists show when the dialog opens.
ComListSelection ListSelectionOf(const ComSettings& settings);

// OK: the lists' choice into `settings`. A list without selection leaves its
// value as it was rather than making an impossible one (byte size 3, 0 s).
void ApplyListSelection(const ComListSelection& selection, ComSettings& settings);

}  // namespace prtbench
