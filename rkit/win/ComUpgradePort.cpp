// The serial link's rate and flow become the updater's port selection.
#include "rkit/win/ComUpgradePort.h"

#include "prtbench/base/Messages.h"

namespace rkit {
namespace {

fwflash::ComFlow Flow(const LinkChoice& choice) {
  if (choice.line.ctsFlow) return fwflash::ComFlow::Cts;
  return choice.xonXoff ? fwflash::ComFlow::XonXoff : fwflash::ComFlow::None;
}

}  // namespace

ComUpgradePort::ComUpgradePort(const LinkChoice& choice, kit::Clock& clock)
    : device_(choice.device),
      number_(fwflash::ComPortNumber(choice.device)),
      layer_(usb_, clock),
      port_(layer_, {fwflash::Transport::Com, number_.value_or(1) - 1, choice.line.baudRate, 0, Flow(choice)}) {}

bool ComUpgradePort::Open() { return number_ && port_.Open(); }

std::string ComUpgradePort::OpenError() const {
  return device_ + std::string(prtbench::MessageText(prtbench::Msg::ComInvalid, prtbench::Language::English));
}

}  // namespace rkit
