// Opening and writing the chosen link with the portable core's port rules.
#include "rkit/Link.h"

#include "prtbench/base/Messages.h"
#include "prtbench/link/Connect.h"
#include "prtbench/link/Ports.h"

namespace rkit {
namespace {

using namespace prtbench;

std::string English(Msg message) { return std::string(MessageText(message, Language::English)); }

// Sends on a connected socket until all of `bytes` are taken or the printer
// stops reading for kStalledPrinterMs: how many were taken.
size_t SendWhole(LinkDevices& devices, SocketHandle socket, std::span<const std::uint8_t> bytes) {
  size_t offset = 0;
  while (offset < bytes.size()) {
    const int sent = devices.Send(socket, bytes.subspan(offset));
    if (sent == kWouldBlock) {
      if (!devices.WaitWritable(socket, kStalledPrinterMs, {})) break;
      continue;
    }
    if (sent <= 0) break;
    offset += static_cast<size_t>(sent);
  }
  return offset;
}

int ReceiveWithin(LinkDevices& devices, SocketHandle socket, std::span<std::uint8_t> buffer, unsigned waitMs) {
  if (socket == kNoSocket) return -1;
  if (!devices.WaitReadable(socket, waitMs)) return 0;
  const int n = devices.Receive(socket, buffer);
  return n == kWouldBlock ? 0 : n < 0 ? -1 : n;
}

}  // namespace

Link::Link(LinkDevices& devices, DeviceReads* reads, kit::Clock& clock, LinkChoice choice)
    : devices_(devices), reads_(reads), clock_(clock), choice_(std::move(choice)) {}

Link::~Link() { Close(); }

bool Link::Fail(LinkFailure failure, std::string text) {
  failure_ = failure;
  error_ = std::move(text);
  return false;
}

bool Link::Open() {
  if (device_ != kNoDevice || socket_ != kNoSocket) return true;
  if (choice_.kind != LinkKind::Net) return OpenDevice();
  const ConnectTimeout timeout{choice_.connectSeconds, 0};
  if (ConnectWithTimeout(devices_, clock_, socket_, choice_.host, choice_.port, timeout) == 1) return true;
  return Fail(LinkFailure::Open, English(Msg::NetConnectFailed));
}

bool Link::OpenDevice() {
  switch (choice_.kind) {
    case LinkKind::Serial: {
      const ComOpenResult opened = OpenComLink(devices_, choice_.device, choice_.line);
      device_ = opened.device;
      if (device_ != kNoDevice && choice_.xonXoff && !devices_.ChangeLine(device_, {std::nullopt, true})) {
        Close();
        return Fail(LinkFailure::Open, choice_.device + English(Msg::ComLineRefused));
      }
      if (device_ != kNoDevice) return true;
      return Fail(LinkFailure::Open, choice_.device + English(opened.failure == ComOpenFailure::LineRefused
                                                                  ? Msg::ComLineRefused
                                                                  : Msg::ComInvalid));
    }
    case LinkKind::Usb:
      device_ = choice_.device == "auto" ? OpenUsbPrinter(devices_) : devices_.OpenForWrite(choice_.device);
      return device_ != kNoDevice || Fail(LinkFailure::Open, English(Msg::UsbOpenFailed));
    case LinkKind::Lpt:
      device_ = OpenLptLink(devices_, choice_.device);
      return device_ != kNoDevice || Fail(LinkFailure::Open, choice_.device + English(Msg::LptInvalid));
    case LinkKind::Net:
      break;
  }
  return false;
}

bool Link::Print(std::span<const std::uint8_t> bytes) {
  if (!Open()) return false;
  return choice_.kind == LinkKind::Net ? SendNet(bytes) : SendDevice(bytes);
}

bool Link::SendNet(std::span<const std::uint8_t> bytes) {
  if (SendWhole(devices_, socket_, bytes) == bytes.size()) return true;
  CloseSocketSlot(devices_, socket_);
  return Fail(LinkFailure::Send, English(Msg::NetSendFailed));
}

bool Link::SendDevice(std::span<const std::uint8_t> bytes) {
  std::optional<std::uint32_t> written;
  if (choice_.kind == LinkKind::Serial) {
    written = WriteComPieces(devices_, device_, bytes, choice_.line.baudRate);
  } else {
    written = devices_.Write(device_, bytes);
  }
  if (written && *written == bytes.size()) return true;
  Close();
  switch (choice_.kind) {
    case LinkKind::Serial: return Fail(LinkFailure::Send, choice_.device + English(Msg::ComSendFailed));
    case LinkKind::Lpt: return Fail(LinkFailure::Send, choice_.device + English(Msg::LptSendFailed));
    default: return Fail(LinkFailure::Send, English(Msg::UsbSendFailed));
  }
}

void Link::EndJob() {
  if (choice_.kind == LinkKind::Net) CloseSocketSlot(devices_, socket_);
}

bool Link::HearsReplies() const {
  const bool device = choice_.kind == LinkKind::Serial || choice_.kind == LinkKind::Usb;
  return choice_.kind == LinkKind::Net || (reads_ && device);
}

int Link::Receive(std::span<std::uint8_t> buffer, unsigned waitMs) {
  if (choice_.kind == LinkKind::Net) return ReceiveWithin(devices_, socket_, buffer, waitMs);
  if (!HearsReplies() || device_ == kNoDevice) return -1;
  const auto read = reads_->Read(device_, buffer, waitMs);
  return read ? static_cast<int>(*read) : -1;
}

void Link::DiscardInput() {
  if (choice_.kind != LinkKind::Net && HearsReplies() && device_ != kNoDevice) reads_->DiscardInput(device_);
}

void Link::Close() {
  CloseSocketSlot(devices_, socket_);
  if (device_ != kNoDevice) devices_.Close(device_);
  device_ = kNoDevice;
}

std::optional<Bytes> ExchangeOnPort(LinkDevices& devices, kit::Clock& clock, Ipv4 host, std::uint16_t port,
                                    int connectSeconds, std::span<const std::uint8_t> request, unsigned waitMs) {
  SocketHandle socket = kNoSocket;
  if (ConnectWithTimeout(devices, clock, socket, host, port, {connectSeconds, 0}) != 1) return std::nullopt;
  std::optional<Bytes> answer;
  if (SendWhole(devices, socket, request) == request.size()) {
    answer.emplace();
    std::uint8_t buffer[64];
    const int n = waitMs == 0 ? 0 : ReceiveWithin(devices, socket, buffer, waitMs);
    if (n > 0) answer->assign(buffer, buffer + n);
  }
  CloseSocketSlot(devices, socket);
  return answer;
}

}  // namespace rkit
