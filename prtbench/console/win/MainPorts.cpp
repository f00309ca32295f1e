#include "prtbench/console/win/MainPorts.h"

#include <dbt.h>

#include "common/win/UsbPrinters.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/console/win/ComSetDialog.h"
#include "prtbench/res/resource.h"

namespace prtbench {
namespace {

constexpr int kNetButtons[] = {IDC_MAIN_REFRESH, IDC_MAIN_CONNECT, IDC_MAIN_SET_IP, IDC_MAIN_SET_ID, IDC_MAIN_PING};

constexpr Msg kPortChosen[] = {Msg::PortLptChosen, Msg::PortComChosen, Msg::PortUsbChosen, Msg::PortNetChosen};

}  // namespace

MainPorts::~MainPorts() { UnregisterUsbNotices(); }

void MainPorts::RegisterUsbNotices() {
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_classguid = kit::kUsbPrinterInterfaceClass;
  usbNotices_ = RegisterDeviceNotificationW(window_.hwnd(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  if (usbNotices_) return;
  window_.prompts().Message(window_.hwnd(), window_.Text(Msg::UsbNoticesFailed),
                                      winui::MessageIcon::Information);
}

void MainPorts::UnregisterUsbNotices() {
  if (usbNotices_) UnregisterDeviceNotification(usbNotices_);
  usbNotices_ = nullptr;
}

void MainPorts::OnPortType() {
  window_.ReadWindow(false);
  const MainFields& f = window_.fields();
  window_.Post([&link = link(), portType = f.portRadio, comName = f.comName,
                lptName = f.lptName](const SendQueue::Cancelled&) {
    link.UpdateSettings([&](ConnectionSettings& s) {
      if (portType == kPortCom) s.comName = comName;
      if (portType == kPortLpt) s.lptName = lptName;
    });
    link.ClosePorts();
    link.UpdateSettings([&](ConnectionSettings& s) { s.portType = portType; });
  });
  if (f.portRadio >= 0 && f.portRadio < 4) window_.SetStatusLine(window_.Text(kPortChosen[f.portRadio]));
  ApplyEnableRules(f.portRadio);
}

void MainPorts::OnPrinterType() {
  window_.ReadWindow(false);
  link().UpdateSettings([type = window_.fields().printerRadio](ConnectionSettings& s) { s.printerType = type; });
}

void MainPorts::ApplyEnableRules(int portType) {
  if (portType < kPortLpt || portType > kPortNet) return;
  winui::Dialog& d = window_.dialog();
  const bool lpt = portType == kPortLpt;
  const bool com = portType == kPortCom;
  d.Enable(IDC_MAIN_LPT_NAME, lpt);
  d.Enable(IDC_MAIN_COM_NAME, com);
  d.Enable(IDC_MAIN_BAUD, com);
  d.Enable(IDC_MAIN_FLOW, com);
  // other port types leave the network buttons as they are
  if (portType == kPortNet) {
    for (int id : kNetButtons) d.Enable(id, true);
  }
}

void MainPorts::OnComName() {
  window_.ReadWindow(false);
  const std::string name = window_.fields().comName;
  window_.Post([this, name](const SendQueue::Cancelled&) {
    link().CloseCom();
    link().UpdateSettings([&](ConnectionSettings& s) { s.comName = name; });
    window_.context().status().Show(Fill(window_.Text(Msg::SerialPortChosen), {name}));
  });
}

void MainPorts::OnLptName() {
  window_.ReadWindow(false);
  const std::string name = window_.fields().lptName;
  window_.Post([this, name](const SendQueue::Cancelled&) {
    link().UpdateSettings([&](ConnectionSettings& s) { s.lptName = name; });
    const bool opened = link().ReopenLpt();
    window_.context().status().Show(opened ? Fill(window_.Text(Msg::LptOpened), {name})
                                           : name + window_.Text(Msg::LptInvalid));
  });
}

void MainPorts::OnBaudRate() {
  const int rate = BaudRateForIndex(window_.dialog().ComboIndex(IDC_MAIN_BAUD));
  window_.Post([this, rate](const SendQueue::Cancelled&) {
    link().UpdateSettings([&](ConnectionSettings& s) { s.baudRate = rate; });
    LineChange change;
    change.baudRate = static_cast<uint32_t>(rate);
    link().ChangeComLine(change);
    window_.context().status().Show(Fill(window_.Text(Msg::BaudRateChosen), {std::to_string(rate)}));
  });
}

void MainPorts::OnFlowControl() {
  // the CTS flag of the next open is taken from the list when printing starts
  const bool xonXoff = XonXoffForIndex(window_.dialog().ComboIndex(IDC_MAIN_FLOW));
  window_.Post([this, xonXoff](const SendQueue::Cancelled&) {
    LineChange change;
    change.xonXoff = xonXoff;
    link().ChangeComLine(change);
  });
}

void MainPorts::OnComSettings() {
  ShowComSetDialog(window_.hwnd(), window_.context(), window_.dialog().IpAddress(IDC_MAIN_PRINTER_IP));
}

bool MainPorts::OnDeviceChange(WPARAM event, LPARAM data) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
  if (event == DBT_DEVICEARRIVAL) OnUsbArrival();
  if (event == DBT_DEVICEREMOVECOMPLETE) OnUsbRemoval();
  return event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE;
}

void MainPorts::OnUsbArrival() {
  window_.Post([this](const SendQueue::Cancelled&) {
    const bool opened = link().ReopenUsb();
    window_.context().status().Show(window_.Text(opened ? Msg::UsbArrivalOpened : Msg::UsbArrivalFailed));
  });
}

void MainPorts::OnUsbRemoval() {
  window_.Post([this](const SendQueue::Cancelled&) {
    link().CloseUsb();
    window_.context().status().Show(window_.Text(Msg::UsbRemoved));
  });
}

void MainPorts::StartIdleClose() { window_.dialog().StartTimer(kIdleCloseTimer, kIdleCloseMs); }

bool MainPorts::OnTimer(UINT_PTR id) {
  if (id != kIdleCloseTimer) return false;
  window_.dialog().StopTimer(kIdleCloseTimer);
  // queued: a print still running keeps its link until it is done
  window_.Post([this](const SendQueue::Cancelled&) { link().ClosePorts(); });
  return true;
}

}  // namespace prtbench
