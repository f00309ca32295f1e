// The main window's port controls, their enable rules, USB printer notices
// and the two timers. Link changes go through the send queue, behind any
// send the user asked for earlier.
#include "prtbench/console/win/MainDialog.h"

#include <dbt.h>

#include <ctime>

#include "prtbench/console/PortChoices.h"
#include "prtbench/console/win/ComSetDialog.h"
#include "prtbench/res/resource.h"

namespace prtbench {
namespace {


constexpr int kNetButtons[] = {IDC_MAIN_REFRESH, IDC_MAIN_CONNECT, IDC_MAIN_SET_IP, IDC_MAIN_SET_ID, IDC_MAIN_PING};

constexpr Msg kPortChosen[] = {Msg::PortLptChosen, Msg::PortComChosen, Msg::PortUsbChosen, Msg::PortNetChosen};

}  // namespace

void CKALDRODlg::OnPortType() {
  ReadWindow(false);
  const int portType = portRadio_;
  const std::string comName = comName_;
  const std::string lptName = lptName_;
  Post([this, portType, comName, lptName](const SendQueue::Cancelled&) {
    link_.UpdateSettings([&](ConnectionSettings& s) {
      if (portType == kPortCom) s.comName = comName;
      if (portType == kPortLpt) s.lptName = lptName;
    });
    link_.ClosePorts();
    link_.UpdateSettings([&](ConnectionSettings& s) { s.portType = portType; });
  });
  if (portType >= 0 && portType < 4) SetStatusLine(Text(kPortChosen[portType]));
  ApplyEnableRules(portType);
}

void CKALDRODlg::OnPrinterType() {
  ReadWindow(false);
  link_.UpdateSettings([type = printerRadio_](ConnectionSettings& s) { s.printerType = type; });
}

void CKALDRODlg::ApplyEnableRules(int portType) {
  if (portType < kPortLpt || portType > kPortNet) return;
  const bool lpt = portType == kPortLpt;
  const bool com = portType == kPortCom;
  Enable(IDC_MAIN_LPT_NAME, lpt);
  Enable(IDC_MAIN_COM_NAME, com);
  Enable(IDC_MAIN_BAUD, com);
  Enable(IDC_MAIN_FLOW, com);
  // other port types leave the network buttons as they are
  if (portType == kPortNet) {
    for (int id : kNetButtons) Enable(id, true);
  }
}

void CKALDRODlg::OnComName() {
  ReadWindow(false);
  Post([this, name = comName_](const SendQueue::Cancelled&) {
    link_.CloseCom();
    link_.UpdateSettings([&](ConnectionSettings& s) { s.comName = name; });
    status_.Show(Fill(Text(Msg::SerialPortChosen), {name}));
  });
}

void CKALDRODlg::OnLptName() {
  ReadWindow(false);
  Post([this, name = lptName_](const SendQueue::Cancelled&) {
    link_.UpdateSettings([&](ConnectionSettings& s) { s.lptName = name; });
    const bool opened = link_.ReopenLpt();
    status_.Show(opened ? Fill(Text(Msg::LptOpened), {name}) : name + Text(Msg::LptInvalid));
  });
}

void CKALDRODlg::OnBaudRate() {
  const int rate = BaudRateForIndex(ComboIndex(IDC_MAIN_BAUD));
  Post([this, rate](const SendQueue::Cancelled&) {
    link_.UpdateSettings([&](ConnectionSettings& s) { s.baudRate = rate; });
    LineChange change;
    change.baudRate = static_cast<uint32_t>(rate);
    link_.ChangeComLine(change);
    status_.Show(Fill(Text(Msg::BaudRateChosen), {std::to_string(rate)}));
  });
}

void CKALDRODlg::OnFlowControl() {
  // the CTS flag of the next open is taken from the list when printing starts
  const bool xonXoff = XonXoffForIndex(ComboIndex(IDC_MAIN_FLOW));
  Post([this, xonXoff](const SendQueue::Cancelled&) {
    LineChange change;
    change.xonXoff = xonXoff;
    link_.ChangeComLine(change);
  });
}

void CKALDRODlg::OnComSettings() {
  ShowComSetDialog(hwnd(), context_, IpAddress(IDC_MAIN_PRINTER_IP));
}

bool CKALDRODlg::OnDeviceChange(WPARAM event, LPARAM data) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return false;
  if (event == DBT_DEVICEARRIVAL) OnUsbArrival();
  if (event == DBT_DEVICEREMOVECOMPLETE) OnUsbRemoval();
  return event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE;
}

void CKALDRODlg::OnUsbArrival() {
  Post([this](const SendQueue::Cancelled&) {
    const bool opened = link_.ReopenUsb();
    status_.Show(Text(opened ? Msg::UsbArrivalOpened : Msg::UsbArrivalFailed));
  });
}

void CKALDRODlg::OnUsbRemoval() {
  Post([this](const SendQueue::Cancelled&) {
    link_.CloseUsb();
    status_.Show(Text(Msg::UsbRemoved));
  });
}

void CKALDRODlg::OnTimer(UINT_PTR id) {
  if (id == kIdleCloseTimer) OnIdleClose();
  if (id == kClockTimer) OnClock();
}

void CKALDRODlg::StartIdleClose() { StartTimer(kIdleCloseTimer, kIdleCloseMs); }

void CKALDRODlg::OnIdleClose() {
  StopTimer(kIdleCloseTimer);
  // queued: a print still running keeps its link until it is done
  Post([this](const SendQueue::Cancelled&) { link_.ClosePorts(); });
}

void CKALDRODlg::OnClock() {
  const std::time_t now = std::time(nullptr);
  char text[128] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
  dateText_ = text;
  SetText(IDC_MAIN_DATE, dateText_);
}

void CKALDRODlg::SetStatusLine(const std::string& text) { SetText(IDC_MAIN_STATUS_LINE, text); }

void CKALDRODlg::RememberPrinterIp() { printerIpCopy_.store(IpAddress(IDC_MAIN_PRINTER_IP)); }

void CKALDRODlg::Post(SendQueue::Job job) {
  // the box as it is when the user asks, whatever its change notices said
  RememberPrinterIp();
  queue_.Post(std::move(job));
}

bool CKALDRODlg::Busy() const { return queue_.Busy() || autoSender_.Running(); }

}  // namespace prtbench
