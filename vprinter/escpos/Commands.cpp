// Text, control bytes, and the ESC, GS, FS and configuration commands with
// fixed parameters; the dispatch to the commands with data.
#include <algorithm>
#include <cstdio>

#include "vprinter/escpos/CodePage.h"
#include "vprinter/escpos/ConfigFrame.h"
#include "vprinter/escpos/Interpreter.h"

namespace vprinter::escpos {
namespace {

std::string Hex(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

// Parameters of 0/48, 1/49, ... as their number; -1 beyond `max`.
int Choice(std::uint8_t n, int max) {
  const int value = n >= '0' ? n - '0' : n;
  return value <= max ? value : -1;
}

// Whole length of ESC c (with c) and GS c commands with fixed parameters; 0 unknown.
size_t EscSize(std::uint8_t c) {
  switch (c) {
    case '@': case '2': case 'i': case 'm': case 'L': case 'S': return 2;
    case 'a': case '!': case 'E': case 'G': case '-': case 'J': case 'd': case '3': case 't': case 'M':
    case ' ': case 'R': case '{': case 'V': case 'U': case 'T': case '=': case 'r': case 'e': return 3;
    case '$': case '\\': case 'c': return 4;
    case 'p': return 5;
    case 'W': return 10;
    default: return 0;
  }
}

size_t GsSize(std::uint8_t c) {
  switch (c) {
    case 0x0C: return 2;
    case '!': case 'B': case 'H': case 'f': case 'w': case 'h': case 'a': case 'I': case 'r': case 'b': case 'E':
    case '/': case 'j': return 3;
    case 'L': case 'W': case 'P': case '$': case '\\': return 4;
    default: return 0;
  }
}

size_t FsSize(std::uint8_t c) {
  switch (c) {
    case '&': case '.': return 2;
    case '!': case '-': case 'W': case 'C': return 3;
    case 'S': case 'p': return 4;
    default: return 0;
  }
}

}  // namespace

size_t Interpreter::Text(Span in) {
  const CodePage* page = FindCodePage(modes_.codePage);
  size_t i = 0;
  while (i < in.size() && in[i] >= 0x20) {
    const std::uint8_t b = in[i];
    if (modes_.kanji && b >= 0x81 && b <= 0xFE) {
      if (i + 1 >= in.size()) break;  // the second byte is still to come
      const char32_t c = DecodeGbk(b, in[i + 1]);
      AddChar(c ? c : 0xFFFD, true);
      i += 2;
      continue;
    }
    const char32_t c = b < 0x80 ? International(modes_.international, b) : page ? page->chars[b] : 0;
    if (b != 0x7F) AddChar(c ? c : 0xFFFD, false);
    ++i;
  }
  return i;
}

size_t Interpreter::Control(Span in) {
  switch (in[0]) {
    case 0x0A: PrintLine(modes_.lineSpacing); return 1;
    case 0x09: Tab(); return 1;
    case 0x0C:  // form feed: to the next black mark when the printer looks for them
      FlushLine();
      if (settings_.blackMark) paper_.Cut("fed to the next black mark");
      return 1;
    case 0x00: case 0x0D: case 0x18: return 1;  // NUL, CR (no automatic line feed), CAN
    case 0x10:
      if (in.size() < 3) return 0;
      if (in[1] == 0x04) {
        if (in[2] >= 1 && in[2] <= 4) requests_.push_back({StatusRequest::Kind::RealTime, in[2]});
        else Note("DLE EOT " + std::to_string(in[2]) + ": no such status");
        return 3;
      }
      if (in[1] == 0x05) {
        Note("real-time request DLE ENQ " + Hex(in[2]) + ": the printer is not in an error state");
        return 3;
      }
      Unknown(in.first(2), "DLE " + Hex(in[1]) + " unknown");
      return 2;
    default: Unknown(in.first(1)); return 1;
  }
}

size_t Interpreter::Esc(Span in) {
  if (in.size() < 2) return 0;
  if (in[1] == '*') return BitImage(in);
  if (in[1] == '(') return SkipFunction(in, "ESC");
  if (in[1] == 'D') {  // up to 32 tab positions, ended by NUL
    size_t end = 2;
    while (end < in.size() && end < 34 && in[end] != 0) ++end;
    if (end == in.size()) return 0;
    modes_.tabs.assign(in.begin() + 2, in.begin() + static_cast<std::ptrdiff_t>(end));
    return in[end] == 0 ? end + 1 : end;
  }
  const size_t size = EscSize(in[1]);
  if (size == 0) {
    Unknown(in.first(2), "ESC " + Hex(in[1]) + " unknown");
    return 2;
  }
  return in.size() < size ? 0 : EscSimple(in.first(size));
}

size_t Interpreter::EscSimple(Span in) {
  const std::uint8_t n = in.size() > 2 ? in[2] : 0;
  switch (in[1]) {
    case '@': Initialise(); break;
    case 'a': if (Choice(n, 2) >= 0) modes_.align = static_cast<Align>(Choice(n, 2)); break;
    case '!':
      modes_.face = (n & 0x01) ? Face::B : Face::A;
      modes_.bold = n & 0x08;
      modes_.heightMul = (n & 0x10) ? 2 : 1;
      modes_.widthMul = (n & 0x20) ? 2 : 1;
      modes_.underline = (n & 0x80) ? 1 : 0;
      break;
    case 'E': modes_.bold = n & 1; break;
    case 'G': modes_.doubleStrike = n & 1; break;
    case '-': if (Choice(n, 2) >= 0) modes_.underline = Choice(n, 2); break;
    case '$': MoveTo(in[2] | in[3] << 8, false); break;
    case '\\': MoveTo(static_cast<std::int16_t>(in[2] | in[3] << 8), true); break;
    case '{': modes_.upsideDown = n & 1; break;
    case 'V': if (Choice(n, 2) >= 0) modes_.rotated = Choice(n, 2) > 0; break;
    case 'J':
      if (line_.Empty()) paper_.Feed(n);
      else PrintLine(n);
      break;
    case 'd':
      PrintLine(n == 0 ? 0 : modes_.lineSpacing);
      for (int i = 1; i < n; ++i) PrintLine(modes_.lineSpacing);
      break;
    case '2': modes_.lineSpacing = kDefaultLineSpacing; break;
    case '3': modes_.lineSpacing = n; break;
    case 't':
      if (FindCodePage(n)) modes_.codePage = n;
      else Note("ESC t " + std::to_string(n) + ": no such character table, kept " + std::to_string(modes_.codePage));
      break;
    case 'R':
      if (n < kInternationalSets) modes_.international = n;
      else Note("ESC R " + std::to_string(n) + ": no such character set, kept " + std::to_string(modes_.international));
      break;
    case 'M': if (Choice(n, 1) >= 0) modes_.face = Choice(n, 1) ? Face::B : Face::A; break;
    case ' ': modes_.charSpacing = n; break;
    case 'i': case 'm': CutPaper("partial cut"); break;
    case 'p': Note("cash drawer pulse on pin " + std::string((n & 1) ? "5" : "2")); break;
    default: Note("ESC " + Hex(in[1]) + ": not simulated, " + std::to_string(in.size()) + " bytes taken"); break;
  }
  return in.size();
}

size_t Interpreter::Gs(Span in) {
  if (in.size() < 2) return 0;
  switch (in[1]) {
    case 'v': return Raster(in);
    case 'k': return Barcode(in);
    case 'V': return Cut(in);
    case '(':
      if (in.size() < 3) return 0;
      return in[2] == 'k' ? Qr(in) : Graphics(in);
    case '8':
      if (in.size() < 3) return 0;
      if (in[2] == 'L') return Graphics(in);
      break;
    case 'T':  // print position to the line's start: the standard form has n (0, 1, 48, 49); ours takes none
      if (in.size() < 3) return 0;
      FlushLine();
      return Choice(in[2], 1) >= 0 ? 3 : 2;
    default: break;
  }
  const size_t size = GsSize(in[1]);
  if (size == 0) {
    Unknown(in.first(2), "GS " + Hex(in[1]) + " unknown");
    return 2;
  }
  return in.size() < size ? 0 : GsSimple(in.first(size));
}

size_t Interpreter::GsSimple(Span in) {
  const std::uint8_t n = in.size() > 2 ? in[2] : 0;
  const int word = in.size() > 3 ? in[2] | in[3] << 8 : 0;
  switch (in[1]) {
    case '!':
      if ((n & 0x88) == 0) {
        modes_.widthMul = (n >> 4) + 1;
        modes_.heightMul = (n & 7) + 1;
      }
      break;
    case 'B': modes_.reverse = n & 1; break;
    case 'H': if (Choice(n, 3) >= 0) modes_.hri = Choice(n, 3); break;
    case 'f': if (Choice(n, 1) >= 0) modes_.hriFace = Choice(n, 1) ? Face::B : Face::A; break;
    case 'w': if (n >= 1 && n <= 6) modes_.barWidth = n; break;
    case 'h': if (n >= 1) modes_.barHeight = n; break;
    case 'L': modes_.leftMargin = word; break;
    case 'r':
      if (Choice(n, 2) >= 1) requests_.push_back({StatusRequest::Kind::Sensor, Choice(n, 2)});
      break;
    case 'I':
      if (Choice(n, 3) >= 1) requests_.push_back({StatusRequest::Kind::Identity, Choice(n, 3)});
      else Note("GS I " + std::to_string(n) + ": not simulated");
      break;
    case 'a':  // on (any n but 0): the state goes back at once and whenever it changes
      requests_.push_back({StatusRequest::Kind::Automatic, n});
      break;
    case 'P':  // 0: the default, one dot per unit
      modes_.motionX = in[2] ? in[2] : kDotsPerInch;
      modes_.motionY = in[3] ? in[3] : kDotsPerInch;
      break;
    case 'W': modes_.areaWidth = word; break;
    case 0x0C:  // GS FF: to the next black mark's print position
      FlushLine();
      if (settings_.blackMark) paper_.Cut("fed to the next black mark");
      else Note("GS FF without black mark mode: ignored");
      break;
    default: Note("GS " + Hex(in[1]) + ": not simulated, " + std::to_string(in.size()) + " bytes taken"); break;
  }
  return in.size();
}

size_t Interpreter::Fs(Span in) {
  if (in.size() < 2) return 0;
  if (in[1] == 'q') return NvDefine(in);
  if (in[1] == '(') return SkipFunction(in, "FS");
  const size_t size = FsSize(in[1]);
  if (size == 0) {
    Unknown(in.first(2), "FS " + Hex(in[1]) + " unknown");
    return 2;
  }
  if (in.size() < size) return 0;
  switch (in[1]) {
    case '&': modes_.kanji = true; break;
    case '.': modes_.kanji = false; break;
    case 'p': return NvPrint(in.first(size));
    case '-': if (Choice(in[2], 2) >= 0) modes_.kanjiUnderline = Choice(in[2], 2); break;
    case '!':
      modes_.kanjiWidthMul = (in[2] & 0x04) ? 2 : 1;
      modes_.kanjiHeightMul = (in[2] & 0x08) ? 2 : 1;
      modes_.kanjiUnderline = (in[2] & 0x80) ? 1 : 0;
      break;
    case 'W': modes_.kanjiWidthMul = modes_.kanjiHeightMul = (in[2] & 1) ? 2 : 1; break;
    case 'S':
      modes_.kanjiLeftSpacing = in[2];
      modes_.kanjiRightSpacing = in[3];
      break;
    case 'C':
      Note("FS C " + std::to_string(in[2]) + ": double-byte text is read as GBK whatever the code system");
      break;
    default: Note("FS " + Hex(in[1]) + ": not simulated, " + std::to_string(size) + " bytes taken"); break;
  }
  return size;
}

// X ( fn pL pH, then pL + pH * 256 bytes: a function frame this printer
// does not simulate is skipped whole, by its length.
size_t Interpreter::SkipFunction(Span in, const std::string& prefix) {
  if (in.size() < 5) return 0;
  const size_t size = in[3] | in[4] << 8;
  Note(prefix + " ( " + Hex(in[2]) + ": not simulated, " + std::to_string(5 + size) + " bytes skipped");
  Body body;
  body.remaining = size;
  StartBody(std::move(body));
  return 5;
}

size_t Interpreter::Frame(Span in) {
  if (!StartsFrame(in)) {
    Unknown(in.first(1));
    return 1;
  }
  const int codePage = settings_.codePage;
  const std::uint8_t dip = settings_.dip;
  const FrameResult result = TakeFrame(in, settings_);
  if (result.used == 0) return 0;
  Note("configuration: " + result.note);
  // a new table or Chinese mode applies at once, as after ESC @
  if (settings_.codePage != codePage) modes_.codePage = settings_.codePage;
  if (settings_.dip != dip) modes_.kanji = settings_.ChineseMode();
  if (result.selfTest) SelfTest();
  return result.used;
}

}  // namespace vprinter::escpos
