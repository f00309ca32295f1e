// Opening the LPT, COM and USB links with the kit's time-outs and line settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "prtbench/link/LinkDevices.h"

namespace prtbench {

// LPT: a write of n bytes gives up after 2000 + n ms.
inline constexpr CommTimeouts kLptTimeouts{0, 20, 20, 1, 2000};

// A printer that takes nothing for this long is taken to be stuck (paper out,
// cover open, CTS held off): the write, or the NET send, fails.
inline constexpr std::uint32_t kStalledPrinterMs = 10000;

// COM: reads as LPT. A write of n bytes gives up after kStalledPrinterMs plus
// twice the time n bytes take on the line at `baudRate` (12 bits a byte at
// most: start, eight data, parity, two stop), in whole milliseconds per byte.
CommTimeouts ComTimeouts(std::uint32_t baudRate);

// COM jobs go out in pieces of at most this much line time (as ComTimeouts
// counts it), so that each write call gives up after at most
// kStalledPrinterMs + kComPieceLineMs however long the job is.
inline constexpr std::uint32_t kComPieceLineMs = 1000;
// Bytes in one piece at `baudRate`, at least 1.
std::size_t ComPieceSize(std::uint32_t baudRate);

// Writes `bytes` to an open COM link configured with ComTimeouts(baudRate),
// piece by piece, in order: the printer sees one stream. A call that its
// time-out cut short but that took bytes is followed by the rest, so a
// printer that paces the line with CTS, however slowly, finishes the job; a
// call that took no byte within its limit (nothing taken for
// kStalledPrinterMs) or failed ends the job, and so does `cancelled`
// answering true before a piece. The count the port took (all of `bytes` on
// success), or nullopt when a call failed.
std::optional<std::uint32_t> WriteComPieces(LinkDevices& devices, DeviceHandle device,
                                            std::span<const std::uint8_t> bytes, std::uint32_t baudRate,
                                            const std::function<bool()>& cancelled = {});

// Names of five characters or more (COM10 and up) need the "\\.\" form.
std::string ComDevicePath(std::string_view name);

inline constexpr int kMaxUsbInterfaces = 20;

// Opens the parallel port `name` and sets kLptTimeouts (a port that refuses
// time-outs, such as a redirected one, is still used). kNoDevice on failure.
DeviceHandle OpenLptLink(LinkDevices& devices, const std::string& name);

// Why a COM open failed: the port is missing or unusable (it cannot be opened
// or refuses the time-outs), or its driver refused the line settings (byte
// sizes and stop bits that many drivers do not offer, such as 4 or 1.5).
enum class ComOpenFailure { None, Unusable, LineRefused };
struct ComOpenResult {
  DeviceHandle device = kNoDevice;  // open only when failure is None
  ComOpenFailure failure = ComOpenFailure::Unusable;
};

// Opens the serial port `name` and configures it: ComTimeouts and `line`. A
// port that refuses either is closed again: without them the bytes would go
// out at the wrong speed or a write could wait for ever.
ComOpenResult OpenComLink(LinkDevices& devices, const std::string& name, const LineSettings& line);

// Opens the first present USB printer-class interface whose flags are exactly
// 1 (active), looking at no more than kMaxUsbInterfaces; whatever the open
// gives. kNoDevice when the list cannot be had, no interface qualifies, or the
// detail of a qualifying one cannot be read.
DeviceHandle OpenUsbPrinter(LinkDevices& devices);

}  // namespace prtbench
