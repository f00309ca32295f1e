// The single path by which prtbench sends bytes to the printer: opens the link
// of the current port type on demand, writes one buffer, reports the outcome
// to its owner. Its NET socket is also the network tools' socket
// (SharedSocket). Safe to use from the window thread and worker threads at
// once: sends, opens, closes and the shared socket's operations are
// serialised by one send lock.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/Pause.h"
#include "prtbench/base/Outcome.h"
#include "prtbench/link/Connect.h"
#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/link/LinkDevices.h"
#include "prtbench/link/PrintSink.h"

namespace prtbench {

class PrinterLink : public PrintSink {
 public:
  // Every open, send and network tool reports its outcome to `reporter`;
  // pauses are waited on `clock`. All three outlive the link.
  PrinterLink(LinkDevices& devices, OutcomeReporter& reporter, kit::Clock& clock);
  ~PrinterLink();  // closes every link
  PrinterLink(const PrinterLink&) = delete;
  PrinterLink& operator=(const PrinterLink&) = delete;

  // Where a NET open takes the printer IP (the main window's Printer IP box).
  // It is called at every NET open on the sending thread, which may be a
  // worker, while the send lock is held: it must answer from a copy and never
  // wait for the window thread (which may itself be waiting for the lock).
  // SharedSocket::PrinterIp calls it too, from any thread. Without a source
  // the last printer IP is used.
  void SetPrinterIpSource(std::function<Ipv4()> source);
  // Called on the calling thread at the start of every SendData and of the
  // shared socket's ConnectAndKeep and SendOnPort (the wait cursor).
  void SetBusyHook(std::function<void()> hook);

  // The connection settings. Changes apply at the next open. `change` runs
  // under a lock and must not call back into the link.
  ConnectionSettings Settings() const;
  void UpdateSettings(const std::function<void(ConnectionSettings&)>& change);

  // 1 when the link of the current port type is usable, 0 when it could not
  // be opened (the outcome reported says why; an open that works reports
  // nothing, except NET's "connected"). LPT, COM and USB links that are
  // open stay as they are; NET always closes and reconnects.
  int OpenPort();
  // Opens with OpenPort and writes `bytes`: LPT and USB in one write, COM in
  // pieces that go on while the printer takes bytes (WriteComPieces), NET all
  // of them on the socket. 1 on success, 0 on failure. The outcome reported
  // says how it went; a success counts the bytes sent (Outcome::sent), a
  // failure counts none. A failed COM or USB write closes that link. A failed
  // NET send closes the socket; when the socket took none of `bytes` it
  // reconnects and sends them once more, silently (the reconnect's outcome is
  // reported last), and still returns 0. Bytes the socket took are never sent
  // again.
  int SendData(std::span<const std::uint8_t> bytes);
  int SendData(std::string_view bytes);
  // SendData, reporting this send's outcomes to `job` instead of the link's
  // reporter, so that a job words its own outcome and not what another
  // thread wrote into the status text meanwhile.
  int SendData(std::span<const std::uint8_t> bytes, OutcomeReporter& job);
  bool Print(std::span<const std::uint8_t> bytes) override { return SendData(bytes) != 0; }
  void EndJob() override { CloseNet(); }

  // The program is closing; any thread. A send in progress stops before its
  // next COM piece or NET wait for the printer, its COM or LPT write is cut
  // short where the port allows, a NET connect attempt in progress ends, and
  // every later send fails without writing.
  void CancelSends();

  void ClosePorts();  // COM, LPT, USB, then the shared socket
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

 private:
  friend class SharedSocket;  // the tools' operations on socket_, under sendMutex_

  // The printer IP a NET open would use now: the printer IP source's answer,
  // else the stored printer IP. Any thread; takes no send lock.
  Ipv4 PrinterIp() const;
  int OpenLocked(const ConnectionSettings& settings);
  int OpenComLocked(const ConnectionSettings& settings);
  int OpenNetLocked(const ConnectionSettings& settings);
  // Closes the shared socket and connects it anew, given up once the sends
  // are cancelled: ConnectWithTimeout's result.
  int ConnectSharedLocked(Ipv4 address, std::uint16_t port, int timeoutSeconds);
  void RunBusyHook() const;
  int SendLocked(const ConnectionSettings& settings, std::span<const std::uint8_t> bytes);
  struct Messages {
    Msg success;
    Msg failure;
  };
  // The outcome, and the close, after a device write of `length` bytes.
  int ReportDeviceSend(DeviceHandle& device, std::optional<std::uint32_t> written, size_t length,
                       const std::string& prefix, Messages messages, bool closeOnFailure);
  int SendToNet(const ConnectionSettings& settings, std::span<const std::uint8_t> bytes);
  // Sends on the socket until all of `bytes` are taken or it fails: how many were taken.
  size_t SendWhole(std::span<const std::uint8_t> bytes);
  void CloseDevice(DeviceHandle& device);
  // Marks `device` as written by the send in progress (kNoDevice: none).
  void SetInFlight(DeviceHandle device);
  bool Cancelled() const { return cancelled_.load(); }
  void Report(Msg message, std::string prefix = {}, std::optional<std::uint32_t> sent = {}) {
    (job_ ? *job_ : reporter_).Report({message, std::move(prefix), {}, sent});
  }

  LinkDevices& devices_;
  OutcomeReporter& reporter_;
  kit::Clock& clock_;

  mutable std::mutex settingsMutex_;  // taken after sendMutex_ when both are held
  ConnectionSettings settings_;
  std::function<Ipv4()> printerIpSource_;
  std::function<void()> busyHook_;

  mutable std::mutex sendMutex_;  // the link handles and everything on the wire
  DeviceHandle lpt_ = kNoDevice;
  DeviceHandle com_ = kNoDevice;
  DeviceHandle usb_ = kNoDevice;
  SocketHandle socket_ = kNoSocket;
  OutcomeReporter* job_ = nullptr;  // the send lock's holder's own reporter, if it has one

  std::atomic<bool> cancelled_{false};
  std::mutex flightMutex_;  // taken after sendMutex_; the device stays open while held
  DeviceHandle inFlight_ = kNoDevice;
};

}  // namespace prtbench
