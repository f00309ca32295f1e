// The virtual serial port driver installation: the registry reads against
// keys of the test's own, and the dialog's flow with the package installer's
// windows made by the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "FakeUsbPrinters.h"
#include "ThreadWindow.h"
#include "common/Pause.h"
#include "drvsetup/Texts.h"
#include "drvsetup/res/resource.h"
#include "drvsetup/win/ConfingDialog.h"
#include "drvsetup/win/SerialSnapshot.h"
#include "support/DialogDriver.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingPrompts.h"
#include "winui/Utf.h"

namespace {

using drvsetup::SerialEntry;

const std::wstring kSerialKey = L"Software\\KitTest\\SERIALCOMM";
const std::wstring kDeviceKey = L"Software\\KitTest\\Enum\\USB\\VID_1CBE&PID_0002";

void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

class TestKeys {
 public:
  TestKeys() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\KitTest"); }
  ~TestKeys() { RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\KitTest"); }
  void AddSerial(const wchar_t* name, const wchar_t* port) { SetText(kSerialKey, name, port); }
  void AddInstance(const std::wstring& instance, const wchar_t* port) {
    const std::wstring parameters = kDeviceKey + L"\\" + instance + L"\\Device Parameters";
    if (port) {
      SetText(parameters, L"PortName", port);
    } else {
      SetText(parameters, L"Other", L"x");
    }
  }
  // An instance without its "Device Parameters" key.
  void AddBareInstance(const std::wstring& instance) {
    SetText(kDeviceKey + L"\\" + instance, L"Other", L"x");
  }
};

std::vector<SerialEntry> Sorted(std::vector<SerialEntry> entries) {
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return entries;
}

TEST(SerialSnapshot, ReadsEveryValueOfTheKey) {
  TestKeys keys;
  EXPECT_EQ(drvsetup::SnapshotSerialPorts(kSerialKey.c_str()), std::nullopt);
  keys.AddSerial(L"\\Device\\Serial0", L"COM1");
  keys.AddSerial(L"\\Device\\VCP0", L"COM15");
  const auto entries = drvsetup::SnapshotSerialPorts(kSerialKey.c_str());
  ASSERT_TRUE(entries.has_value());
  EXPECT_EQ(Sorted(*entries), (std::vector<SerialEntry>{{"\\Device\\Serial0", "COM1"}, {"\\Device\\VCP0", "COM15"}}));
}

TEST(SerialSnapshot, VirtualComPortsByInstance) {
  TestKeys keys;
  EXPECT_EQ(drvsetup::ListVirtualComPorts(kDeviceKey.c_str()), std::nullopt);
  keys.AddInstance(L"6&1", L"COM5");
  keys.AddInstance(L"6&2", nullptr);
  keys.AddBareInstance(L"6&25");
  keys.AddInstance(L"6&3", L"COM7");
  EXPECT_EQ(drvsetup::ListVirtualComPorts(kDeviceKey.c_str()), (std::vector<std::string>{"COM5", "", "", "COM7"}));
}

std::function<void()> g_step;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) { g_step(); }

HWND FindConfing() { return testsupport::ThreadWindowTitled(L"Install Configuration"); }

class VirtualComFlow : public testing::Test {
 protected:
  ~VirtualComFlow() override {
    if (installer_) DestroyWindow(installer_);
  }

  // Chooses the virtual serial port driver and the series, then Install.
  static void ClickInstall(HWND d) {
    CheckRadioButton(d, IDC_CONFING_VIRTUAL_COM, IDC_CONFING_PRINTER_DRIVER, IDC_CONFING_VIRTUAL_COM);
    SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_CONFING_VIRTUAL_COM, BN_CLICKED), 0);
    EnableWindow(GetDlgItem(d, 1014), TRUE);
    EnableWindow(GetDlgItem(d, IDC_CONFING_INSTALL), TRUE);
    CheckDlgButton(d, 1014, BST_CHECKED);
    testsupport::Click(d, IDC_CONFING_INSTALL);
  }
  void OpenInstaller(bool finalPage) {
    installer_ = CreateWindowExW(0, L"#32770", L"drvsetupForUSB2COM V2.1", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                 nullptr, nullptr, nullptr);
    if (finalPage) CreateWindowExW(0, L"#32770", L"DPInst", WS_CHILD, 0, 0, 5, 5, installer_, nullptr, nullptr, nullptr);
  }
  void CloseInstaller() {
    DestroyWindow(installer_);
    installer_ = nullptr;
  }
  // Runs the dialog; `steps` run one per 100 ms tick on its thread; then it
  // ends once `done` holds, or after five more seconds.
  void Run(std::vector<std::function<void(HWND)>> steps, std::function<bool()> done) {
    size_t next = 0;
    int waited = 0;
    g_step = [&] {
      HWND d = FindConfing();
      if (!d) return;
      if (next < steps.size()) {
        steps[next++](d);
      } else if (done() || ++waited == 50) {
        testsupport::Click(d, IDC_CONFING_CANCEL);
      }
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, RunStep);
    drvsetup::ShowConfingDialog(nullptr, services);
    KillTimer(nullptr, timer);
  }

  std::vector<unsigned> pauses;
  kit::FunctionClock clock_{[this](unsigned ms) { pauses.push_back(ms); }};
  TestKeys keys;
  testsupport::RecordingPrompts prompts;
  testsupport::RecordingLauncher launcher;
  testsupport::FakeUsbPrinters usb;
  drvsetup::WinSpooler spooler;
  drvsetup::SetupServices services{spooler, prompts, launcher, usb, clock_, {"Windows 10", "x64"}, 1033, false,
                                   kSerialKey.c_str(), kDeviceKey.c_str()};

 private:
  HWND installer_ = nullptr;
};

