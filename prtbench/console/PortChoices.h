// What the main window's port lists and counters mean as numbers.
#pragma once

#include <array>
#include <string_view>

namespace prtbench {

// The entries of the baud rate list, in list order.
inline constexpr std::array<std::string_view, 9> kBaudRateTexts = {
    "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200", "128000"};

// The entries of the flow control list, in list order.
inline constexpr std::array<std::string_view, 4> kFlowControlTexts = {"None", "Xon/Xoff", "RTS", "RTS/XonXoff"};
inline constexpr int kFlowControlRts = 2;  // selected at start

// The entries of the LPT list.
inline constexpr std::array<std::string_view, 3> kLptNames = {"LPT1", "LPT2", "LPT3"};
inline constexpr int kHighestComNumber = 255;  // the COM list runs COM1..COM255

// The rate of baud list entry `index`: 1200..115200 for 0..7, and 128000 for
// every other index (the last entry, and any index a caller could pass).
int BaudRateForIndex(int index);

// CTS output flow control follows "RTS" and "RTS/XonXoff".
bool CtsFlowForIndex(int flowIndex);
// XON/XOFF flow in both directions follows "Xon/Xoff" and "RTS/XonXoff".
bool XonXoffForIndex(int flowIndex);

// The repetitions after an up-down step: a negative delta (the up arrow) adds
// one, a positive one subtracts one, and the count never drops below 1.
int StepRepetitions(int repetitions, int delta);

// Text of the COM list entry for `number`: "COM<number>".
std::string ComName(int number);

}  // namespace prtbench
