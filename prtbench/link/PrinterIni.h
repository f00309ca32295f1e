// Printer.ini: every section, key, default and value format, the read and
// write operations all dialogs use, the main window's load at start-up and
// its save at exit.
#pragma once

#include <string>
#include <string_view>

#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/link/Ipv4.h"
#include "prtbench/base/Messages.h"
#include "prtbench/link/SettingsStore.h"

namespace prtbench {

// Text keys are read into buffers of 40 or 128 characters: values keep at most
// 39 or 127 UTF-16 units.
inline constexpr int kShortTextBuffer = 40;
inline constexpr int kTextBuffer = 128;

struct IntKey {
  const char* section;
  const char* key;
  int defaultValue;
};
struct TextKey {
  const char* section;
  const char* key;
  const char* defaultValue;
  int buffer = kTextBuffer;
};
// Written "%d.%d.%d.%d"; read as text, and text that is no address reads as
// 255.255.255.255.
struct AddressKey {
  const char* section;
  const char* key;
  const char* defaultValue;
  int buffer = kTextBuffer;
};

namespace ini {
// The main window's keys, in the order it reads and writes them.
inline constexpr AddressKey kPrinterIp{"Printer Address", "IP", "192.168.123.100", kShortTextBuffer};
inline constexpr TextKey kComName{"Port Name", "Com Name", "COM1", kShortTextBuffer};
inline constexpr TextKey kLptName{"Port Name", "Lpt Name", "LPT1", kShortTextBuffer};
inline constexpr IntKey kPortSelect{"Printer Set", "Port Select", 3};
inline constexpr IntKey kPrinterSelect{"Printer Set", "Printer Select", 2};
inline constexpr IntKey kBaudRate{"Printer Set", "BaudRate Select", 9600};
inline constexpr IntKey kLanguage{"Language Select", "Language", 1};
inline constexpr IntKey kCodePage{"CodePage Select", "CodePage", 936};  // written by the advanced settings
inline constexpr IntKey kProId{"Power By Tav 2021", "ProID", 0};        // never written

// Black mark dialog.
inline constexpr IntKey kBlackMarkCut{"SET", "BLMLCUT", 20};
inline constexpr IntKey kBlackMarkPrintCut{"SET", "BLMPRTCUT", 20};
inline constexpr IntKey kBlackMarkMax{"SET", "BLMMAX", 300};
inline constexpr IntKey kBlackMarkWidth{"SET", "BLMWITCH", 10};
// DIP switch dialogs: switch bits.
inline constexpr IntKey kDipP76E{"SET", "P76ESW", 0};
inline constexpr IntKey kDip58{"SET", "P58SW", 0};
inline constexpr IntKey kDip80{"SET", "P80SW", 0};
// Bluetooth dialog.
inline constexpr TextKey kBluetoothName{"SET", "BtName", "Quillon384"};
inline constexpr TextKey kBluetoothPin{"SET", "BtPinKey", "486239"};
// Network settings dialog.
inline constexpr AddressKey kNetAddress{"NET", "IPADDR", "192.168.123.100"};
inline constexpr AddressKey kNetMask{"NET", "MASK", "255.255.255.0"};
inline constexpr AddressKey kNetGateway{"NET", "GATE", "192.168.123.1"};
inline constexpr TextKey kNetSsid{"NET", "SSID", "Quillon384"};
inline constexpr TextKey kNetKey{"NET", "KEY", "Quillon384"};
inline constexpr IntKey kNetKeyType{"NET", "KEYT", 6};
}  // namespace ini

// `text` cut as a buffer of `buffer` UTF-16 units cuts it (room for the
// terminator), without splitting a character.
std::string CutToBuffer(std::string_view text, int buffer);

int Read(const SettingsStore& store, const IntKey& key);
std::string Read(const SettingsStore& store, const TextKey& key);
Ipv4 Read(const SettingsStore& store, const AddressKey& key);
void Write(SettingsStore& store, const IntKey& key, int value);  // "%d"
void Write(SettingsStore& store, const TextKey& key, std::string_view value);
void Write(SettingsStore& store, const AddressKey& key, Ipv4 value);  // "%d.%d.%d.%d"

// The main window's values as Printer.ini gives them at start-up (language
// already forced to English), and as it writes them at exit.
struct MainWindowSettings {
  Ipv4 printerIp = kStartPrinterIp;
  std::string comName = "COM1";
  std::string lptName = "LPT1";
  int portType = kPortNet;
  int printerType = 2;
  int baudRate = 9600;
  Language language = Language::English;
  int codePage = 936;
  int proId = 0;
};

// Start-up: reads the keys in the main window's order. The stored language is
// read but the program always starts in English (Language::English).
MainWindowSettings LoadMainWindowSettings(const SettingsStore& store);

// The loaded values into the connection settings; the monitor IP takes the
// printer IP. The main window then shows them and reads its controls back
// (a COM or LPT name that begins no list entry reads back empty).
void ApplyLoaded(const MainWindowSettings& loaded, ConnectionSettings& settings);

// Exit: writes the seven main-window keys in table order (IP, Com Name,
// Lpt Name, Port Select, Printer Select, BaudRate Select, Language); CodePage
// and ProID are not written. The IP to save is the printer address as last
// used (PrinterLink::Settings().printerIp), not what the box shows now.
void SaveMainWindowSettings(SettingsStore& store, const MainWindowSettings& values);

}  // namespace prtbench
