// Fuzzes the texts of vprinter's conditions and status-reply files. Beyond
// not crashing: conditions read back from their own text, and a chosen reply
// is "silent" or 1 to 20 bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/Check.h"
#include "vprinter/Printer.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string word;
  if (const auto conditions = vprinter::ParseConditions(text, word)) {
    const std::string back = vprinter::ConditionsText(*conditions);
    if (back != "ready") Check(vprinter::ParseConditions(back, word) == conditions, "conditions read back");
  }
  if (const auto reply = vprinter::ParseStatusReply(text)) {
    Check(reply->size() <= 20, "a chosen reply is at most 20 bytes");
    Check(!reply->empty() || text.find("silent") != std::string::npos, "only silent is empty");
  }
  return 0;
}
