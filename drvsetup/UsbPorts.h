// The rules of USB printer port discovery that need no system: which vendors
// count, where an interface's registry values live, the port names, the
// Check USB Port report and the raw pages printed on the printers.
#pragma once

#include <string>
#include <string_view>

namespace drvsetup {

// Characters 8 to 15 of the device path ("vid_0483" in "\\?\usb#vid_0483&...")
// equal one of the accepted vendor keys, letter case aside. A shorter path is
// never accepted.
bool IsAcceptedVendor(std::string_view devicePath);

// The registry key (under HKEY_LOCAL_MACHINE) of an interface's `subkey`
// ("Control" or "Device Parameters"): the device path with every backslash
// turned into "#", below the USB printer class.
std::string InterfaceKey(std::string_view devicePath, std::string_view subkey);

// "USB" and the port number in three digits: 1 -> "USB001", 12 -> "USB012".
std::string UsbPortName(unsigned portNumber);

// The report of Check USB Port: its heading, then one line per port.
inline constexpr std::string_view kPortReportHeading = "Your USB printer's Port is :\r\n";
std::string PortReportLine(unsigned portNumber);  // "\tUSB012 ;\r\n"

// ESC/POS bytes in code page 860: the page printed after an installation, and
// the page Check USB Port prints on the printer of port `portNumber`.
std::string InstallTestPage();
std::string CheckPage(unsigned portNumber);

}  // namespace drvsetup
