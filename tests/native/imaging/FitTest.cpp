// Pictures refused before anything is sent: unreadable ones, sizes beyond a
// command's fields, and declared sizes too large to allocate; and the size a
// preview shows a picture at.
#include "prtbench/imaging/Fit.h"

#include <gtest/gtest.h>

#include "Images.h"

namespace {

using prtbench::Msg;
using prtbench::PictureCommand;
using prtbench::PictureSize;

TEST(Fit, PicturesAreRefusedWhenUnreadOrBeyondTheCommandsFields) {
  struct Row {
    std::uint32_t width, height;
    PictureCommand command;
    std::optional<Msg> refusal;
  };
  const Row rows[] = {
      {0, 0, PictureCommand::NvImage, Msg::BitmapLoadFailed},
      {0, 0, PictureCommand::NvDefine, Msg::BitmapLoadFailed},
      {0, 0, PictureCommand::Raster, Msg::BitmapLoadFailed},
      {8, 65535, PictureCommand::Raster, std::nullopt},
      {8, 65536, PictureCommand::Raster, Msg::PictureTooLarge},  // yL yH would say 0
      {65528, 8, PictureCommand::NvDefine, std::nullopt},
      {65529, 8, PictureCommand::NvDefine, Msg::PictureTooLarge},  // x = 65536 dots
      {8, 65536, PictureCommand::NvDefine, Msg::PictureTooLarge},
      {8, 524280, PictureCommand::NvImage, std::nullopt},  // y = 65535 units of 8
      {8, 524281, PictureCommand::NvImage, Msg::PictureTooLarge},
  };
  for (const Row& row : rows) {
    // only the sizes are read: no pixels are needed for the check
    const prtbench::DecodedImage image{row.width, row.height, {}};
    EXPECT_EQ(prtbench::PictureRefusal(image, row.command), row.refusal) << row.width << " x " << row.height;
  }
}

std::string Head(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

TEST(Fit, DeclaredSizesAreReadFromTheHeaderAndLargeOnesRefused) {
  struct Row {
    std::string name;
    std::string head;
    std::optional<prtbench::PictureSize> size;
    bool allowed;
  };
  const Row rows[] = {
      {"png 30000 x 30000",
       Head({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0x75, 0x30, 0, 0,
             0x75, 0x30}),
       prtbench::PictureSize{30000, 30000}, false},
      {"gif 384 x 200", Head({'G', 'I', 'F', '8', '9', 'a', 0x80, 0x01, 0xC8, 0x00}), prtbench::PictureSize{384, 200},
       true},
      {"bmp 576 x -100 (top-down)",
       Head({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 0x40, 0x02, 0, 0, 0x9C, 0xFF, 0xFF, 0xFF}),
       prtbench::PictureSize{576, 100}, true},
      {"bmp 8192 x 4097",
       Head({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 0x00, 0x20, 0, 0, 0x01, 0x10, 0, 0}),
       prtbench::PictureSize{8192, 4097}, false},
      {"short png", Head({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), std::nullopt, true},
      {"jpeg", Head({0xFF, 0xD8, 0xFF, 0xE0}), std::nullopt, true},
  };
  for (const Row& row : rows) {
    const auto size = prtbench::DeclaredPictureSize(row.head);
    EXPECT_EQ(size, row.size) << row.name;
    if (size) {
      EXPECT_EQ(prtbench::PictureSizeAllowed(*size), row.allowed) << row.name;
    }
  }
}

TEST(Fit, APreviewIsScaledDownToItsFrameKeepingProportionsNeverUp) {
  const struct {
    PictureSize picture, frame, shown;
  } cases[] = {
      {{100, 40}, {312, 214}, {100, 40}},   // fits: natural size, never enlarged
      {{312, 214}, {312, 214}, {312, 214}},  // exactly the frame
      {{576, 200}, {312, 214}, {312, 108}},  // too wide: 200 * 312 / 576 = 108.3
      {{200, 600}, {312, 214}, {71, 214}},   // too tall: 200 * 214 / 600 = 71.3
      {{464, 464}, {237, 383}, {237, 237}},  // a square symbol in a tall frame
      {{60000, 2}, {312, 214}, {312, 1}},    // a sliver keeps one dot
  };
  for (const auto& c : cases) {
    EXPECT_EQ(prtbench::FitInside(c.picture, c.frame), c.shown) << c.picture.width << "x" << c.picture.height;
  }
}

}  // namespace
