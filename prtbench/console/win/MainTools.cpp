#include "prtbench/console/win/MainTools.h"

#include "prtbench/app/win/PostSend.h"
#include "prtbench/console/NetCommands.h"
#include "prtbench/console/PortChoices.h"
#include "prtbench/console/SerialNumber.h"
#include "prtbench/nettools/AdapterMove.h"
#include "prtbench/res/resource.h"
#include "winui/ProgramFolder.h"

namespace prtbench {
namespace {

constexpr char kFirmwareUpdater[] = "myTitle\\fwflash.exe";  // beside prtbench.exe
constexpr char kFirmwareToken[] = "MerrowByQuint";  // fwflash shows its window only with it
constexpr char kPing[] = "ping.exe";

}  // namespace

void MainTools::ShowLocalIpSoon() {
  window_.Post([this, window = window_.dialog().windowLink()](const SendQueue::Cancelled&) {
    const Ipv4 address = localIpv4_();
    window->Call([this, address] {
      window_.fields().localIp = address;
      window_.dialog().SetIpAddress(IDC_MAIN_LOCAL_IP, address);
    });
  });
}

void MainTools::OnRefreshLocalIp() {
  window_.ReadWindow(false);
  window_.fields().localIp = localIpv4_();
  window_.ShowValues();
}

void MainTools::OnConnectionTest() {
  window_.prompts().WaitCursor();
  window_.ReadWindow(false);
  const Ipv4 printer = window_.fields().printerIp;
  window_.Post([this, printer, window = window_.dialog().windowLink()](const SendQueue::Cancelled&) {
    // the socket stays connected: the next NET send replaces it
    const bool connected = window_.context().socket().ConnectAndKeep(printer, kPrinterPort) == 1;
    window->Call([this, connected] { OnConnectionTested(connected); });
  });
  // the address tested is the printer address, kept in Printer.ini at exit
  // even when nothing is printed to it; with "Default IP" the status monitor
  // watches it too
  window_.context().link().UpdateSettings([printer](ConnectionSettings& s) {
    s.printerIp = printer;
    if (s.com.defaultIp) s.com.monitorIp = printer;
  });
}

void MainTools::OnConnectionTested(bool connected) {
  window_.Report(window_.Text(connected ? Msg::ConnectTestOk : Msg::ConnectTestFailed));
}

void MainTools::OnSetPrinterAddress() {
  window_.prompts().WaitCursor();
  window_.ReadWindow(false);
  MainFields& f = window_.fields();
  f.localIp = localIpv4_();
  window_.ShowValues();
  if (f.portRadio != kPortNet) {
    PostFrame(window_.context(), NewAddressPortCommand(f.newIp));
    return;
  }
  window_.context().link().UpdateSettings([printer = f.printerIp](ConnectionSettings& s) { s.com.monitorIp = printer; });
  window_.Post([this, printer = f.printerIp, newIp = f.newIp, window = window_.dialog().windowLink()](const SendQueue::Cancelled& cancelled) {
    // the command reaches the printer only from its own /24 subnet. Judged
    // as the run starts: a run asked for before it keeps the adapter in the
    // printer's subnet until it ends.
    if (!SameSubnet24(localIpv4_(), printer)) return SetPrinterAddressFromItsSubnet(printer, newIp, *window, cancelled);
    const int result = window_.context().socket().SendOnPort(printer, kMonitorPort, NewAddressNetCommand(newIp));
    window->Call([this, result, newIp] { OnPrinterAddressSet(result, newIp, false); });
  });
}

void MainTools::SetPrinterAddressFromItsSubnet(Ipv4 printerIp, Ipv4 newIp, winui::WindowLink& window,
                                                const SendQueue::Cancelled& cancelled) {
  const auto send = [&] {
    const int result = window_.context().socket().SendOnPort(printerIp, kMonitorPort, NewAddressNetCommand(newIp));
    window.Call([this, result, newIp] { OnPrinterAddressSet(result, newIp, true); });
    return result;
  };
  const AdapterMoveOutcome outcome = SendFromPrinterSubnet(*adapters_(), window_.context().clock(), printerIp, send, cancelled);
  window.Call([this, outcome] { OnAdapterMoved(outcome); });
}

void MainTools::OnAdapterMoved(const AdapterMoveOutcome& outcome) {
  if (!outcome.adapterFound) return window_.Report(window_.Text(Msg::LocalAdapterUnread));
  if (const auto& refused = outcome.moveFailures.address) ReportAdapterFailure(Msg::AdapterMethodFailed, *refused);
  // the printer is on the same link: the send went on without the gateway
  if (const auto& refused = outcome.moveFailures.gateway) {
    const std::string text =
        Fill(window_.Text(Msg::AdapterGatewayRefused), {refused->method, std::to_string(refused->result)});
    window_.context().status().SetText(text);
    window_.SetStatusLine(text);
  }
  if (const auto& refused = outcome.notRestored) ReportAdapterFailure(Msg::AdapterNotRestored, *refused);
}

void MainTools::OnPrinterAddressSet(int result, Ipv4 newIp, bool adapterMoved) {
  if (result < 0) {
    const std::string text(window_.Text(Msg::AddressConnectFailed));
    // with the adapter moved, nothing more is tried: the adapter goes back
    if (adapterMoved) return window_.Report(text);
    // otherwise the address counts as not set, told after the connection
    window_.prompts().Message(window_.hwnd(), text, winui::MessageIcon::Information);
  }
  if (result == 1) {
    // only the box changes: whatever else the user typed meanwhile stays
    window_.dialog().SetIpAddress(IDC_MAIN_PRINTER_IP, newIp);
    window_.RememberPrinterIp();
  }
  window_.Report(window_.Text(result == 1 ? Msg::AddressSetOk : Msg::AddressSetFailed));
}

void MainTools::ReportAdapterFailure(Msg message, const AdapterFailure& failure) {
  window_.Report(Fill(window_.Text(message), {failure.method, std::to_string(failure.result)}));
}

void MainTools::OnSetPrinterId() {
  window_.ReadWindow(false);
  const MainFields& f = window_.fields();
  // the identifier command exists for TCP port 4000 only
  if (f.portRadio != kPortNet) return window_.Report(window_.Text(Msg::SetIdNeedsNet));
  PostSend(window_.context(), [&socket = window_.context().socket(), printer = f.printerIp, frame = NewIdCommand(f.newId)](PrinterLink&, const auto&) {
    socket.SendOnPort(printer, kMonitorPort, frame);
  });
}

void MainTools::OnPing() {
  window_.ReadWindow(false);
  window_.context().launcher().Open(winui::SystemProgram(kPing), "-t " + FormatIpv4(window_.fields().printerIp));
}

void MainTools::OnWriteSerialNumber() {
  window_.ReadWindow(false);
  MainFields& f = window_.fields();
  const std::optional<SerialNumber> serial = ParseSerialNumber(f.serial);
  if (!serial) {
    return window_.prompts().Message(window_.hwnd(), window_.Text(Msg::SerialNumberInvalid),
                                     winui::MessageIcon::Information);
  }
  PostFrame(window_.context(), SerialNumberCommand(f.serial));
  if (!f.increment) return;
  f.serial = NextSerialNumber(*serial);
  window_.ShowValues();
}

void MainTools::OnStartFirmwareUpdater() {
  // the updater opens the printer's port itself: every link of ours closes
  // first, behind the sends asked for before
  window_.Post([this, window = window_.dialog().windowLink()](const SendQueue::Cancelled&) {
    window_.context().link().ClosePorts();
    window->Call([this] {
      const std::string failed(window_.Text(Msg::FirmwareUpdaterFailed));
      if (!window_.context().launcher().Open(winui::BesideProgram(kFirmwareUpdater), kFirmwareToken)) {
        return window_.Report(failed);
      }
      // a start that works takes back the message of one that did not
      StatusLine& status = window_.context().status();
      if (status.Text() != failed) return;
      status.SetText("");
      window_.SetStatusLine("");
    });
  });
}

void MainTools::OnHelp() {
  window_.prompts().Message(window_.hwnd(), window_.Text(Msg::HelpText), winui::MessageIcon::Information);
}

}  // namespace prtbench
