// What the installer's windows use of the system, gathered so that tests can
// hand in doubles: the spooler, prompts, the launcher, the USB printers, the
// clock, and the facts read once at start.
#pragma once

#include "common/Pause.h"
#include "drvsetup/win/SerialSnapshot.h"
#include "drvsetup/win/Spooler.h"
#include "drvsetup/win/SystemInfo.h"
#include "drvsetup/win/UsbPrinterPorts.h"
#include "winui/Launcher.h"
#include "winui/ProgramFolder.h"
#include "winui/Prompts.h"
#include "winui/Utf.h"

namespace drvsetup {

struct SetupServices {
  Spooler& spooler;
  winui::Prompts& prompts;
  winui::Launcher& launcher;  // also the driver package installer
  UsbPrinterAccess& usb;
  kit::Clock& clock;  // the waits for the spooler, the installer and the printers
  WindowsInfo windows;
  unsigned language;  // the user's display language
  // Windows 8 or later, once an action found so; never cleared
  bool modernWindows = false;
  // where the virtual serial port installation reads; tests point them elsewhere
  const wchar_t* serialCommKey = kSerialCommKey;
  const wchar_t* virtualComDeviceKey = kVirtualComDeviceKey;
  // the folder that holds "Windows NT x86" and "Windows x64": the program's own,
  // never the current one, whose files the spooler would load as SYSTEM
  std::string driverRoot = winui::Narrow(winui::ProgramFolder());
};

}  // namespace drvsetup
