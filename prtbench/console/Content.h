// What Print and automatic sending send for the content box: the converted
// bytes, and for Print the numbered, time-stamped repetitions around them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "prtbench/base/CodePage.h"
#include "prtbench/console/Hex.h"

namespace prtbench {

enum class ContentError { None, Empty, BadHex };

struct ContentBytes {
  Bytes bytes;
  ContentError error = ContentError::None;
};

// The bytes Print sends for `text`: code page 860 (or `page`) up to the
// first zero byte, or with `hex` the bytes the text writes in hexadecimal.
ContentBytes PrintContent(std::string_view text, bool hex, CodePage page = CodePage::PortugueseDos);

// The buffer automatic sending repeats. With `cutPaper` the cut command
// 1D 56 m 0A 0A whatever the text; otherwise the text in the system ANSI code
// page with its terminating zero, or with `hex` the bytes it writes.
ContentBytes AutoSendContent(std::string_view text, bool hex, bool cutPaper, uint8_t cutMode);

// How Print repeats the content.
struct PrintSwitches {
  int repetitions = 1;  // below 1 sends nothing
  bool numbering = false;
  bool timeStamp = false;
  std::string dateText;  // the clock text shown in the window
};

// "No.<number>\r\n" in ASCII.
Bytes NumberLine(int number);

// "\r\n<date>\r\n" as UTF-16LE, the zero high bytes included: 46 bytes for a
// 19-character date.
Bytes TimeStampBytes(std::string_view dateText);

// The buffers of repetition `number` (1-based), one SendData each, in order:
// the number line if numbering, the content, the time stamp if stamping.
std::vector<Bytes> RepetitionBuffers(const Bytes& content, const PrintSwitches& switches, int number);

// Every buffer of one Print in order; for tests and small jobs.
std::vector<Bytes> PrintBuffers(const Bytes& content, const PrintSwitches& switches);

// The content box in hex view: its text in code page 936 as a hex dump.
std::string HexView(std::string_view text);

// What entered the hex view: the text and the dump shown for it.
struct HexViewEntry {
  std::string text;
  std::string dump;
};

// Back from the hex view. An unedited dump gives back the text that entered,
// also the characters code page 936 lacks; an edited one the bytes it writes
// up to the first zero, read in code page 936 as the dump was written.
// Nothing when the hex text is bad.
struct TextView {
  std::string text;
  bool ok = false;
};
TextView TextFromHexView(std::string_view hexText, const HexViewEntry& entered = {});

}  // namespace prtbench
