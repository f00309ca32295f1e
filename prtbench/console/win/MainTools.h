// The main window's tools part: the network buttons (local IP, connection
// test, new printer address and identifier, ping), the serial number writer,
// the start of the firmware updater and Help. Checks and boxes happen on the
// window thread; everything that talks to the printer runs on the send queue,
// and its outcome comes back through the window link.
#pragma once

#include <functional>
#include <memory>

#include "prtbench/console/win/MainWindow.h"
#include "prtbench/nettools/AdapterMove.h"

namespace prtbench {

// The computer's own address, asked on the window's thread and the send queue's.
using LocalAddressSource = std::function<Ipv4()>;
// A configurator of this computer's network adapter for one new-address run,
// made and used on the send queue's thread.
using AdapterSource = std::function<std::unique_ptr<AdapterConfigurator>()>;

class MainTools {
 public:
  MainTools(MainWindow& window, LocalAddressSource localIpv4, AdapterSource adapters)
      : window_(window), localIpv4_(std::move(localIpv4)), adapters_(std::move(adapters)) {}

  // The Local IP box gets this computer's address once the send queue has
  // asked for it: a slow name lookup does not hold up the window.
  void ShowLocalIpSoon();

  void OnRefreshLocalIp();
  void OnConnectionTest();
  void OnSetPrinterAddress();
  void OnSetPrinterId();
  void OnPing();
  void OnWriteSerialNumber();
  void OnStartFirmwareUpdater();
  void OnHelp();

 private:
  void OnConnectionTested(bool connected);
  // On the send queue: this computer's adapter moved into the printer's
  // subnet, the command sent, the adapter put back.
  void SetPrinterAddressFromItsSubnet(Ipv4 printerIp, Ipv4 newIp, winui::WindowLink& window,
                                      const SendQueue::Cancelled& cancelled);
  // What the adapter did besides the send, reported once it is back.
  void OnAdapterMoved(const AdapterMoveOutcome& outcome);
  void OnPrinterAddressSet(int result, Ipv4 newIp, bool adapterMoved);
  void ReportAdapterFailure(Msg message, const AdapterFailure& failure);

  MainWindow& window_;
  LocalAddressSource localIpv4_;
  AdapterSource adapters_;
};

}  // namespace prtbench
