// Numbers behind the port lists and the repetitions counter.
#include "prtbench/console/PortChoices.h"

#include <array>
#include <climits>
#include <string>
#include <stdexcept>

namespace prtbench {

int BaudRateForIndex(int index) {
  static constexpr std::array<int, 8> kRates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
  if (index >= 0 && index < static_cast<int>(kRates.size())) return kRates[static_cast<size_t>(index)];
  return 128000;
}

bool CtsFlowForIndex(int flowIndex) { return flowIndex == 2 || flowIndex == 3; }

bool XonXoffForIndex(int flowIndex) { return flowIndex == 1 || flowIndex == 3; }

int StepRepetitions(int repetitions, int delta) {
  if (delta < 0) return repetitions == INT_MAX ? repetitions : repetitions + 1;
  if (delta > 0) return repetitions - 1 <= 0 ? 1 : repetitions - 1;
  return repetitions;
}

std::string ComName(int number) {
  if (number < 0 || number > kHighestComNumber) throw std::out_of_range("no such COM port");
  return "COM" + std::to_string(number);
}

}  // namespace prtbench
