// The attached receipt printers' USB ports: which printer interfaces count,
// the port each got from the system, and raw pages printed on them.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/Pause.h"

namespace drvsetup {

struct AcceptedPrinter {
  std::wstring path;    // the interface's device path
  unsigned portNumber;  // n of the spooler port USBnnn
  bool operator==(const AcceptedPrinter&) const = default;
};

struct AcceptedPrinters {
  std::vector<AcceptedPrinter> printers;  // in enumeration order
  // false when the device list or an interface's detail could not be read;
  // `printers` then holds those accepted before that point
  bool complete = true;
};

// The system side, a seam for the dialog's tests.
class UsbPrinterAccess {
 public:
  virtual ~UsbPrinterAccess() = default;
  // Active interfaces of an accepted vendor with a readable port number;
  // before Windows 8 (`modernWindows` false) also connected ("Linked").
  virtual AcceptedPrinters List(bool modernWindows) = 0;
  // Writes `bytes` to the interface in one write on a thread of its own,
  // which owns its copies; returns without waiting for the print, which the
  // implementation waits for (bounded) before it goes.
  virtual void StartRawPrint(const std::wstring& path, const std::string& bytes) = 0;
};

class SystemUsbPrinters : public UsbPrinterAccess {
 public:
  // A raw print whose write moves nothing for this long gives up.
  static constexpr DWORD kStalledWriteMs = 10000;

  // `interfaceClass` lists the interfaces; the USB printer class but in tests,
  // which also shorten `stalledWriteMs`.
  explicit SystemUsbPrinters(const GUID& interfaceClass, DWORD stalledWriteMs = kStalledWriteMs);
  SystemUsbPrinters();
  // FinishRawPrints: the program does not end in the middle of a page.
  ~SystemUsbPrinters() override;
  SystemUsbPrinters(const SystemUsbPrinters&) = delete;
  SystemUsbPrinters& operator=(const SystemUsbPrinters&) = delete;
  AcceptedPrinters List(bool modernWindows) override;
  void StartRawPrint(const std::wstring& path, const std::string& bytes) override;
  // Waits for every raw print started so far, each bounded by the stalled
  // write limit; true when all of them wrote every byte.
  bool FinishRawPrints();

 private:
  GUID interfaceClass_;
  DWORD stalledWriteMs_;
  std::mutex mutex_;
  std::vector<std::thread> prints_;
  bool allWritten_ = true;
};

// The registry value `valueName` of the interface's `subkey` ("Control" or
// "Device Parameters"), at most 261 bytes; nullopt when the key or the value
// cannot be read.
std::optional<std::vector<BYTE>> ReadUsbPrinterValue(const std::wstring& devicePath, const char* subkey,
                                                     const wchar_t* valueName);

// "USBnnn" of the first accepted printer; nullopt when there is none.
std::optional<std::string> FindUsbPrinterPort(UsbPrinterAccess& usb, bool modernWindows);

// The installation test page on every accepted printer, `clock` pausing
// between the printers.
void PrintInstallTestPage(UsbPrinterAccess& usb, bool modernWindows, kit::Clock& clock);

// Check USB Port: a check page on every accepted printer, and the text to
// show: the report of their ports, "Have not found a USB printer device !"
// when there is none, nullopt when the list could not be read through.
std::optional<std::string> CheckUsbPorts(UsbPrinterAccess& usb, bool modernWindows, kit::Clock& clock);

}  // namespace drvsetup
