// The firmware file check, by streaming from disk and on bytes in memory.
#include "fwflash/FirmwareFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "FirmwareBuilder.h"

namespace {

using fwtest::Counting;
using fwtest::MakeFirmware;

class FirmwareFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("fwfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  bool CheckFile(const std::vector<uint8_t>& bytes) {
    const auto path = dir_ / "f.fmw";
    fwtest::WriteBytes(path, bytes);
    const bool fromFile = fwflash::IsValidFirmwareFile(path);
    // the in-memory check must always agree with the streaming one
    EXPECT_EQ(fwflash::FirmwareImage::FromBytes(bytes).has_value(), fromFile);
    return fromFile;
  }

  std::filesystem::path dir_;
};

TEST_F(FirmwareFileTest, SmallestFileWithRightLengthAndChecksumIsValid) {
  const auto file = MakeFirmware(Counting(4084));
  ASSERT_EQ(file.size(), 4096u);
  EXPECT_TRUE(CheckFile(file));
}

TEST_F(FirmwareFileTest, FileOfFourThousandNinetyFiveBytesIsRefused) {
  EXPECT_FALSE(CheckFile(MakeFirmware(Counting(4083))));
}

TEST_F(FirmwareFileTest, LengthFieldOffByOneIsRefused) {
  for (uint32_t n : {4083u, 4085u}) {
    auto file = MakeFirmware(Counting(4084));
    fwtest::PutLe32(file, 4, n);
    EXPECT_FALSE(CheckFile(file)) << n;
  }
}

TEST_F(FirmwareFileTest, ChecksumOffByOneIsRefused) {
  for (int delta : {-1, 1}) {
    auto file = MakeFirmware(Counting(4084));
    file[file.size() - 4] = static_cast<uint8_t>(file[file.size() - 4] + delta);
    EXPECT_FALSE(CheckFile(file)) << delta;
  }
}

TEST_F(FirmwareFileTest, PayloadBytesCountAsUnsigned) {
  const auto file = MakeFirmware(std::vector<uint8_t>(4084, 0xFF));
  // 4084 * 255 = 1041420 = 0x000FE40C
  EXPECT_EQ(file[4092], 0x0C);
  EXPECT_EQ(file[4093], 0xE4);
  EXPECT_EQ(file[4094], 0x0F);
  EXPECT_EQ(file[4095], 0x00);
  EXPECT_TRUE(CheckFile(file));
}

TEST_F(FirmwareFileTest, ChecksumWrapsModuloTwoToThe32) {
  // 17 MiB of FF bytes add up to 4,545,576,960, beyond 32 bits
  const size_t n = 17u << 20;
  const auto file = MakeFirmware(std::vector<uint8_t>(n, 0xFF));
  EXPECT_EQ(fwflash::ReadLe32(file.data() + 8 + n), static_cast<uint32_t>(4545576960ull % (1ull << 32)));
  EXPECT_TRUE(CheckFile(file));
}

TEST_F(FirmwareFileTest, FreeByteIsIgnored) {
  for (int value : {0x00, 0x5A, 0xFF}) {
    EXPECT_TRUE(CheckFile(MakeFirmware(Counting(4084), static_cast<uint8_t>(value)))) << value;
  }
}

TEST_F(FirmwareFileTest, EachSignatureLetterMatters) {
  for (size_t i = 0; i < 3; ++i) {
    auto file = MakeFirmware(Counting(5000));
    file[i] ^= 0x20;  // "tav", "TAv", "TaV"
    EXPECT_FALSE(CheckFile(file)) << i;
  }
}

TEST_F(FirmwareFileTest, MissingFileAndFolderAreRefused) {
  EXPECT_FALSE(fwflash::IsValidFirmwareFile(dir_ / "absent.fmw"));
  std::filesystem::create_directories(dir_ / "folder.fmw");
  EXPECT_FALSE(fwflash::IsValidFirmwareFile(dir_ / "folder.fmw"));
}

TEST_F(FirmwareFileTest, PayloadLongerThanOneReadBlockIsSummedWhole) {
  // several 64 KiB blocks, the last one partial: a change in any block counts
  auto file = MakeFirmware(Counting(200000, 7));
  EXPECT_TRUE(CheckFile(file));
  file[8 + 150000] ^= 1;
  EXPECT_FALSE(CheckFile(file));
}

// A sparse file of the largest accepted size: header, zeros, zero checksum.
void MakeSparseFirmware(const std::filesystem::path& path, uint64_t length) {
  std::vector<uint8_t> header{'T', 'a', 'v', 0, 0, 0, 0, 0};
  fwtest::PutLe32(header, 4, static_cast<uint32_t>(length - 12));
  fwtest::WriteBytes(path, header);
  std::filesystem::resize_file(path, length);
}

TEST_F(FirmwareFileTest, LargestAcceptedFileIsValidAndOneByteMoreIsNot) {
  const auto path = dir_ / "big.fmw";
  MakeSparseFirmware(path, fwflash::kMaxFileSize);
  EXPECT_TRUE(fwflash::IsValidFirmwareFile(path));
  MakeSparseFirmware(path, fwflash::kMaxFileSize + 1);
  EXPECT_FALSE(fwflash::IsValidFirmwareFile(path));
}

TEST_F(FirmwareFileTest, LoadReadsTheWholeFileAndChecksWhatItRead) {
  const auto path = dir_ / "f.fmw";
  const auto file = MakeFirmware(Counting(6000, 3), 0x42);
  fwtest::WriteBytes(path, file);
  fwflash::LoadedImage loaded = fwflash::LoadFirmwareImage(path);
  ASSERT_EQ(loaded.status, fwflash::LoadStatus::Loaded);
  ASSERT_TRUE(loaded.image);
  EXPECT_TRUE(std::equal(file.begin(), file.end(), loaded.image->bytes().begin(), loaded.image->bytes().end()));
  EXPECT_EQ(loaded.image->payloadLength(), 6000u);
}

TEST_F(FirmwareFileTest, LoadRefusesAFileThatNoLongerChecks) {
  const auto path = dir_ / "f.fmw";
  auto file = MakeFirmware(Counting(6000));
  file[100] ^= 0xFF;
  fwtest::WriteBytes(path, file);
  EXPECT_EQ(fwflash::LoadFirmwareImage(path).status, fwflash::LoadStatus::Invalid);
  EXPECT_EQ(fwflash::LoadFirmwareImage(dir_ / "absent").status, fwflash::LoadStatus::Invalid);
}

TEST(FirmwareImage, PartsAreTheFileBytes) {
  const auto file = MakeFirmware(Counting(4100), 0x99);
  const auto image = fwflash::FirmwareImage::FromBytes(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(std::vector<uint8_t>(image->signature().begin(), image->signature().end()),
            (std::vector<uint8_t>{'T', 'a', 'v', 0x99}));
  EXPECT_EQ(std::vector<uint8_t>(image->lengthField().begin(), image->lengthField().end()),
            (std::vector<uint8_t>{0x04, 0x10, 0x00, 0x00}));
  EXPECT_EQ(image->payloadAndChecksum().size(), 4104u);
  EXPECT_EQ(std::vector<uint8_t>(image->checksum().begin(), image->checksum().end()),
            std::vector<uint8_t>(file.end() - 4, file.end()));
}

}  // namespace
