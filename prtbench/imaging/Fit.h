// Whether a picture may be read and sent at all: its declared size is
// capped before anything is allocated for it, and every picture command
// carries its sizes in fields of two bytes, which a larger picture would
// overflow, sending rows the printer then reads as commands.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "prtbench/base/Messages.h"
#include "prtbench/imaging/Image.h"

namespace prtbench {

struct PictureSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool operator==(const PictureSize&) const = default;
};

// The size a BMP, PNG or GIF file declares in its first bytes `head` (at
// least 26 bytes for all three); nullopt for other formats or a short head.
std::optional<PictureSize> DeclaredPictureSize(std::string_view head);

// The largest picture read: at most 32 Mi dots (128 MB of colours), so a
// small file declaring 30000 x 30000 is refused before its pixels are
// allocated. Larger than any command carries, so that such pictures are
// told apart from unreadable ones.
bool PictureSizeAllowed(PictureSize size);

// The size a preview shows `picture` at inside `frame`: its own when it fits,
// else scaled down until it fits, keeping its proportions (each side at least
// one dot, rounded down). Never larger than the picture.
PictureSize FitInside(PictureSize picture, PictureSize frame);

// The picture commands and the fields that carry their sizes.
enum class PictureCommand {
  Raster,      // GS v 0: RowBytes(W) and H, two bytes each
  NvImage,     // FS q: RoundUp8(W) / 8 and RoundUp8(H) / 8, two bytes each
  NvDefine,    // GS 8 L: RoundUp8(W) and H, two bytes each
};

// Why `image` is not sent with `command`: BitmapLoadFailed for a picture the
// decoder could not read (0 x 0), PictureTooLarge for one whose sizes do not
// fit the command's fields. nullopt when it may be sent.
std::optional<Msg> PictureRefusal(const DecodedImage& image, PictureCommand command);

}  // namespace prtbench
