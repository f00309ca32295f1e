// prtbench's assembly (CKALDROApp): what the program is made of on the
// system and what its main window is given. Common controls, Winsock 1.1,
// the window's state and status line, the clock, the printer link with its
// shared socket and the monitor's connection on the system's devices, the
// computer's own address and its adapter through WMI; the main window run
// modally.
#include <winsock2.h>
#include <windows.h>

#include <commctrl.h>

#include "common/Pause.h"
#include "prtbench/app/WindowState.h"
#include "prtbench/app/win/StatusLine.h"
#include "prtbench/console/win/LocalAddress.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/link/MonitorConnection.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/SharedSocket.h"
#include "prtbench/link/win/IniFile.h"
#include "prtbench/link/win/SystemDevices.h"
#include "prtbench/link/win/UsbPrintInterfaces.h"
#include "prtbench/nettools/win/WmiAdapterConfigurator.h"
#include "winui/Launcher.h"
#include "winui/Prompts.h"

namespace prtbench {
namespace {

constexpr char kMessageCaption[] = "prtbench";

class CKALDROApp {
 public:
  int Run();

 private:
  // Winsock 1.1 exactly; anything else counts as no network printing.
  bool StartWinsock();

  winui::Win32Prompts prompts_{kMessageCaption};
  winui::ShellLauncher launcher_;
  SetupApiUsbInterfaces usb_;
  SystemLinkDevices devices_{usb_};
  kit::SleepingClock clock_;
  WindowState state_;
  StatusLine status_{state_};
  PrinterLink link_{devices_, status_, clock_};
  SharedSocket socket_{link_};
  MonitorConnection monitor_{devices_, clock_};
};

bool CKALDROApp::StartWinsock() {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return false;
  if (data.wVersion == MAKEWORD(1, 1)) return true;
  WSACleanup();
  return false;
}

int CKALDROApp::Run() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const bool network = StartWinsock();
  if (!network) {
    // shown in Chinese whatever the language
    prompts_.Message(nullptr, MessageText(Msg::WinsockFailed, Language::Chinese),
                     winui::MessageIcon::Information);
  }
  const DWORD windowThread = GetCurrentThreadId();
  link_.SetBusyHook([this, windowThread] {
    // workers send while the window stays free: no hourglass for them
    if (GetCurrentThreadId() == windowThread) prompts_.WaitCursor();
  });
  IniFileStore settings(SettingsFilePath());
  std::function<void()> shutDownNetwork;
  if (network) shutDownNetwork = [] { WSACleanup(); };
  CKALDRODlg window({link_, socket_, monitor_, status_, settings, prompts_, launcher_, shutDownNetwork, LocalIpv4,
                     MakeWmiAdapterConfigurator, clock_});
  window.DoModal(nullptr);
  return 0;
}

}  // namespace
}  // namespace prtbench

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  prtbench::CKALDROApp app;
  return app.Run();
}
