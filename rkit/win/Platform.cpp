// rkit's services on Windows: the bench tool's Win32 link devices (SetupAPI's
// USB printer list among them), the updater's serial link for upgrades and
// Winsock's datagrams.
#include <winsock2.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#include <stdio.h>

#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/link/win/SystemDevices.h"
#include "prtbench/link/win/UsbPrintInterfaces.h"
#include "prtbench/nettools/win/WinsockDatagrams.h"
#include "rkit/Platform.h"
#include "rkit/win/ComUpgradePort.h"

namespace rkit {
namespace {

class WindowsPlatform final : public Platform {
 public:
  WindowsPlatform() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    // print reads standard input byte for byte: no CR LF folding, no end at Ctrl-Z
    _setmode(_fileno(stdin), _O_BINARY);
  }
  ~WindowsPlatform() override {
    if (started_) WSACleanup();
  }
  prtbench::LinkDevices& devices() override { return devices_; }
  prtbench::DatagramSockets& datagrams() override { return datagrams_; }
  // The bench tool's Win32 devices only write: the upgrade goes over TCP, or
  // over a serial port through the updater's own port layer.
  DeviceReads* deviceReads() override { return nullptr; }
  std::unique_ptr<UpgradePort> UpgradePortFor(const LinkChoice& choice, kit::Clock& clock) override {
    if (choice.kind != LinkKind::Serial) return nullptr;
    return std::make_unique<ComUpgradePort>(choice, clock);
  }
  std::optional<prtbench::DecodedImage> ReadPicture(const std::string& path) override {
    return prtbench::ReadImageFile(path);
  }
  bool ErrorIsTerminal() const override { return _isatty(_fileno(stderr)) != 0; }

 private:
  bool started_ = false;
  prtbench::SetupApiUsbInterfaces usb_;
  prtbench::SystemLinkDevices devices_{usb_};
  prtbench::WinsockDatagramSockets datagrams_;
};

}  // namespace

std::unique_ptr<Platform> MakePlatform() { return std::make_unique<WindowsPlatform>(); }

// The command line as Windows holds it, in UTF-16, rather than argv's ANSI
// code page, which loses the characters it lacks.
std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string arg(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
    args.push_back(std::move(arg));
  }
  LocalFree(wide);
  return args;
}

}  // namespace rkit
