// rkit.exe's upgrade over a serial port: the updater's own port layer, so the
// port is opened, set up, written and read exactly as the updater does it.
#pragma once

#include <optional>

#include "common/Pause.h"
#include "fwflash/win/PortLayer.h"
#include "fwflash/win/UsbDevices.h"
#include "rkit/Link.h"

namespace rkit {

class ComUpgradePort final : public UpgradePort {
 public:
  // `choice`: a serial link named COMn or \\.\COMn; another name does not open.
  ComUpgradePort(const LinkChoice& choice, kit::Clock& clock);

  bool Open() override;
  bool Send(std::span<const uint8_t> bytes) override { return port_.Send(bytes); }
  bool ReceiveReply(fwflash::Reply& reply) override { return port_.ReceiveReply(reply); }
  void Close() override { port_.Close(); }
  std::string OpenError() const override;

 private:
  std::string device_;
  std::optional<int> number_;
  fwflash::SetupApiUsbDevices usb_;  // the layer's USB side, which a serial link never lists
  fwflash::PortLayer layer_;
  fwflash::SelectedPort port_;
};

}  // namespace rkit
