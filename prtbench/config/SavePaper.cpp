// Paper-saving frames.
#include "prtbench/config/SavePaper.h"

#include "prtbench/config/Frame.h"

namespace prtbench {
namespace {

constexpr std::uint8_t kSettings = 0x00;
constexpr std::uint8_t kSavePaper = 0x0A;
constexpr int kPercentStep = 25;

}  // namespace

std::uint8_t SavePaperValue(SavePaperFunction function, int index) {
  const int value = function == SavePaperFunction::TopBlank ? index : index * kPercentStep;
  return static_cast<std::uint8_t>(value & 0xFF);
}

Bytes SavePaperCommand(SavePaperFunction function, int index) {
  return ConfigFrame(kSettings, {kSavePaper, static_cast<std::uint8_t>(function), SavePaperValue(function, index)});
}

}  // namespace prtbench
