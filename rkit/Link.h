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
#include "prtbench/app/Bytes.h"
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

class Link final : public prtbench::PrintSink {
 public:
  Link(prtbench::LinkDevices& devices, kit::Clock& clock, LinkChoice choice);
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

  // TCP only: waits up to `waitMs` for bytes from the printer and reads what
  // came: the count (> 0), 0 when nothing came or the printer closed, -1
  // without a connection or on a failed read.
  int Receive(std::span<std::uint8_t> buffer, unsigned waitMs);

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
