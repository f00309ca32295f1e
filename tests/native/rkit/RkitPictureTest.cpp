// rkit's picture commands against vprinter: the raster, logo and NV graphics
// jobs' bytes reach the printer exactly, and the dry run shows them send by
// send; a file that is no picture is refused before any byte.
#include <gtest/gtest.h>

#include <fstream>

#include "PrintBench.h"
#include "RunRkit.h"
#include "support/BmpFile.h"
#include "support/VPrinterProcess.h"

namespace {

using namespace testsupport;
using printbench::B;
using rkittest::HexLines;
using rkittest::RunRkit;

// A white picture of `width` x `height` whose top left dot is black.
std::string Picture(const std::string& dir, std::uint32_t width, std::uint32_t height) {
  prtbench::DecodedImage image{width, height, std::vector<prtbench::Colour>(width * height, 0xFFFFFF)};
  image.pixels[0] = 0;
  const std::string path = dir + "/" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
  std::ofstream(path, std::ios::binary) << BmpFile(image);
  return path;
}

std::string Zeros(size_t n) { return std::string(n, '\0'); }

class RkitPictureTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run"; }
  const std::string dir_ = MakeTempDir();
};

TEST_F(RkitPictureTest, EachJobsBytesReachThePrinter) {
  const std::string wide = Picture(dir_, 384, 1), small = Picture(dir_, 8, 8);
  const std::string feed = B({0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x00});
  const std::string cut = B({0x1D, 0x56, 0x01, 0x00, 0x0A, 0x0A, 0x00});
  struct Case {
    std::vector<std::string> command;
    std::vector<std::string> sends;
  };
  const Case cases[] = {
      {{"image", wide, "--width", "384"}, {B({0x1D, 0x76, 0x30, 0x00, 0x30, 0x00, 0x01, 0x00, 0x80}) + Zeros(47)}},
      {{"logo", "store", small}, {B({0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00, 0x80}) + Zeros(10)}},
      {{"logo", "store", small, small},
       {B({0x1C, 0x71, 0x02, 0x01, 0x00, 0x01, 0x00, 0x80}) + Zeros(7) + B({0x01, 0x00, 0x01, 0x00, 0x80}) + Zeros(7)}},
      {{"logo", "print", "2", "--size", "1", "--cut"},
       {B({0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54, 0x1C, 0x70, 0x02, 0x31, 0x1B, 0x40, 0x00}), feed, cut}},
      {{"logo", "clear"}, {B({0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00}) + Zeros(8)}},
      {{"nv", "store", "A1", small},
       {B({0x1D, 0x38, 0x4C, 0x13, 0x00, 0x00, 0x00, 0x30, 0x43, 0x30, 'A', '1', 0x01, 0x08, 0x00, 0x08, 0x00, 0x31,
           0x80}) + Zeros(7)}},
      {{"nv", "delete", "A1"}, {B({0x1D, 0x28, 0x4C, 0x04, 0x00, 0x30, 0x42, 'A', '1'})}},
      {{"nv", "delete-all"}, {B({0x1D, 0x28, 0x4C, 0x05, 0x00, 0x30, 0x41, 'C', 'L', 'R'})}},
  };
  for (const Case& c : cases) {
    const std::string name = c.command[0] + " " + c.command[1];
    VPrinterProcess printer({"--tcp", "127.0.0.75:0", "--no-render"});
    ASSERT_TRUE(printer.WaitReady());
    std::vector<std::string> args = {"--net", printer.Source().substr(4)};
    args.insert(args.end(), c.command.begin(), c.command.end());
    const auto outcome = RunRkit(args);
    EXPECT_EQ(outcome.status, 0) << name << ": " << outcome.err;
    // the jobs end their connection around each send: all connections' bytes
    // in order, once vprinter has journaled the last close
    std::string expected, received;
    for (const std::string& send : c.sends) expected += send;
    printer.WaitJournal([&](const Journal& journal) {
      received.clear();
      for (const auto& event : journal) {
        if (event.kind == "close") received += printer.Bytes(event.id);
      }
      return received == expected;
    });
    EXPECT_EQ(received, expected) << name;

    args.insert(args.begin(), "--dry-run");
    EXPECT_EQ(RunRkit(args).out, HexLines(c.sends)) << name;
  }
}

TEST_F(RkitPictureTest, WhatIsNoPictureIsRefusedBeforeAnyByte) {
  std::ofstream(dir_ + "/text.bmp") << "not a picture";
  struct Case {
    std::vector<std::string> command;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"image", dir_ + "/none.bmp"}, 1, "rkit: no such file: " + dir_ + "/none.bmp\n"},
      {{"logo", "store", dir_ + "/text.bmp"}, 1, "rkit: Load Bitmap Fail!\n"},
      {{"image", Picture(dir_, 100, 1)}, 1, "rkit: Bitmap`s width is lower than Printer`s PrintWidth !\n"},
      {{"nv", "store", "\x7F" "1", Picture(dir_, 8, 8)}, 2,
       "rkit: nv store KEY FILE, nv print KEY [--size 0-3] [--cut], nv delete KEY or nv delete-all (rkit nv --help)\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--dry-run", "--net", "127.0.0.76"};
    args.insert(args.end(), c.command.begin(), c.command.end());
    const auto outcome = RunRkit(args);
    EXPECT_EQ(outcome.status, c.status) << c.err;
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "") << c.err;
  }
}

}  // namespace
