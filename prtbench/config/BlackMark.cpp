// Black mark frames, offsets, field checks and test receipts.
#include "prtbench/config/BlackMark.h"

#include "prtbench/base/CodePage.h"
#include "prtbench/base/Messages.h"
#include "prtbench/config/Frame.h"

namespace prtbench {
namespace {

constexpr std::uint8_t kDetection = 0x80;
constexpr std::uint8_t kMaxLength = 0x81;
constexpr std::uint8_t kWidthLimit = 0x82;
constexpr int kDotsPerMm = 8;
constexpr double kAlternativeStepMm = 0.176;
constexpr int kAlternativePrintReference = 20;
constexpr int kAlternativeCutReference = 45;
constexpr int kPrinterTypeWithoutOffsets = 1;

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::uint8_t High(int value) { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }

// The frames carry 16 bits; wide arithmetic first, so any number typed stays defined.
std::uint16_t Wire(std::int64_t n) { return static_cast<std::uint16_t>(n & 0xFFFF); }

std::uint16_t Dots(int mm) { return Wire(std::int64_t{mm} * kDotsPerMm); }

// trunc(mm / 0.176), toward zero; mm is at most a few 2^31, so the steps fit 64 bits
std::uint16_t AlternativeSteps(double mm) { return Wire(static_cast<std::int64_t>(mm / kAlternativeStepMm)); }

Bytes LengthFrame(std::uint8_t command, int mm) {
  const std::uint16_t n = Dots(mm);
  return ConfigFrame(command, {0x04, 0x05, 0x06, Low(n), High(n), 0x00});
}

// `utf8` with its "%d" replaced by `value`, in GBK, zero-filled to `block` bytes.
Bytes Block(std::string_view utf8, std::optional<int> value, size_t block) {
  const std::string text = value ? Fill(utf8, {std::to_string(*value)}) : std::string(utf8);
  const std::string gbk = ToCodePage(text, CodePage::SimplifiedChinese);
  Bytes bytes(gbk.begin(), gbk.end());
  if (bytes.size() < block) bytes.resize(block, 0x00);
  return bytes;
}

std::string_view CutLine(int direction, std::string_view feed, std::string_view reverse) {
  return direction == 1 ? reverse : feed;
}

}  // namespace

FieldReading ReadField(std::optional<int> parsed, int previous, std::optional<FieldRange> range, Language language) {
  if (!parsed) return {previous, std::string(MessageText(Msg::ConfigIntegerRequired, language))};
  if (range && (*parsed < range->min || *parsed > range->max)) {
    const std::string text = Fill(MessageText(Msg::ConfigIntegerBetween, language),
                                  {std::to_string(range->min), std::to_string(range->max)});
    return {*parsed, text};
  }
  return {*parsed, std::nullopt};
}

Bytes MaxLengthCommand(int mm) { return LengthFrame(kMaxLength, mm); }

Bytes WidthLimitCommand(int mm) { return LengthFrame(kWidthLimit, mm); }

std::uint16_t WidthLimitH(int mm) { return Dots(mm); }

std::uint16_t CutOffsetUnits(BlackMarkMode mode, int printerType, const BlackMarkValues& values) {
  if (mode == BlackMarkMode::Alternative) {
    const double cut = values.cutOffset;
    const double d = cut <= kAlternativeCutReference ? kAlternativeCutReference - cut
                                                     : values.maxLength - cut + kAlternativeCutReference;
    return AlternativeSteps(d);
  }
  return printerType == kPrinterTypeWithoutOffsets ? 0 : Dots(values.cutOffset);
}

std::uint16_t PrintOffsetUnits(BlackMarkMode mode, int printerType, const BlackMarkValues& values) {
  if (mode == BlackMarkMode::Alternative) {
    return AlternativeSteps(static_cast<double>(values.printOffset) + kAlternativePrintReference);
  }
  return printerType == kPrinterTypeWithoutOffsets ? 0 : Dots(values.printOffset);
}

Bytes CutPositionCommand(int direction, std::uint16_t n) {
  return {0x1D, 0x28, 0x46, 0x04, 0x00, 0x02, Low(direction), Low(n), High(n), 0x00};
}

Bytes PrintPositionCommand(int direction, std::uint16_t n, std::uint16_t h) {
  const auto high = static_cast<std::uint8_t>(High(n) + High(h));
  return {0x1D, 0x28, 0x46, 0x04, 0x00, 0x01, Low(direction), Low(n), high, 0x00};
}

Bytes BlackMarkOnCommand() { return ConfigFrame(kDetection, {0x04, 0x05, 0x06, 0x44}); }

Bytes BlackMarkOffCommand() { return ConfigFrame(kDetection, {0x04, 0x05, 0x06, 0x66, 0x00}); }

std::vector<Bytes> TicketTest(const BlackMarkValues& values) {
  const std::string_view cut = CutLine(values.direction, "    切纸位置: 距黑标(进纸方向)处 %d mm\n",
                                       "    切纸位置: 距黑标(退纸方向)处 %d mm\n");
  return {{0x1D, 0x0C},
          Block("    从此处位置开始打印,距切撕纸处 %d mm\n", values.printOffset, 50),
          Block(cut, values.cutOffset, 50),
          {0x1D, 0x56, 0x30}};
}

std::vector<Bytes> PrintStartTest(const BlackMarkValues& values) {
  return {{0x1D, 0x0C},
          Block("          下一个打印在此处！\n", std::nullopt, 42),
          Block("           距切撕纸处 %d mm\n", values.printOffset, 40)};
}

std::vector<Bytes> CutTest(const BlackMarkValues& values) {
  const std::string_view distance = CutLine(values.direction, "           距黑标(进纸方向)处 %d mm\n",
                                            "           距黑标(退纸方向)处 %d mm\n");
  return {Block("      走纸到下一个切纸位置处切纸测试\n", std::nullopt, 40),
          Block(distance, values.cutOffset, 40),
          {0x0A, 0x1D, 0x56, 0x01}};
}

}  // namespace prtbench
