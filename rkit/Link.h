// rkit's printer link: one link chosen on the command line (TCP, serial,
// USB printer or parallel device), opened with the bench tool's time-outs and
// failing with its texts. Send sequences of the portable core run over it as
// a PrintSink.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "common/Pause.h"
#include "fwflash/Upgrade.h"
#include "prtbench/base/Bytes.h"
#include "prtbench/link/LinkDevices.h"
#include "prtbench/link/PrintSink.h"

namespace rkit {

enum class LinkKind { Net, Serial, Usb, Lpt };

struct LinkChoice {
  LinkKind kind = LinkKind::Net;
  std::string device;  // serial, USB or parallel device; "auto" for USB: the first printer listed
  prtbench::Ipv4 host = 0;
  std::uint16_t port = 9100;
  prtbench::LineSettings line{9600, 8, 0, 0, false};
  bool xonXoff = false;
  int connectSeconds = 1;  // TCP connect time-out of each of the three attempts
};

// Why a link gave up.
enum class LinkFailure { None, Open, Send };

// Reading the printer's replies on an open serial port or USB printer device,
// where the system's devices offer it (Linux); the Windows build has none and
// upgrades over a serial port through an UpgradePort instead.
class DeviceReads {
 public:
  virtual ~DeviceReads() = default;
  // Reads from `device` until `buffer` is full or `milliseconds` have passed,
  // as a serial read with a total time-out does: the count read (0 when
  // nothing came), nullopt when the read failed.
  virtual std::optional<std::uint32_t> Read(prtbench::DeviceHandle device, std::span<std::uint8_t> buffer,
                                            unsigned milliseconds) = 0;
  // Drops what the device received and nobody read; what waits to go out stays.
  virtual void DiscardInput(prtbench::DeviceHandle device) = 0;
};

// The system's own link for an upgrade over a device whose replies Link cannot
// hear: on Windows, a serial port through the updater's port layer, so that
// rkit.exe puts the updater's line settings and bytes on the port.
class UpgradePort : public fwflash::FirmwarePort {
 public:
  // One English line: why Open failed, with the bench tool's text.
  virtual std::string OpenError() const = 0;
};

class Link final : public prtbench::PrintSink {
 public:
  // `reads`: nullptr where devices cannot be read, so only TCP has replies.
  Link(prtbench::LinkDevices& devices, DeviceReads* reads, kit::Clock& clock, LinkChoice choice);
  ~Link() override;
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // Opens the link unless it is open: false when it cannot, error() says why.
  bool Open();
  // Opens if needed and sends all of `bytes`; a printer that takes nothing
  // for the bench tool's stall time fails the send. Bytes once taken are
  // never sent again.
  bool Print(std::span<const std::uint8_t> bytes) override;
  // TCP lives per job: the next Print connects afresh.
  void EndJob() override;

  // Whether Receive can hear this link's printer: TCP, and a serial port or
  // USB printer where the devices can be read.
  bool HearsReplies() const;
  // Whether this system's serial and USB devices can be read at all.
  bool ReadsDevices() const { return reads_ != nullptr; }
  // Waits up to `waitMs` for bytes from the printer: on TCP what one read
  // brings, on a device until `buffer` is full. The count (> 0), 0 when
  // nothing came or the printer closed, -1 when the link is not open or
  // cannot be read, or the read failed.
  int Receive(std::span<std::uint8_t> buffer, unsigned waitMs);
  // A device link drops received bytes nobody read, so that they cannot pass
  // for the next reply; TCP has none between its exchanges.
  void DiscardInput();

  LinkFailure failure() const { return failure_; }
  // One English line: the bench tool's text for the failure.
  const std::string& error() const { return error_; }

 private:
  bool OpenDevice();
  bool SendDevice(std::span<const std::uint8_t> bytes);
  bool SendNet(std::span<const std::uint8_t> bytes);
  void Close();
  bool Fail(LinkFailure failure, std::string text);

  prtbench::LinkDevices& devices_;
  DeviceReads* reads_;
  kit::Clock& clock_;
  LinkChoice choice_;
  prtbench::DeviceHandle device_ = prtbench::kNoDevice;
  prtbench::SocketHandle socket_ = prtbench::kNoSocket;
  LinkFailure failure_ = LinkFailure::None;
  std::string error_;
};

// One exchange on another TCP port of the printer (its status port): connects
// to host:port with the connect time-out, sends `request` whole, and waits up
// to `waitMs` for an answer (0: none is waited for). nullopt when the
// connection or the send failed; the answer's bytes otherwise (empty when
// none came).
std::optional<prtbench::Bytes> ExchangeOnPort(prtbench::LinkDevices& devices, kit::Clock& clock, prtbench::Ipv4 host,
                                              std::uint16_t port, int connectSeconds,
                                              std::span<const std::uint8_t> request, unsigned waitMs);

}  // namespace rkit