TEST_F(VirtualComFlow, StartsThePackageInstallerAndNamesThePortsOfTheDevice) {
  keys.AddSerial(L"\\Device\\Serial0", L"COM1");
  services.driverRoot = "C:\\Kit de impressão";
  Run({[](HWND d) { ClickInstall(d); },
       [&](HWND d) {
         EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_CONFING_INSTALL)));
         keys.AddSerial(L"\\Device\\VCP0", L"COM5");
         keys.AddSerial(L"\\Device\\Other", L"COM9");
         keys.AddInstance(L"6&1", L"COM5");
         OpenInstaller(true);
       }},
      [&] { return !prompts.messages().empty(); });
  EXPECT_EQ(launcher.startsIn(), std::vector<std::string>{
                                "C:\\Kit de impressão\\Windows x64\\DPInst64.exe|C:\\Kit de impressão\\Windows x64\\"});
  EXPECT_EQ(prompts.messages(), std::vector<std::string>{"The created COM port is:COM5;"});
  EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 1000u), 1);
}

TEST_F(VirtualComFlow, AnInstallerClosedBeforeItsFinalPageEndsTheWatchSilently) {
  Run({[](HWND d) { ClickInstall(d); }, [&](HWND) { OpenInstaller(false); }, [](HWND) {}, [](HWND) {},
       [](HWND) {}, [](HWND) {}, [](HWND) {}, [&](HWND) { CloseInstaller(); }, [](HWND) {}, [](HWND) {},
       [](HWND) {}, [](HWND) {}, [](HWND) {}, [&](HWND) {
         keys.AddSerial(L"\\Device\\VCP0", L"COM5");
         keys.AddInstance(L"6&1", L"COM5");
         OpenInstaller(true);
       },
       [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}},
      [] { return false; });
  EXPECT_EQ(launcher.startsIn().size(), 1u);
  EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(VirtualComFlow, ASecondInstallationWatchesItsOwnInstaller) {
  const auto addPort = [&](const wchar_t* name, const std::wstring& instance, const wchar_t* port) {
    keys.AddSerial(name, port);
    keys.AddInstance(instance, port);
  };
  keys.AddSerial(L"\\Device\\Serial0", L"COM1");  // a serial port list to watch
  std::vector<std::function<void(HWND)>> steps{[](HWND d) { ClickInstall(d); },
                                                [&](HWND) {
                                                  addPort(L"\\Device\\VCP0", L"6&1", L"COM5");
                                                  OpenInstaller(true);
                                                },
                                                [](HWND) {}};
  // the first installer stays until the watch, every 500 ms, has seen its final page
  for (int tick = 0; tick < 10; ++tick) steps.push_back([](HWND) {});
  steps.push_back([&](HWND) { CloseInstaller(); });
  steps.push_back([](HWND d) { ClickInstall(d); });
  // the second installer shows its window well after the first ticks of the new watch
  for (int tick = 0; tick < 10; ++tick) steps.push_back([](HWND) {});
  steps.push_back([&](HWND) {
    addPort(L"\\Device\\VCP1", L"6&2", L"COM6");
    OpenInstaller(true);
  });
  Run(steps, [&] { return prompts.messages().size() == 2; });
  EXPECT_EQ(launcher.startsIn().size(), 2u);
  EXPECT_EQ(prompts.messages(),
            (std::vector<std::string>{"The created COM port is:COM5;", "The created COM port is:COM6;"}));
}

TEST_F(VirtualComFlow, AnInstallerThatDoesNotStartIsNamedAndNotWatched) {
  launcher.AnswerOpen(false);
  services.driverRoot = "C:\\Kit";
  Run({[](HWND d) { ClickInstall(d); },
       [&](HWND) {
         keys.AddSerial(L"\\Device\\VCP0", L"COM5");
         keys.AddInstance(L"6&1", L"COM5");
         OpenInstaller(true);
       },
       [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}, [](HWND) {}},
      [] { return true; });
  EXPECT_EQ(prompts.messages(), std::vector<std::string>{drvsetup::StartFailedMessage(
                                    "C:\\Kit\\Windows x64\\DPInst64.exe", false)});
}

}  // namespace
