// The single path by which prtbench sends bytes to the printer: opens the link
// of the current port type on demand, writes one buffer, leaves the outcome in
// the status text. It also holds every TCP socket of the program, so that the
// network tools and the status monitor never open one of their own. Safe to
// use from the window thread and worker threads at once: sends, opens, closes
// and the shared socket's operations are serialised by one send lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "prtbench/link/Connect.h"
#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/link/LinkDevices.h"
#include "prtbench/link/PrintSink.h"
#include "prtbench/link/Shared.h"

namespace prtbench {

class PrinterLink : public PrintSink {
 public:
  PrinterLink(LinkDevices& devices, SharedState& shared);
  ~PrinterLink();  // closes every link and the monitor connection
  PrinterLink(const PrinterLink&) = delete;
  PrinterLink& operator=(const PrinterLink&) = delete;

  // Where a NET open takes the printer IP (the main window's Printer IP box).
  // It is called at every NET open on the sending thread, which may be a
  // worker, while the send lock is held: it must answer from a copy and never
  // wait for the window thread (which may itself be waiting for the lock).
  // PrinterIp calls it too, from any thread. Without a source the last
  // printer IP is used.
  void SetPrinterIpSource(std::function<Ipv4()> source);
  // Called on the calling thread at the start of every SendData, ConnectAndKeep
  // and SendOnPort (the wait cursor).
  void SetBusyHook(std::function<void()> hook);

  // The connection settings. Changes apply at the next open. `change` runs
  // under a lock and must not call back into the link.
  ConnectionSettings Settings() const;
  void UpdateSettings(const std::function<void(ConnectionSettings&)>& change);

  // 1 when the link of the current port type is usable, 0 when it could not
  // be opened (the status text says why). LPT, COM and USB links that are
  // open stay as they are; NET always closes and reconnects.
  int OpenPort();
  // Opens with OpenPort and writes `bytes`: LPT and USB in one write, COM in
  // pieces that go on while the printer takes bytes (WriteComPieces), NET all
  // of them on the socket. 1 on success, 0 on failure. The total byte counter
  // grows by what was reported sent; the status text says how it went. A
  // failed COM or USB write closes that link. A failed NET send closes the
  // socket; when the socket took none of `bytes` it reconnects and sends them
  // once more, silently (the status text then holds the reconnect's outcome),
  // and still returns 0. Bytes the socket took are never sent again.
  int SendData(std::span<const std::uint8_t> bytes);
  int SendData(std::string_view bytes);
  // SendData, handing back in `report` the status text it left: another
  // thread may replace the status text at once, but not this.
  int SendData(std::span<const std::uint8_t> bytes, std::string& report);
  bool Print(std::span<const std::uint8_t> bytes) override { return SendData(bytes) != 0; }
  void EndJob() override { CloseNet(); }

  // The program is closing; any thread. A send in progress stops before its
  // next COM piece or NET wait for the printer, its COM or LPT write is cut
  // short where the port allows, and every later send fails without writing.
  void CancelSends();

  void ClosePorts();  // COM, LPT, USB, then the shared socket (not the monitor's)
  void CloseCom();
  void CloseLpt();
  void CloseUsb();
  void CloseNet();

  // LPT name change: closes the LPT link and opens it again at once.
  bool ReopenLpt();
  // USB arrival: closes a USB link still open and opens the printer afresh.
  bool ReopenUsb();
  // Start-up: opens the USB printer unless its link is open already.
  bool OpenUsbIfClosed();
  // Baud rate or flow control change applied to the open COM link; false when
  // no COM link is open or the port refused the change.
  bool ChangeComLine(const LineChange& change);

  bool IsOpen(int portType) const;

  SharedState& shared() { return shared_; }

  // --- the network tools: the shared socket, the one NET printing uses ---
  // Each runs on the calling thread (a send queue job, so the window never
  // waits) under the send lock: it waits for a send in progress, and a send
  // waits for it. Each calls the busy hook first, uses the connection
  // settings' connect time-out with ConnectWithTimeout's three attempts, and
  // changes no setting: the caller records the printer or monitor IP it used.

  // The printer IP a NET open would use now: the printer IP source's answer,
  // else the stored printer IP. Any thread; takes no send lock.
  Ipv4 PrinterIp() const;

  // Connect and keep (the connection test): closes the shared socket, then
  // connects it to address:port (the printer on kPrinterPort, the monitor
  // address on kMonitorPort) and leaves it connected until the next NET
  // open, CloseNet or ClosePorts. Status text "Connection successful" or
  // "Connection fails". ConnectWithTimeout's result: 1 connected, -1 to -4
  // not (the socket is then closed).
  int ConnectAndKeep(Ipv4 address, std::uint16_t port);

