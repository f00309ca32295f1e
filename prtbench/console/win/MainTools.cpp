// The main window's network tools (local IP, connection test, new printer
// address and identifier, ping), the serial number writer, the start of the
// firmware updater and Help. Checks and boxes happen on the window thread;
// everything that talks to the printer runs on the send queue, and its
// outcome comes back through the window link.
#include "prtbench/console/NetCommands.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/console/SerialNumber.h"
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/nettools/AdapterMove.h"
#include "prtbench/res/resource.h"
#include "winui/ProgramFolder.h"

namespace prtbench {
namespace {

constexpr char kFirmwareUpdater[] = "myTitle\\fwflash.exe";  // beside prtbench.exe
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
  link_.UpdateSettings([printer = printerIp_](ConnectionSettings& s) { s.com.monitorIp = printer; });
  Post([this, printer = printerIp_, newIp = newIp_, window = windowLink()](const SendQueue::Cancelled& cancelled) {
    // the command reaches the printer only from its own /24 subnet. Judged
    // as the run starts: a run asked for before it keeps the adapter in the
    // printer's subnet until it ends.
    if (!SameSubnet24(localIpv4_(), printer)) return SetPrinterAddressFromItsSubnet(printer, newIp, *window, cancelled);
    const int result = link_.SendOnPort(printer, kMonitorPort, NewAddressNetCommand(newIp));
    window->Call([this, result, newIp] { OnPrinterAddressSet(result, newIp, false); });
  });
}

void CKALDRODlg::SetPrinterAddressFromItsSubnet(Ipv4 printerIp, Ipv4 newIp, winui::WindowLink& window,
                                                const SendQueue::Cancelled& cancelled) {
  const auto send = [&] {
    const int result = link_.SendOnPort(printerIp, kMonitorPort, NewAddressNetCommand(newIp));
    window.Call([this, result, newIp] { OnPrinterAddressSet(result, newIp, true); });
    return result;
  };
  const AdapterMoveOutcome outcome = SendFromPrinterSubnet(*adapters_(), clock_, printerIp, send, cancelled);
  window.Call([this, outcome] { OnAdapterMoved(outcome); });
}

void CKALDRODlg::OnAdapterMoved(const AdapterMoveOutcome& outcome) {
  if (!outcome.adapterFound) return Report(Text(Msg::LocalAdapterUnread));
  if (const auto& refused = outcome.moveFailures.address) ReportAdapterFailure(Msg::AdapterMethodFailed, *refused);
  // the printer is on the same link: the send went on without the gateway
  if (const auto& refused = outcome.moveFailures.gateway) {
    const std::string text = Fill(Text(Msg::AdapterGatewayRefused), {refused->method, std::to_string(refused->result)});
    shared_.status.Set(text);
    SetStatusLine(text);
  }
  if (const auto& refused = outcome.notRestored) ReportAdapterFailure(Msg::AdapterNotRestored, *refused);
}

void CKALDRODlg::OnPrinterAddressSet(int result, Ipv4 newIp, bool adapterMoved) {
  if (result < 0) {
    const std::string text(Text(Msg::AddressConnectFailed));
    // with the adapter moved, nothing more is tried: the adapter goes back
    if (adapterMoved) return Report(text);
    // otherwise the address counts as not set, told after the connection
    prompts_.Message(hwnd(), text, winui::MessageIcon::Information);
  }
  if (result == 1) {
    // only the box changes: whatever else the user typed meanwhile stays
    SetIpAddress(IDC_MAIN_PRINTER_IP, newIp);
    RememberPrinterIp();
  }
  Report(Text(result == 1 ? Msg::AddressSetOk : Msg::AddressSetFailed));
}

void CKALDRODlg::ReportAdapterFailure(Msg message, const AdapterFailure& failure) {
  Report(Fill(Text(message), {failure.method, std::to_string(failure.result)}));
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
  context_.launcher().Open(winui::SystemProgram(kPing), "-t " + FormatIpv4(printerIp_));
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
      const std::string failed(Text(Msg::FirmwareUpdaterFailed));
      if (!context_.launcher().Open(winui::BesideProgram(kFirmwareUpdater), kFirmwareToken)) return Report(failed);
      // a start that works takes back the message of one that did not
      if (shared_.status.Get() != failed) return;
      shared_.status.Set("");
      SetStatusLine("");
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
