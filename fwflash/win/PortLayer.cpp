// The selected transport: open, write, read a reply, close; and the running flag.
#include "fwflash/win/PortLayer.h"

namespace fwflash {

PortLayer::PortLayer(UsbDevices& usb, kit::Clock& clock)
    : usb_(usb), clock_(clock), wake_(CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

PortLayer::~PortLayer() {
  ClearRunning();
  StopUsbReader();
  CloseHandle(wake_);
}

void PortLayer::SetRunning() {
  running_.store(true);
  if (!readerStop_.load()) ResetEvent(wake_);
}

void PortLayer::ClearRunning() {
  running_.store(false);
  SetEvent(wake_);
}

bool PortLayer::ConnectSelectedPort(const PortSelection& selection) {
  linkNumber_.store(-1);
  transport_ = selection.transport;
  switch (selection.transport) {
    case Transport::Usb:
      linkNumber_.store(UsbOpen());
      StartUsbReader(linkNumber_.load());
      break;
    case Transport::Com:
      linkNumber_.store(ComOpen(selection.portIndex + 1, selection.baud, selection.flow));
      break;
    case Transport::Net:
      linkNumber_.store(NetOpen(selection.address));
      break;
  }
  return linkNumber_.load() >= 0;
}

bool PortLayer::SendBytes(std::span<const uint8_t> bytes) {
  switch (transport_) {
    case Transport::Usb: return UsbSend(bytes);
    case Transport::Com: return ComSend(bytes);
    case Transport::Net: return NetSend(bytes);
  }
  return false;
}

bool PortLayer::ReceiveReply(Reply& reply) {
  switch (transport_) {
    case Transport::Usb: return UsbReceive(reply);
    case Transport::Com: return ComReceive(reply);
    case Transport::Net: return NetReceive(reply);
  }
  return false;
}

void PortLayer::CloseSelectedPort() {
  const int number = linkNumber_.load();
  switch (transport_) {
    case Transport::Usb:
      StopUsbReader();
      UsbClose(number);
      break;
    case Transport::Com:
      ComClose(number);
      break;
    case Transport::Net:
      NetClose(number);
      break;
  }
}

}  // namespace fwflash
