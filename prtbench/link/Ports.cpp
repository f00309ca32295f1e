// The opens of the three device links.
#include "prtbench/link/Ports.h"

#include <algorithm>

namespace prtbench {

CommTimeouts ComTimeouts(std::uint32_t baudRate) {
  constexpr std::uint32_t kTwiceTwelveBitsMs = 2 * 12 * 1000;
  const std::uint32_t rate = std::max<std::uint32_t>(baudRate, 1);
  const std::uint32_t perByte = std::max<std::uint32_t>((kTwiceTwelveBitsMs + rate - 1) / rate, 1);
  return {0, 20, 20, perByte, kStalledPrinterMs};
}

std::size_t ComPieceSize(std::uint32_t baudRate) {
  return std::max<std::uint32_t>(kComPieceLineMs / ComTimeouts(baudRate).writeMultiplier, 1);
}

std::optional<std::uint32_t> WriteComPieces(LinkDevices& devices, DeviceHandle device,
                                            std::span<const std::uint8_t> bytes, std::uint32_t baudRate,
                                            const std::function<bool()>& cancelled) {
  const std::size_t pieceSize = ComPieceSize(baudRate);
  std::size_t taken = 0;
  do {
    if (cancelled && cancelled()) break;
    const auto piece = bytes.subspan(taken, std::min(pieceSize, bytes.size() - taken));
    const auto written = devices.Write(device, piece);
    if (!written) return std::nullopt;
    // a short count after the call's whole limit: zero means no progress
    if (*written == 0 && !piece.empty()) break;
    taken += *written;
  } while (taken < bytes.size());
  return static_cast<std::uint32_t>(taken);
}

std::string ComDevicePath(std::string_view name) {
  // count characters, not UTF-8 bytes
  const auto characters = std::count_if(name.begin(), name.end(), [](char c) { return (c & 0xC0) != 0x80; });
  if (characters >= 5) return "\\\\.\\" + std::string(name);
  return std::string(name);
}

DeviceHandle OpenLptLink(LinkDevices& devices, const std::string& name) {
  const DeviceHandle device = devices.OpenDevice(name);
  if (device != kNoDevice) devices.SetTimeouts(device, kLptTimeouts);
  return device;
}

ComOpenResult OpenComLink(LinkDevices& devices, const std::string& name, const LineSettings& line) {
  const DeviceHandle device = devices.OpenDevice(ComDevicePath(name));
  if (device == kNoDevice) return {};
  ComOpenFailure failure = ComOpenFailure::None;
  if (!devices.SetTimeouts(device, ComTimeouts(line.baudRate))) {
    failure = ComOpenFailure::Unusable;
  } else if (!devices.SetLine(device, line)) {
    failure = ComOpenFailure::LineRefused;
  }
  if (failure == ComOpenFailure::None) return {device, failure};
  devices.Close(device);
  return {kNoDevice, failure};
}

DeviceHandle OpenUsbPrinter(LinkDevices& devices) {
  const auto interfaces = devices.UsbPrinterInterfaces();
  if (!interfaces) return kNoDevice;
  const size_t count = std::min<size_t>(interfaces->size(), kMaxUsbInterfaces);
  for (size_t i = 0; i < count; ++i) {
    const UsbInterface& usb = (*interfaces)[i];
    if (usb.flags != 1) continue;
    if (!usb.path) return kNoDevice;
    return devices.OpenForWrite(*usb.path);
  }
  return kNoDevice;
}

}  // namespace prtbench
