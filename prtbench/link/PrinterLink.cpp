// OpenPort, SendData and the closes, with their outcomes and pauses.
#include "prtbench/link/PrinterLink.h"

#include <utility>

#include "prtbench/link/Connect.h"
#include "prtbench/link/Ports.h"

namespace prtbench {
namespace {

constexpr unsigned kAfterNetSendPauseMs = 25;
constexpr unsigned kBeforeNetResendPauseMs = 50;

LineSettings LineOf(const ConnectionSettings& settings) {
  return {static_cast<std::uint32_t>(settings.baudRate), settings.com.byteSize, settings.com.parity,
          settings.com.stopBits, settings.ctsFlow};
}

}  // namespace

PrinterLink::PrinterLink(LinkDevices& devices, OutcomeReporter& reporter, kit::Clock& clock)
    : devices_(devices), reporter_(reporter), clock_(clock) {}

PrinterLink::~PrinterLink() { ClosePorts(); }

void PrinterLink::SetPrinterIpSource(std::function<Ipv4()> source) {
  std::lock_guard lock(settingsMutex_);
  printerIpSource_ = std::move(source);
}

void PrinterLink::SetBusyHook(std::function<void()> hook) {
  std::lock_guard lock(settingsMutex_);
  busyHook_ = std::move(hook);
}

ConnectionSettings PrinterLink::Settings() const {
  std::lock_guard lock(settingsMutex_);
  return settings_;
}

void PrinterLink::UpdateSettings(const std::function<void(ConnectionSettings&)>& change) {
  std::lock_guard lock(settingsMutex_);
  change(settings_);
}

int PrinterLink::OpenPort() {
  std::lock_guard lock(sendMutex_);
  return OpenLocked(Settings());
}

int PrinterLink::OpenLocked(const ConnectionSettings& settings) {
  switch (settings.portType) {
    case kPortLpt:
      if (lpt_ == kNoDevice) lpt_ = OpenLptLink(devices_, settings.lptName);
      if (lpt_ != kNoDevice) return 1;
      Report(Msg::LptInvalid, settings.lptName);
      return 0;
    case kPortCom:
      return OpenComLocked(settings);
    case kPortUsb:
      if (usb_ == kNoDevice) usb_ = OpenUsbPrinter(devices_);
      if (usb_ != kNoDevice) return 1;
      Report(Msg::UsbOpenFailed);
      return 0;
    case kPortNet:
      return OpenNetLocked(settings);
    default:
      // only a damaged Printer.ini gives another type: no link, but say so
      (job_ ? *job_ : reporter_).Report({Msg::PortTypeInvalid, {}, settings.portType, {}});
      return 0;
  }
}

int PrinterLink::OpenComLocked(const ConnectionSettings& settings) {
  if (com_ != kNoDevice) return 1;
  const ComOpenResult opened = OpenComLink(devices_, settings.comName, LineOf(settings));
  com_ = opened.device;
  if (com_ != kNoDevice) return 1;
  // a refused line is the settings' fault, not the port's: send the user to them
  Report(opened.failure == ComOpenFailure::LineRefused ? Msg::ComLineRefused : Msg::ComInvalid, settings.comName);
  return 0;
}

int PrinterLink::OpenNetLocked(const ConnectionSettings& settings) {
  const Ipv4 printerIp = PrinterIp();
  UpdateSettings([printerIp](ConnectionSettings& s) { s.printerIp = printerIp; });
  if (ConnectSharedLocked(printerIp, kPrinterPort, settings.com.timeoutSeconds) == 1) {
    Report(Msg::NetConnected);
    return 1;
  }
  Report(Msg::NetConnectFailed);
  return 0;
}

Ipv4 PrinterLink::PrinterIp() const {
  std::function<Ipv4()> source;
  Ipv4 stored = 0;
  {
    std::lock_guard lock(settingsMutex_);
    source = printerIpSource_;
    stored = settings_.printerIp;
  }
  return source ? source() : stored;
}

int PrinterLink::ConnectSharedLocked(Ipv4 address, std::uint16_t port, int timeoutSeconds) {
  CloseSocketSlot(devices_, socket_);
  // a close cancels the attempts too: a printer that never answers holds none
  return ConnectWithTimeout(devices_, clock_, socket_, address, port, {timeoutSeconds, 0},
                            [this] { return Cancelled(); });
}

void PrinterLink::RunBusyHook() const {
  std::function<void()> busy;
  {
    std::lock_guard lock(settingsMutex_);
    busy = busyHook_;
  }
  if (busy) busy();
}

int PrinterLink::SendData(std::string_view bytes) {
  return SendData(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

int PrinterLink::SendData(std::span<const std::uint8_t> bytes) {
  RunBusyHook();
  std::lock_guard lock(sendMutex_);
  return SendLocked(Settings(), bytes);
}

int PrinterLink::SendData(std::span<const std::uint8_t> bytes, OutcomeReporter& job) {
  RunBusyHook();
  std::lock_guard lock(sendMutex_);
  job_ = &job;
  const int result = SendLocked(Settings(), bytes);
  job_ = nullptr;
  return result;
}

int PrinterLink::SendLocked(const ConnectionSettings& settings, std::span<const std::uint8_t> bytes) {
  if (Cancelled() || !OpenLocked(settings)) return 0;
  switch (settings.portType) {
    case kPortLpt: {
      devices_.Purge(lpt_);
      SetInFlight(lpt_);
      const auto written = devices_.Write(lpt_, bytes);
      SetInFlight(kNoDevice);
      return ReportDeviceSend(lpt_, written, bytes.size(), settings.lptName, {Msg::LptSendOk, Msg::LptSendFailed},
                              false);
    }
    case kPortCom: {
      devices_.Purge(com_);
      SetInFlight(com_);
      const auto written = WriteComPieces(devices_, com_, bytes, static_cast<std::uint32_t>(settings.baudRate),
                                          [this] { return Cancelled(); });
      SetInFlight(kNoDevice);
      return ReportDeviceSend(com_, written, bytes.size(), settings.comName, {Msg::ComSendOk, Msg::ComSendFailed},
                              true);
    }
    case kPortUsb:
      devices_.Purge(usb_);  // no effect on a USB handle, as on the printer-class driver
      return ReportDeviceSend(usb_, devices_.Write(usb_, bytes), bytes.size(), {},
                              {Msg::UsbSendOk, Msg::UsbSendFailed}, true);
    default:
      return SendToNet(settings, bytes);
  }
}

int PrinterLink::ReportDeviceSend(DeviceHandle& device, std::optional<std::uint32_t> written, size_t length,
                                  const std::string& prefix, Messages messages, bool closeOnFailure) {
  if (written && *written == length) {
    Report(messages.success, prefix, *written);
    return 1;
  }
  // the counter holds what was reported sent: a write cut short is reported
  // as failed, so its bytes are not counted
  Report(messages.failure, prefix);
  if (closeOnFailure) CloseDevice(device);
  return 0;
}

int PrinterLink::SendToNet(const ConnectionSettings& settings, std::span<const std::uint8_t> bytes) {
  int result = 0;
  const size_t taken = SendWhole(bytes);
  if (taken == bytes.size()) {
    Report(Msg::NetSendOk, {}, static_cast<std::uint32_t>(bytes.size()));
    result = 1;
  } else {
    CloseSocketSlot(devices_, socket_);
    Report(Msg::NetSendFailed);
    // Only a buffer of which the socket took nothing may go again: the printer
    // may have dropped the connection before the first byte, and a fresh one
    // duplicates nothing. Bytes once taken may have been printed; sending them
    // again would print the start of the job twice.
    if (taken == 0) {
      clock_.Pause(kBeforeNetResendPauseMs);
      // the caller still hears of the failure, the status of the reconnect
      if (OpenNetLocked(settings)) SendWhole(bytes);
    }
  }
  clock_.Pause(kAfterNetSendPauseMs);
  return result;
}

size_t PrinterLink::SendWhole(std::span<const std::uint8_t> bytes) {
  // a non-blocking socket may take part of a large buffer; the rest follows
  // as the printer reads, unless it stops reading for kStalledPrinterMs
  size_t offset = 0;
  do {
    const int sent = devices_.Send(socket_, bytes.subspan(offset));
    if (sent == kWouldBlock) {
      // a cancel ends the wait too: a printer that stopped reading holds no close
      if (!devices_.WaitWritable(socket_, kStalledPrinterMs, [this] { return Cancelled(); })) break;
      continue;
    }
    if (sent < 0 || (sent == 0 && offset < bytes.size())) break;
    offset += static_cast<size_t>(sent);
  } while (offset < bytes.size());
  return offset;
}

void PrinterLink::CancelSends() {
  std::lock_guard lock(flightMutex_);
  cancelled_.store(true);
  if (inFlight_ != kNoDevice) devices_.AbortWrites(inFlight_);
}

void PrinterLink::SetInFlight(DeviceHandle device) {
  std::lock_guard lock(flightMutex_);
  inFlight_ = device;
}

void PrinterLink::ClosePorts() {
  std::lock_guard lock(sendMutex_);
  CloseDevice(com_);
  CloseDevice(lpt_);
  CloseDevice(usb_);
  CloseSocketSlot(devices_, socket_);
}

void PrinterLink::CloseCom() {
  std::lock_guard lock(sendMutex_);
  CloseDevice(com_);
}

void PrinterLink::CloseLpt() {
  std::lock_guard lock(sendMutex_);
  CloseDevice(lpt_);
}

void PrinterLink::CloseUsb() {
  std::lock_guard lock(sendMutex_);
  CloseDevice(usb_);
}

void PrinterLink::CloseNet() {
  std::lock_guard lock(sendMutex_);
  CloseSocketSlot(devices_, socket_);
}

bool PrinterLink::ReopenLpt() {
  std::lock_guard lock(sendMutex_);
  CloseDevice(lpt_);
  lpt_ = OpenLptLink(devices_, Settings().lptName);
  return lpt_ != kNoDevice;
}

bool PrinterLink::ReopenUsb() {
  std::lock_guard lock(sendMutex_);
  CloseDevice(usb_);
  usb_ = OpenUsbPrinter(devices_);
  return usb_ != kNoDevice;
}

bool PrinterLink::OpenUsbIfClosed() {
  std::lock_guard lock(sendMutex_);
  if (usb_ == kNoDevice) usb_ = OpenUsbPrinter(devices_);
  return usb_ != kNoDevice;
}

bool PrinterLink::ChangeComLine(const LineChange& change) {
  std::lock_guard lock(sendMutex_);
  return com_ != kNoDevice && devices_.ChangeLine(com_, change);
}

bool PrinterLink::IsOpen(int portType) const {
  std::lock_guard lock(sendMutex_);
  switch (portType) {
    case kPortLpt:
      return lpt_ != kNoDevice;
    case kPortCom:
      return com_ != kNoDevice;
    case kPortUsb:
      return usb_ != kNoDevice;
    case kPortNet:
      return socket_ != kNoSocket;
    default:
      return false;
  }
}

void PrinterLink::CloseDevice(DeviceHandle& device) {
  if (device == kNoDevice) return;
  devices_.Close(device);
  device = kNoDevice;
}

}  // namespace prtbench
