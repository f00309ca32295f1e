// The single path by which prtbench sends bytes to the printer: opens the link
// of the current port type on demand, writes one buffer, leaves the outcome in
// the status text. Safe to use from the window thread and worker threads at
// once: sends, opens and closes are serialised.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/link/LinkDevices.h"
#include "prtbench/link/Shared.h"

namespace prtbench {

class PrinterLink {
 public:
  PrinterLink(LinkDevices& devices, SharedState& shared);
  ~PrinterLink();  // closes every link
  PrinterLink(const PrinterLink&) = delete;
  PrinterLink& operator=(const PrinterLink&) = delete;

  // Where a NET open takes the printer IP (the main window's Printer IP box).
  // It is called at every NET open on the sending thread, which may be a
  // worker, while the send lock is held: it must answer from a copy and never
  // wait for the window thread (which may itself be waiting for the lock).
  // Without a source the last printer IP is used.
  void SetPrinterIpSource(std::function<Ipv4()> source);
  // Called on the calling thread at the start of every SendData (the wait cursor).
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

  void ClosePorts();  // COM, LPT, USB, then the socket
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

  // For the network tools and the monitor, which connect on their own.
  LinkDevices& devices() { return devices_; }
  SharedState& shared() { return shared_; }

 private:
  int OpenLocked(const ConnectionSettings& settings);
  int OpenComLocked(const ConnectionSettings& settings);
  int OpenNetLocked(const ConnectionSettings& settings);
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
  void SetStatus(std::string_view prefix, Msg message, std::string_view suffix = {});
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
};

}  // namespace prtbench
