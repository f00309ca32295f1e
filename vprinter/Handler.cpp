// Choosing a connection's behaviour.
#include "vprinter/Handler.h"

#include "vprinter/Firmware.h"

namespace vprinter {

std::unique_ptr<ConnectionHandler> MakeHandler(const Options& options, const std::string&) {
  if (options.firmware) {
    return std::make_unique<FirmwareHandler>(ParseFirmwareFault(options.firmwareFault).value_or(FirmwareFault{}),
                                             options.journalDir);
  }
  return std::make_unique<PrintHandler>();
}

}  // namespace vprinter
