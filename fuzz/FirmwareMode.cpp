// Fuzzes vprinter's firmware mode with any bytes an updater may send. Beyond
// not crashing or growing without bound (lengths over 1 GiB are refused):
// the bytes cut in two give the same echoes as the whole, and each echo is
// four bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "fuzz/Check.h"
#include "vprinter/Firmware.h"

namespace {

using fuzz::Check;

struct Log : vprinter::escpos::EventLog {
  void Note(const std::string&) override {}
};

// Every image it keeps goes to a folder of its own under TMPDIR, emptied after.
std::vector<std::uint8_t> Echoes(std::span<const std::uint8_t> first, std::span<const std::uint8_t> second) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string dir = std::string(tmp ? tmp : "/tmp") + "/firmware-mode-" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  Log log;
  vprinter::FirmwareHandler handler(vprinter::FirmwareFault{}, dir, log);
  std::vector<std::uint8_t> echoes = handler.OnBytes(first);
  const auto rest = handler.OnBytes(second);
  echoes.insert(echoes.end(), rest.begin(), rest.end());
  std::filesystem::remove_all(dir);
  return echoes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const size_t cut = input.size() * data[0] / 255;
  const auto whole = Echoes(input, {});
  Check(whole == Echoes(input.first(cut), input.subspan(cut)), "a cut input gives the same echoes");
  Check(whole.size() % 4 == 0, "echoes are four bytes");
  return 0;
}