  // Send on another port (new address, new identifier on kMonitorPort):
  // closes the shared socket, connects it to address:port, sends all of
  // `bytes` (waiting while the printer reads, failing when it takes nothing
  // for kStalledPrinterMs), never twice, and closes the socket again. Status
  // text: the NET connect failure text, or "Network send data successfully"
  // / "Network send data failed" (no counts line: the total byte counter,
  // which counts print data, stays as it is). Returns 1 sent, 0 connected
  // but the send failed, or ConnectWithTimeout's negative result.
  int SendOnPort(Ipv4 address, std::uint16_t port, std::span<const std::uint8_t> bytes);
  int SendOnPort(Ipv4 address, std::uint16_t port, std::string_view bytes);

  // --- the status monitor: a connection of its own to kMonitorPort ---
  // NET printing reconnects the shared socket for every job, which would cut
  // the monitor off, so the monitor keeps a second socket beside it. Its
  // operations take a monitor lock of their own, never the send lock: a long
  // print never holds up the monitor, nor a monitor that cannot reach its
  // printer a print. Meant for the one monitor thread; CloseMonitor may come
  // from any thread (shutdown). None writes the status text: the monitor
  // reports in the status line itself.

  // Closes the monitor connection and connects it to address:kMonitorPort
  // with `timeout`, three attempts, given up between them once `stop`
  // answers true. ConnectWithTimeout's result.
  int ConnectMonitor(Ipv4 address, ConnectTimeout timeout, const std::function<bool()>& stop = {});
  // One send of `request` on the monitor connection: true when the socket
  // took all of it; false when it did not or there is no connection.
  bool SendToMonitor(std::span<const std::uint8_t> request);
  // Waits up to `waitMs` for the printer's answer and reads what has arrived,
  // up to the buffer's size: the count read (> 0), 0 when nothing came or
  // the printer closed the connection, -1 without a connection or when the
  // receive failed. Never blocks longer than `waitMs`.
  int ReceiveFromMonitor(std::span<std::uint8_t> buffer, unsigned waitMs);
  // Closes the monitor connection if open. ClosePorts leaves it alone; the
  // destructor closes it.
  void CloseMonitor();

 private:
  int OpenLocked(const ConnectionSettings& settings);
  int OpenComLocked(const ConnectionSettings& settings);
  int OpenNetLocked(const ConnectionSettings& settings);
  // Closes the shared socket and connects it anew: ConnectWithTimeout's result.
  int ConnectSharedLocked(Ipv4 address, std::uint16_t port, int timeoutSeconds);
  void RunBusyHook() const;
  int SendLocked(const ConnectionSettings& settings, std::span<const std::uint8_t> bytes);
  struct Outcome {
    Msg success;
    Msg failure;
  };
  // Status text, counter and close after a device write of `length` bytes.
  int ReportDeviceSend(DeviceHandle& device, std::optional<std::uint32_t> written, size_t length,
                       const std::string& prefix, Outcome messages, bool closeOnFailure);
  int SendToNet(const ConnectionSettings& settings, std::span<const std::uint8_t> bytes);
  // Sends on the socket until all of `bytes` are taken or it fails: how many were taken.
  size_t SendWhole(std::span<const std::uint8_t> bytes);
  void CloseDevice(DeviceHandle& device);
  // Marks `device` as written by the send in progress (kNoDevice: none).
  void SetInFlight(DeviceHandle device);
  bool Cancelled() const { return cancelled_.load(); }
  void SetStatus(std::string_view prefix, Msg message, std::string_view suffix = {});
  void SetStatus(std::string text);  // under the send lock
  std::string CountsLine(std::uint32_t sent, std::int32_t total) const;
  prtbench::Language Language() const { return shared_.language.load(); }

  LinkDevices& devices_;
  SharedState& shared_;

  mutable std::mutex settingsMutex_;  // taken after sendMutex_ when both are held
  ConnectionSettings settings_;
  std::function<Ipv4()> printerIpSource_;
  std::function<void()> busyHook_;

  mutable std::mutex sendMutex_;  // the link handles and everything on the wire
  DeviceHandle lpt_ = kNoDevice;
  DeviceHandle com_ = kNoDevice;
  DeviceHandle usb_ = kNoDevice;
  SocketHandle socket_ = kNoSocket;
  std::string report_;  // the status text the send lock's holder last set

  std::atomic<bool> cancelled_{false};
  std::mutex flightMutex_;  // taken after sendMutex_; the device stays open while held
  DeviceHandle inFlight_ = kNoDevice;

  mutable std::mutex monitorMutex_;  // never held with sendMutex_
  SocketHandle monitorSocket_ = kNoSocket;
};

}  // namespace prtbench
