// Choosing a connection's behaviour.
#include "vprinter/Handler.h"

namespace vprinter {

std::unique_ptr<ConnectionHandler> MakeHandler(const Options&, const std::string&) {
  return std::make_unique<PrintHandler>();
}

}  // namespace vprinter
