// The main window's network tools (local IP, connection test, new printer
// address and identifier, ping), the serial number writer, the start of the
// firmware updater and Help. Checks and boxes happen on the window thread;
// everything that talks to the printer runs on the send queue, and its
// outcome comes back through the window link.
#include "prtbench/console/NetCommands.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/console/SerialNumber.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/res/resource.h"

namespace prtbench {
namespace {

constexpr char kFirmwareUpdater[] = "myTitle\\fwflash.exe";
constexpr char kFirmwareToken[] = "MerrowByQuint";  // fwflash shows its window only with it
constexpr char kPing[] = "ping.exe";

}  // namespace

void CKALDRODlg::OnRefreshLocalIp() {
  ReadWindow(false);
  localIp_ = localIpv4_();
  ShowValues();
}

void CKALDRODlg::OnConnectionTest() {
  prompts_.WaitCursor();
  ReadWindow(false);
  const Ipv4 printer = printerIp_;
  Post([this, printer, window = windowLink()](const SendQueue::Cancelled&) {
    // the socket stays connected: the next NET send replaces it
    const bool connected = link_.ConnectAndKeep(printer, kPrinterPort) == 1;
    window->Call([this, connected] { OnConnectionTested(connected); });
  });
  // with "Default IP" the status monitor watches the printer just tested
  link_.UpdateSettings([printer](ConnectionSettings& s) {
    if (s.com.defaultIp) s.com.monitorIp = printer;
  });
}

void CKALDRODlg::OnConnectionTested(bool connected) {
  Report(Text(connected ? Msg::ConnectTestOk : Msg::ConnectTestFailed));
}

void CKALDRODlg::OnSetPrinterAddress() {
  prompts_.WaitCursor();
  ReadWindow(false);
  localIp_ = localIpv4_();
  ShowValues();
  if (portRadio_ != kPortNet) {
    Post([this, frame = NewAddressPortCommand(newIp_)](const SendQueue::Cancelled&) {
      link_.SendData(frame);
      status_.ShowCurrent();
    });
    return;
  }
  // the command reaches the printer only from its own /24 subnet; moving
  // this computer's adapter there is the network tools' part
  if (!SameSubnet24(localIp_, printerIp_)) {
    return Report(Fill(Text(Msg::PrinterInOtherSubnet), {FormatIpv4(printerIp_), FormatIpv4(localIp_)}));
  }
  SetPrinterAddressOverNet(printerIp_, newIp_);
}

void CKALDRODlg::SetPrinterAddressOverNet(Ipv4 printerIp, Ipv4 newIp) {
  link_.UpdateSettings([printerIp](ConnectionSettings& s) { s.com.monitorIp = printerIp; });
  Post([this, printerIp, newIp, window = windowLink()](const SendQueue::Cancelled&) {
    const int result = link_.SendOnPort(printerIp, kMonitorPort, NewAddressNetCommand(newIp));
    window->Call([this, result, newIp] { OnPrinterAddressSet(result, newIp); });
  });
}

void CKALDRODlg::OnPrinterAddressSet(int result, Ipv4 newIp) {
  // a connection that failed is told first; the address then counts as not set
  if (result < 0) prompts_.Message(hwnd(), Text(Msg::AddressConnectFailed), winui::MessageIcon::Information);
  if (result == 1) {
    // only the box changes: whatever else the user typed meanwhile stays
    SetIpAddress(IDC_MAIN_PRINTER_IP, newIp);
    RememberPrinterIp();
  }
  Report(Text(result == 1 ? Msg::AddressSetOk : Msg::AddressSetFailed));
}

void CKALDRODlg::OnSetPrinterId() {
  ReadWindow(false);
  // the identifier command exists for TCP port 4000 only
  if (portRadio_ != kPortNet) return Report(Text(Msg::SetIdNeedsNet));
  Post([this, printer = printerIp_, frame = NewIdCommand(newId_)](const SendQueue::Cancelled&) {
    link_.SendOnPort(printer, kMonitorPort, frame);
    status_.ShowCurrent();
  });
}

void CKALDRODlg::OnPing() {
  ReadWindow(false);
  context_.launcher().Open(kPing, "-t " + FormatIpv4(printerIp_));
}

void CKALDRODlg::OnWriteSerialNumber() {
  ReadWindow(false);
  const std::optional<SerialNumber> serial = ParseSerialNumber(serial_);
  if (!serial) return prompts_.Message(hwnd(), Text(Msg::SerialNumberInvalid), winui::MessageIcon::Information);
  Post([this, frame = SerialNumberCommand(serial_)](const SendQueue::Cancelled&) {
    link_.SendData(frame);
    status_.ShowCurrent();
  });
  if (!increment_) return;
  serial_ = NextSerialNumber(*serial);
  ShowValues();
}

void CKALDRODlg::OnStartFirmwareUpdater() {
  // the updater opens the printer's port itself: every link of ours closes
  // first, behind the sends asked for before
  Post([this, window = windowLink()](const SendQueue::Cancelled&) {
    link_.ClosePorts();
    window->Call([this] {
      if (!context_.launcher().Open(kFirmwareUpdater, kFirmwareToken)) Report(Text(Msg::FirmwareUpdaterFailed));
    });
  });
}

void CKALDRODlg::OnHelp() { prompts_.Message(hwnd(), Text(Msg::HelpText), winui::MessageIcon::Information); }

void CKALDRODlg::Report(const std::string& text) {
  shared_.status.Set(text);
  prompts_.Message(hwnd(), text, winui::MessageIcon::Information);
  SetStatusLine(text);
}

}  // namespace prtbench
