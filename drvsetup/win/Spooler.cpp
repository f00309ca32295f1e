// The local spooler through winspool's wide calls.
#include "drvsetup/win/Spooler.h"

#include <winspool.h>

#include "winui/Utf.h"

namespace drvsetup {
namespace {

// A wide copy that stays alive while the spooler reads it; nullptr for an
// empty text, which the spooler reads as "none".
class Wide {
 public:
  explicit Wide(std::string_view utf8) : text_(winui::Widen(utf8)) {}
  LPWSTR get() { return text_.empty() ? nullptr : text_.data(); }

 private:
  std::wstring text_;
};

}  // namespace

std::optional<std::string> WinSpooler::DriverDirectory(std::string_view environment) {
  Wide env(environment);
  wchar_t folder[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryW(nullptr, env.get(), 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed)) {
    return std::nullopt;
  }
  return winui::Narrow(folder);
}

DWORD WinSpooler::AddDriver(const DriverInfo& info) {
  Wide name(info.name), env(info.environment), driver(info.driverPath), data(info.dataFile), config(info.configFile),
      help(info.helpFile), type(info.defaultDataType);
  // the zero-separated list widens character for character, its zeros included
  std::wstring dependent = winui::Widen(info.dependentFiles);
  DRIVER_INFO_3W driverInfo{};
  driverInfo.cVersion = 3;
  driverInfo.pName = name.get();
  driverInfo.pEnvironment = env.get();
  driverInfo.pDriverPath = driver.get();
  driverInfo.pDataFile = data.get();
  driverInfo.pConfigFile = config.get();
  driverInfo.pHelpFile = help.get();
  driverInfo.pDependentFiles = dependent.data();
  driverInfo.pDefaultDataType = type.get();
  if (AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driverInfo))) return ERROR_SUCCESS;
  return GetLastError();
}

std::optional<std::vector<std::string>> WinSpooler::PrinterNames() {
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  if (EnumPrintersW(kFlags, nullptr, 2, nullptr, 0, &needed, &count)) return std::vector<std::string>{};
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(kFlags, nullptr, 2, buffer.data(), needed, &needed, &count)) return std::nullopt;
  std::vector<std::string> names;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(winui::Narrow(printers[i].pPrinterName));
  return names;
}

DWORD WinSpooler::CreatePrinter(std::string_view name, std::string_view port, std::string_view driver) {
  Wide printerName(name), portName(port), driverName(driver), processor("WinPrint"), type("RAW");
  PRINTER_INFO_2W info{};
  info.pPrinterName = printerName.get();
  info.pPortName = portName.get();
  info.pDriverName = driverName.get();
  info.pPrintProcessor = processor.get();
  info.pDatatype = type.get();
  info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) return GetLastError();
  ClosePrinter(printer);
  return ERROR_SUCCESS;
}

bool WinSpooler::MakeDefault(std::string_view name) {
  return SetDefaultPrinterW(winui::Widen(name).c_str()) != FALSE;
}

std::string SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring message(text ? text : L"", length);
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
  if (message.empty()) return "Error " + std::to_string(error);
  return winui::Narrow(message);
}

}  // namespace drvsetup
