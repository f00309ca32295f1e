// Pictures for image, logo and nv on Linux: PNG through libpng, BMP read
// here, as colours for the portable core's thresholds and rasters.
#pragma once

#include <optional>
#include <string>

#include "prtbench/imaging/Image.h"

namespace rkit {

// The picture at `path`: nullopt when there is no such file; a 0 x 0 picture
// when it is neither a PNG nor an uncompressed BMP (1, 4, 8, 24 or 32 bits)
// it can read, or declares a size beyond PictureSizeAllowed.
std::optional<prtbench::DecodedImage> ReadPictureFile(const std::string& path);

// A BMP file's bytes as colours; 0 x 0 when they are not one it reads.
prtbench::DecodedImage DecodeBmp(const std::string& file);

}  // namespace rkit
