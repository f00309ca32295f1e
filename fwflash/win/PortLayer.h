// The updater's own port layer: a table of open links per transport (USB with
// a reply-collecting read thread, serial ports, TCP 9100), writing buffers and
// reading the printer's 4-byte replies for the upgrade.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <thread>

#include "common/Pause.h"
#include "fwflash/LinkTable.h"
#include "fwflash/ReceiveBuffer.h"
#include "fwflash/Transport.h"
#include "fwflash/Upgrade.h"
#include "fwflash/Vendors.h"
#include "fwflash/win/UsbDevices.h"

namespace fwflash {

struct UsbLinkRecord {
  DWORD readTimeoutMs = 2000;
  HANDLE write = INVALID_HANDLE_VALUE;  // read and write, overlapped so a stalled write can be given up
  HANDLE read = INVALID_HANDLE_VALUE;   // the same device again, overlapped reads only
};

struct ComLinkRecord {
  std::string name;  // "COM3"
  HANDLE handle = INVALID_HANDLE_VALUE;
};

struct NetLinkRecord {
  uint32_t address = 0;  // first octet in the most significant byte
  uint16_t port = kPrinterTcpPort;
  SOCKET socket = INVALID_SOCKET;
};

class PortLayer {
 public:
  // USB replies are polled this often, this many times (about 2.5 s).
  static constexpr unsigned kReplyPollMs = 5;
  static constexpr int kReplyPolls = 500;
  static constexpr size_t kUsbInterfaceLimit = 20;
  // A USB or COM write that moves no byte for this long fails the upgrade
  // (COM: plus twice the line time of the bytes), so a printer that stops
  // reading ends it with the send failure instead of holding it for ever.
  static constexpr DWORD kStalledWriteMs = 10000;

  // `clock` times the USB reply polls.
  PortLayer(UsbDevices& usb, kit::Clock& clock);
  ~PortLayer();
  PortLayer(const PortLayer&) = delete;
  PortLayer& operator=(const PortLayer&) = delete;

  AcceptedVendors& vendors() { return vendors_; }
  // Tests shorten the stalled-write limit; links opened later use it.
  void SetStalledWriteMs(DWORD ms) { stalledWriteMs_ = ms; }

  // The upgrade-running flag: set by the worker when an upgrade starts,
  // cleared at its end and by the application when its window has closed.
  // The USB read thread runs while it is set.
  void SetRunning();
  void ClearRunning();
  bool running() const { return running_.load(); }

  // Opens the selected transport and remembers it for SendBytes,
  // ReceiveReply and CloseSelectedPort. For USB it starts the read thread,
  // whatever the open gave. True when a link was opened.
  bool ConnectSelectedPort(const PortSelection& selection);
  // Writes all of `bytes` to the selected link; true only if all were written.
  bool SendBytes(std::span<const uint8_t> bytes);
  // Reads one reply; a short reply leaves the later bytes of `reply` as they were.
  bool ReceiveReply(Reply& reply);
  // Stops the USB read thread, then closes the selected link.
  void CloseSelectedPort();
  int linkNumber() const { return linkNumber_.load(); }

  // Link numbers are from 1; 0 names the last link of the table.
  int UsbOpen();  // -1 no accepted device or it would not open, -2 detail unreadable, -3 no device list
  bool UsbClose(int number);
  int ComOpen(int portNumber, uint32_t baud, ComFlow flow = ComFlow::None);  // -1 when the port does not open
  bool ComClose(int number);
  int NetOpen(uint32_t address);  // -1 no socket, -2 mode switch failed, -3 timed out, -4 connect failed
  int NetClose(int number);       // -2 no such link, 1 closed, 0 the close failed

  // The body of the USB read thread: collects what the device sends into the
  // receive buffer while the running flag is set. 0 at the end, -1 when
  // waiting for the device failed.
  int UsbReadThreadProc(int number);
  ReceiveBuffer& receiveBuffer() { return receive_; }

  std::optional<UsbLinkRecord> UsbLink(int number) const { return usbLinks_.Find(number); }
  std::optional<ComLinkRecord> ComLink(int number) const { return comLinks_.Find(number); }
  std::optional<NetLinkRecord> NetLink(int number) const { return netLinks_.Find(number); }

 private:
  void StartUsbReader(int number);
  void StopUsbReader();
  bool ReaderShouldRun() const { return running_.load() && !readerStop_.load(); }
  bool UsbSend(std::span<const uint8_t> bytes);
  bool UsbReceive(Reply& reply);
  bool ComSend(std::span<const uint8_t> bytes);
  bool ComReceive(Reply& reply);
  bool NetSend(std::span<const uint8_t> bytes);
  bool NetReceive(Reply& reply);

  UsbDevices& usb_;
  kit::Clock& clock_;
  AcceptedVendors vendors_;
  DWORD stalledWriteMs_ = kStalledWriteMs;
  std::atomic<bool> running_{false};
  std::atomic<bool> readerStop_{false};
  HANDLE wake_;  // set when the read thread should look at its flags
  ReceiveBuffer receive_;
  std::atomic<int> linkNumber_{-1};
  Transport transport_ = Transport::Usb;
  LinkTable<UsbLinkRecord> usbLinks_;
  LinkTable<ComLinkRecord> comLinks_;
  LinkTable<NetLinkRecord> netLinks_;
  std::thread reader_;
};

// The upgrade's view of the layer: the transport the window selected.
class SelectedPort : public FirmwarePort {
 public:
  SelectedPort(PortLayer& layer, const PortSelection& selection) : layer_(layer), selection_(selection) {}
  bool Open() override { return layer_.ConnectSelectedPort(selection_); }
  bool Send(std::span<const uint8_t> bytes) override { return layer_.SendBytes(bytes); }
  bool ReceiveReply(Reply& reply) override { return layer_.ReceiveReply(reply); }
  // The upgrade has ended: clear the running flag, then close the link.
  void Close() override {
    layer_.ClearRunning();
    layer_.CloseSelectedPort();
  }

 private:
  PortLayer& layer_;
  PortSelection selection_;
};

}  // namespace fwflash
