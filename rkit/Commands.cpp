// The commands that print: text, the fixed commands, codes.
#include "rkit/Commands.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <vector>

#include "prtbench/base/CodePage.h"
#include "prtbench/console/Commands.h"
#include "prtbench/console/Content.h"
#include "prtbench/imaging/Barcodes.h"
#include "prtbench/imaging/Qr.h"
#include "rkit/CommandTable.h"
#include "rkit/ExitCodes.h"

namespace rkit {
namespace {

using namespace prtbench;

std::optional<std::string> ReadWhole(std::istream& in) {
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

std::optional<CodePage> PageNamed(const std::string& name) {
  if (name == "860") return CodePage::PortugueseDos;
  if (name == "936") return CodePage::SimplifiedChinese;
  if (name == "1252" || name == "ansi") return CodePage::SystemAnsi;
  return std::nullopt;
}

// The text of print: its words as one line, the --file, or standard input.
std::optional<std::string> PrintText(const Invocation& v, Environment& e) {
  if (v.options.contains("--file")) {
    std::ifstream file(v.options.at("--file"), std::ios::binary);
    if (!file) return std::nullopt;
    return ReadWhole(file);
  }
  if (v.words.empty()) return ReadWhole(e.in);
  std::string line;
  for (const std::string& word : v.words) line += (line.empty() ? "" : " ") + word;
  // words end their line as echo does; hexadecimal text says every byte itself
  return v.options.contains("--hex") ? line : line + "\n";
}

int Print(const Invocation& v, Environment& e) {
  const auto page = PageNamed(v.options.contains("--codepage") ? v.options.at("--codepage") : "860");
  const auto repeat = ParseNumber(v.options.contains("--repeat") ? v.options.at("--repeat") : "1", 1, 9999);
  if (!page || !repeat) return UsageError(e, "print", "--codepage is 860, 936 or 1252; --repeat 1 to 9999");
  if (v.options.contains("--file") && !v.words.empty()) return UsageError(e, "print", "give text or --file, not both");
  const auto text = PrintText(v, e);
  if (!text) return Refuse(e, "cannot read " + (v.options.contains("--file") ? v.options.at("--file") : "standard input"));
  const ContentBytes content = PrintContent(*text, v.options.contains("--hex"), *page);
  if (content.error == ContentError::Empty) return Refuse(e, "nothing to print");
  if (content.error == ContentError::BadHex) return Refuse(e, "the hexadecimal text holds a character that is not a hex digit");
  PrintSwitches switches;
  switches.repetitions = static_cast<int>(*repeat);
  std::vector<Bytes> buffers = PrintBuffers(content.bytes, switches);
  if (v.options.contains("--cut")) buffers.push_back(CutPaperCommand());
  return SendAll(e, buffers);
}

int Cut(const Invocation&, Environment& e) { return SendAll(e, {CutPaperCommand()}); }
int Drawer(const Invocation&, Environment& e) { return SendAll(e, {CashDrawerCommand()}); }
int SelfTest(const Invocation&, Environment& e) { return SendAll(e, {SelfTestCommand()}); }

int Qr(const Invocation& v, Environment& e) {
  const std::string level = v.options.contains("--level") ? v.options.at("--level") : "L";
  const auto ecc = std::string("LMQH").find(level.size() == 1 ? level[0] : '?');
  const auto size = ParseNumber(v.options.contains("--size") ? v.options.at("--size") : "7", 1, 16);
  if (ecc == std::string::npos || !size) return UsageError(e, "qr", "--level is L, M, Q or H; --size 1 to 16");
  const auto sends = QrPrintSends(ToCodePage(v.words[0], CodePage::SystemAnsi), static_cast<int>(*size) - 1,
                                  static_cast<int>(ecc), v.options.contains("--cut"));
  return SendAll(e, {sends.begin(), sends.end()});
}

int Barcode(const Invocation& v, Environment& e) {
  std::string typeName = v.words[0];
  std::transform(typeName.begin(), typeName.end(), typeName.begin(), [](unsigned char c) { return std::toupper(c); });
  const auto named = std::find_if(std::begin(kBarcodeSamples), std::end(kBarcodeSamples),
                                  [&](const BarcodeSample& s) { return s.listText == typeName; });
  const auto height = ParseNumber(v.options.contains("--height") ? v.options.at("--height") : "80", 1, 255);
  if (named == std::end(kBarcodeSamples) || !height) {
    return UsageError(e, "barcode", "TYPE is one of UPC_A UPC_C EAN(JAN)13 EAN(JAN)8 CODE39 ITF CODABAR CODE93 CODE128; --height 1 to 255");
  }
  const Bytes bytes = BarcodeCommands(static_cast<int>(named - std::begin(kBarcodeSamples)),
                                      static_cast<std::uint8_t>(*height), v.words[1], v.words[1]);
  if (bytes.empty()) return Refuse(e, "barcode data is 255 bytes at most");
  return SendAll(e, {bytes});
}

}  // namespace

const std::vector<CommandEntry>& PrintCommands() {
  static const std::vector<CommandEntry> commands = {
      {"print", "[TEXT...] [--file FILE] [--hex] [--codepage 860|936|1252] [--repeat N] [--cut]",
       "Prints TEXT (its words as one line), the text of FILE, or standard input, converted to the\n"
       "code page (860 by default, as the bench tool's Print). --hex reads the text as hexadecimal\n"
       "bytes (\"1B 40 41 0A\"). --repeat sends it N times; --cut feeds and cuts after.",
       {"--file", "--hex", "--codepage", "--repeat", "--cut"}, 0, 1000, true, Print},
      {"cut", "", "Feeds and cuts the paper (1D 56 42 00 0A 0A 00).", {}, 0, 0, true, Cut},
      {"drawer", "", "Opens the cash drawer: a pulse on pin 2 (1B 70 00 1E FF 00).", {}, 0, 0, true, Drawer},
      {"selftest", "", "Prints the printer's self test page (1F 1B 1F 67).", {}, 0, 0, true, SelfTest},
      {"qr", "TEXT [--level L|M|Q|H] [--size 1-16] [--cut]",
       "Prints TEXT as a QR code: error correction L (7%, the default), M, Q or H; module size\n"
       "1 to 16 dots (7 by default).",
       {"--level", "--size", "--cut"}, 1, 1, true, Qr},
      {"barcode", "TYPE DATA [--height DOTS]",
       "Prints DATA as a barcode with DATA under it. TYPE: UPC_A, UPC_C (UPC-E), EAN(JAN)13,\n"
       "EAN(JAN)8, CODE39, ITF, CODABAR, CODE93, CODE128 (its data starts with the code set, \"{B\").\n"
       "--height 1 to 255 dots (80 by default).",
       {"--height"}, 2, 2, true, Barcode},
  };
  return commands;
}

}  // namespace rkit
