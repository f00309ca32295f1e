// How long the main window takes to go once it is closed while its work
// runs: a COM job in flight at 9600 baud, the status monitor retrying a
// printer that does not answer, a Set New IP whose adapter move is in its
// 5 s wait. The target is 0.5 s in each case. The link devices and the
// adapter are the tests' doubles; the COM double takes bytes at the line
// rate of 9600 baud and stops at an abort, as a port does, and each connect
// attempt of the silent printer lasts its 1 s time-out unless stopped.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "FakeAdapterConfigurator.h"
#include "FakeLinkDevices.h"
#include "FakeSettingsStore.h"
#include "common/Pause.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/link/Connect.h"
#include "prtbench/link/Ports.h"
#include "prtbench/nettools/NetMonitor.h"
#include "prtbench/res/resource.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kBytesPerSecondAt9600 = 960;  // ten bits a byte

// The window on doubles; what each case starts before the close.
struct Bench {
  linktest::FakeLinkDevices devices;
  kit::SleepingClock clock;  // the waits a close must cut short are real ones
  prtbench::WindowState state;
  prtbench::StatusLine status{state};
  prtbench::PrinterLink link{devices, status, clock};
  prtbench::SharedSocket socket{link};
  prtbench::MonitorConnection monitor{devices, clock};
  linktest::FakeSettingsStore store;
  testsupport::RecordingPrompts prompts;
  testsupport::RecordingLauncher launcher;
  nettest::FakeAdapterConfigurator adapter;
  std::unique_ptr<winui::Modeless<prtbench::CKALDRODlg>> window;

  HWND Open() {
    prtbench::MainWindowServices services{link, socket, monitor, status, store, prompts, launcher, {},
                                          [] { return prtbench::MakeIpv4(192, 168, 1, 20); },
                                          [this] { return std::make_unique<nettest::LentAdapter>(adapter); }, clock};
    window = std::make_unique<winui::Modeless<prtbench::CKALDRODlg>>(services);
    return window->Create(nullptr);
  }
};

void PumpFor(unsigned milliseconds) {
  const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  }
}

// Each write (one piece of the job) lasts as long as its bytes take on the
// line, unless aborted.
void PaceAt9600(Bench& bench) {
  bench.devices.onWrite = [&devices = bench.devices] {
    const auto pieceMs = static_cast<unsigned>(1000 * prtbench::ComPieceSize(9600) / kBytesPerSecondAt9600);
    for (unsigned waited = 0; waited < pieceMs; waited += 10) {
      const auto log = devices.Log();
      if (std::any_of(log.begin(), log.end(), [](const std::string& e) { return e.rfind("abort ", 0) == 0; })) return;
      Sleep(10);
    }
  };
}

// Runs one case: `start` begins the work, 1.75 s pass, then the close: a
// quarter into the monitor's second 1 s connect attempt, which follows its
// first and the 500 ms pause.
double SecondsToClose(const char* name, const std::function<void(Bench&)>& prepare,
                      const std::function<void(Bench&, HWND)>& start) {
  Bench bench;
  prepare(bench);
  const HWND main = bench.Open();
  if (!main) {
    std::printf("%s: the window did not open\n", name);
    return -1;
  }
  start(bench, main);
  PumpFor(1750);
  const auto closed = Clock::now();
  DestroyWindow(main);
  const double seconds = std::chrono::duration<double>(Clock::now() - closed).count();
  bench.window.reset();
  std::printf("%-40s %.3f s (target 0.5 s)\n", name, seconds);
  std::fflush(stdout);
  return seconds;
}

void Click(HWND dialog, int id) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // one case alone by its number (1 to 3), or all of them
  const int only = argc > 1 ? _wtoi(argv[1]) : 0;
  if (only == 0 || only == 1) SecondsToClose(
      "COM job in flight at 9600 baud",
      [](Bench& bench) {
        bench.store.Put("Printer Set", "Port Select", "1");
        bench.store.Put("Printer Set", "BaudRate Select", "9600");
        PaceAt9600(bench);
      },
      [](Bench&, HWND main) {
        // about three seconds on the line: still in flight at the close
        SetDlgItemTextW(main, IDC_MAIN_CONTENT, std::wstring(3000, L'x').c_str());
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_PRINT, BN_CLICKED), 0);
      });
  if (only == 0 || only == 2) SecondsToClose(
      "monitor retrying a silent printer",
      [](Bench& bench) {
        bench.store.Put("Printer Address", "IP", "127.0.0.77");
        bench.devices.attempts.assign(1000, prtbench::AttemptResult::TimedOut);
        // each attempt waits its whole time-out for an answer that never comes
        bench.devices.onConnect = [](const std::function<bool()>& stop) {
          prtbench::WaitForConnect(prtbench::kMonitorConnectTimeout, stop, [](unsigned ms) {
            Sleep(ms);
            return 0;
          });
        };
      },
      [](Bench&, HWND main) {
        // the window's own monitor, as its button opens it
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_NET_MONITOR, BN_CLICKED), 0);
        const HWND monitor = FindWindowW(nullptr, L"Net Monitoring");
        Click(monitor, IDC_NETMONITOR_START);
      });
  if (only == 0 || only == 3) SecondsToClose(
      "Set New IP with the adapter moved",
      [](Bench& bench) {
        bench.store.Put("Printer Address", "IP", "192.168.123.100");
        bench.adapter.adapter = prtbench::AdapterSettings{};
      },
      [](Bench&, HWND main) { PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_MAIN_SET_IP, BN_CLICKED), 0); });
  return 0;
}
