// Reads of the real spooler for the installer tests.
#include "SpoolerState.h"

#include <winspool.h>

#include "support/Unix.h"
#include "winui/Utf.h"

namespace testsupport {
namespace {

std::string FileName(const wchar_t* path) {
  const std::string text = winui::Narrow(path ? path : L"");
  const size_t slash = text.find_last_of('\\');
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

std::vector<BYTE> Get(HANDLE printer, DWORD level) {
  DWORD needed = 0;
  GetPrinterW(printer, level, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, level, buffer.data(), needed, &needed)) buffer.clear();
  return buffer;
}

}  // namespace

std::vector<std::string> SpoolerPrinterNames() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  std::vector<std::string> names;
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed, &needed, &count)) {
    return names;
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(winui::Narrow(printers[i].pPrinterName));
  return names;
}

std::optional<PrinterState> Printer(const std::string& name) {
  HANDLE printer = nullptr;
  std::wstring wide = winui::Widen(name);
  if (!OpenPrinterW(wide.data(), &printer, nullptr)) return std::nullopt;
  const auto buffer = Get(printer, 2);
  ClosePrinter(printer);
  if (buffer.empty()) return std::nullopt;
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  return PrinterState{winui::Narrow(info->pPortName), winui::Narrow(info->pDriverName),
                      winui::Narrow(info->pPrintProcessor), winui::Narrow(info->pDatatype)};
}

std::optional<DriverState> Driver(const std::string& printerName, const std::string& environment) {
  HANDLE printer = nullptr;
  std::wstring wide = winui::Widen(printerName), env = winui::Widen(environment);
  if (!OpenPrinterW(wide.data(), &printer, nullptr)) return std::nullopt;
  DWORD needed = 0;
  GetPrinterDriverW(printer, env.data(), 3, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  const bool read = GetPrinterDriverW(printer, env.data(), 3, buffer.data(), needed, &needed);
  ClosePrinter(printer);
  if (!read) return std::nullopt;
  const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
  DriverState state{FileName(info->pDataFile), {}};
  for (const wchar_t* file = info->pDependentFiles; file && *file; file += wcslen(file) + 1) {
    state.dependentFiles.push_back(FileName(file));
  }
  return state;
}

std::string DefaultPrinter() {
  wchar_t name[512] = {};
  DWORD size = 512;
  if (!GetDefaultPrinterW(name, &size)) return {};
  return winui::Narrow(name);
}

void DeletePrinterNamed(const std::string& name) {
  HANDLE printer = nullptr;
  std::wstring wide = winui::Widen(name);
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(wide.data(), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
}

void DeletePrinters(const std::string& prefix) {
  for (const auto& name : SpoolerPrinterNames()) {
    if (name.compare(0, prefix.size(), prefix) == 0) DeletePrinterNamed(name);
  }
}

DriverSourceFolder::DriverSourceFolder(const std::string& folder, const std::vector<std::string>& files) {
  const std::string root = MakeTempDir();
  root_ = winui::Narrow(WindowsPath(root));
  folder_ = WindowsPath(root) + L"\\" + winui::Widen(folder);
  CreateDirectoryW(folder_.c_str(), nullptr);
  for (const auto& file : files) WriteFile(root + "/" + folder + "/" + file, "dummy " + file);
}

void DriverSourceFolder::Remove(const std::string& file) {
  DeleteFileW((folder_ + L"\\" + winui::Widen(file)).c_str());
}

}  // namespace testsupport
