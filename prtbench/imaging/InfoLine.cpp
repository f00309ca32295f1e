// The info line's pieces come from the message table, one per language.
#include "prtbench/imaging/InfoLine.h"

#include "prtbench/base/Messages.h"

namespace prtbench {

std::int32_t InfoLineSize(std::uint32_t width, std::uint32_t height) {
  const std::uint32_t rows = (height - height % 8 + 8) / 8;
  return static_cast<std::int32_t>(width * rows);
}

std::string BitmapInfoLine(std::string_view path, std::uint32_t width, std::uint32_t height, InfoSizeText size,
                           Language language) {
  const Msg sizePiece = size == InfoSizeText::WithLimit ? Msg::BitmapInfoSizeLimit : Msg::BitmapInfoSize;
  std::string line(MessageText(Msg::BitmapInfoPrefix, language));
  line += path;
  line += Fill(MessageText(Msg::BitmapInfoWidth, language), {std::to_string(width)});
  line += Fill(MessageText(Msg::BitmapInfoHeight, language), {std::to_string(height)});
  line += Fill(MessageText(sizePiece, language), {std::to_string(InfoLineSize(width, height))});
  return line;
}

}  // namespace prtbench
