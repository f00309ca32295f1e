// Reading and writing Printer.ini keys, the start-up load and the exit save.
#include "prtbench/link/PrinterIni.h"

namespace prtbench {
namespace {

// UTF-16 units of the UTF-8 sequence that starts with `lead`.
int Utf16Units(unsigned char lead) { return lead >= 0xF0 ? 2 : 1; }

size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::string CutToBuffer(std::string_view text, int buffer) {
  int room = buffer - 1;  // the terminator takes one unit
  size_t end = 0;
  while (end < text.size()) {
    const auto lead = static_cast<unsigned char>(text[end]);
    if (Utf16Units(lead) > room) break;
    room -= Utf16Units(lead);
    end += SequenceLength(lead);
  }
  return std::string(text.substr(0, end));
}

int Read(const SettingsStore& store, const IntKey& key) {
  return store.ReadInt(key.section, key.key, key.defaultValue);
}

std::string Read(const SettingsStore& store, const TextKey& key) {
  return CutToBuffer(store.ReadText(key.section, key.key, key.defaultValue), key.buffer);
}

Ipv4 Read(const SettingsStore& store, const AddressKey& key) {
  return Ipv4OrAllOnes(CutToBuffer(store.ReadText(key.section, key.key, key.defaultValue), key.buffer));
}

void Write(SettingsStore& store, const IntKey& key, int value) {
  store.WriteText(key.section, key.key, std::to_string(value));
}

void Write(SettingsStore& store, const TextKey& key, std::string_view value) {
  store.WriteText(key.section, key.key, value);
}

void Write(SettingsStore& store, const AddressKey& key, Ipv4 value) {
  store.WriteText(key.section, key.key, FormatIpv4(value));
}

MainWindowSettings LoadMainWindowSettings(const SettingsStore& store) {
  MainWindowSettings loaded;
  loaded.printerIp = Read(store, ini::kPrinterIp);
  loaded.comName = Read(store, ini::kComName);
  loaded.lptName = Read(store, ini::kLptName);
  loaded.portType = Read(store, ini::kPortSelect);
  loaded.printerType = Read(store, ini::kPrinterSelect);
  loaded.baudRate = Read(store, ini::kBaudRate);
  // ini::kLanguage only records the flag at the last exit: the program always
  // starts with English messages, whatever it says
  loaded.language = Language::English;
  loaded.codePage = Read(store, ini::kCodePage);
  loaded.proId = Read(store, ini::kProId);
  return loaded;
}

void ApplyLoaded(const MainWindowSettings& loaded, ConnectionSettings& settings) {
  settings.portType = loaded.portType;
  settings.printerType = loaded.printerType;
  settings.comName = loaded.comName;
  settings.lptName = loaded.lptName;
  settings.baudRate = loaded.baudRate;
  settings.printerIp = loaded.printerIp;
  settings.com.monitorIp = loaded.printerIp;
  settings.codePage = loaded.codePage;
  settings.proId = loaded.proId;
}

void SaveMainWindowSettings(SettingsStore& store, const MainWindowSettings& values) {
  Write(store, ini::kPrinterIp, values.printerIp);
  Write(store, ini::kComName, values.comName);
  Write(store, ini::kLptName, values.lptName);
  Write(store, ini::kPortSelect, values.portType);
  Write(store, ini::kPrinterSelect, values.printerType);
  Write(store, ini::kBaudRate, values.baudRate);
  Write(store, ini::kLanguage, static_cast<int>(values.language));
}

}  // namespace prtbench
