// vprinter's firmware mode: the printer's side of the upgrade, its fault
// switches, and the image it keeps; written from the wire format, not with
// fwflash's own encoders.
#include <gtest/gtest.h>
#include <unistd.h>

#include "FirmwareBuilder.h"
#include "VPrinterProcess.h"
#include "vprinter/Firmware.h"
#include "vprinter/Options.h"

namespace {

using Bytes = std::vector<uint8_t>;
using vprinter::FirmwareFaultKind;
using vprinter::FirmwareHandler;

Bytes Cmd(uint8_t code, Bytes argument = {}) {
  Bytes bytes(8 + argument.size());
  const uint8_t prefix[] = {0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xF0};
  std::copy(std::begin(prefix), std::end(prefix), bytes.begin());
  bytes[7] = code;
  std::copy(argument.begin(), argument.end(), bytes.begin() + 8);
  return bytes;
}

struct Session {
  Bytes file;
  Bytes c1, c2, c3, data;
  explicit Session(size_t payload, uint8_t freeByte = 0x44) : file(fwtest::MakeFirmware(fwtest::Counting(payload, 3), freeByte)) {
    c1 = Cmd(0x00, Bytes(file.begin(), file.begin() + 4));
    c2 = Cmd(0x01, Bytes(file.begin() + 4, file.begin() + 8));
    c3 = Cmd(0x02);
    data = Bytes(file.begin() + 8, file.end());
  }
  Bytes Signature() const { return Bytes(file.begin(), file.begin() + 4); }
  Bytes Length() const { return Bytes(file.begin() + 4, file.begin() + 8); }
  Bytes Checksum() const { return Bytes(file.end() - 4, file.end()); }
};

struct Notes : vprinter::escpos::EventLog {
  std::vector<std::string> lines;
  void Note(const std::string& line) override { lines.push_back(line); }
};

class FirmwareHandlerTest : public testing::Test {
 protected:
  void SetUp() override { dir_ = testsupport::MakeTempDir(); }
  FirmwareHandler Handler(const std::string& fault = "") {
    return FirmwareHandler(fault.empty() ? vprinter::FirmwareFault{} : *vprinter::ParseFirmwareFault(fault), dir_,
                           notes_);
  }
  // Feeds `bytes` in pieces of `piece` bytes; returns everything answered.
  static Bytes Feed(FirmwareHandler& handler, const Bytes& bytes, size_t piece = 1000) {
    Bytes answered;
    for (size_t at = 0; at < bytes.size(); at += piece) {
      const size_t n = std::min(piece, bytes.size() - at);
      const Bytes reply = handler.OnBytes(std::span(bytes).subspan(at, n));
      answered.insert(answered.end(), reply.begin(), reply.end());
    }
    return answered;
  }
  std::string dir_;
  Notes notes_;
};

TEST_F(FirmwareHandlerTest, ALengthOverOneGibibyteIsRefusedInTheLogAndTheNextUpgradeWorks) {
  const Session s(300);
  FirmwareHandler handler = Handler();
  EXPECT_EQ(Feed(handler, s.c1), s.Signature());
  EXPECT_EQ(Feed(handler, Cmd(0x01, {0xFF, 0xFF, 0xFF, 0xFF})), Bytes{});
  ASSERT_EQ(notes_.lines.size(), 1u);
  EXPECT_EQ(notes_.lines[0], "firmware length 4294967295 bytes is over the 1 GiB a firmware file can have: refused, no echo");
  EXPECT_EQ(Feed(handler, s.c1), s.Signature());
  EXPECT_EQ(Feed(handler, Cmd(0x01, {0x01, 0x00, 0x00, 0x40})), Bytes{});  // 1 GiB + 1
  EXPECT_EQ(notes_.lines.size(), 1u);
  EXPECT_EQ(Feed(handler, s.c1), s.Signature());
  EXPECT_EQ(Feed(handler, s.c2), s.Length());
  EXPECT_EQ(Feed(handler, s.c3), Bytes{});
  EXPECT_EQ(Feed(handler, s.data), s.Checksum());
  handler.OnClose();
  ASSERT_EQ(notes_.lines.size(), 2u);
  EXPECT_EQ(notes_.lines[1], "firmware lengths over 1 GiB refused after the first: 1");
}

TEST_F(FirmwareHandlerTest, EchoesEachStepAndKeepsTheImage) {
  const Session s(5000);
  FirmwareHandler handler = Handler();
  EXPECT_EQ(Feed(handler, s.c1), s.Signature());  // byte 3 too
  EXPECT_EQ(Feed(handler, s.c2), s.Length());
  EXPECT_EQ(Feed(handler, s.c3), Bytes{});
  EXPECT_EQ(Feed(handler, s.data, 2048), s.Checksum());
  const std::string kept = testsupport::ReadFile(dir_ + "/firmware-1.fmw");
  EXPECT_EQ(kept, std::string(s.file.begin(), s.file.end()));
  EXPECT_FALSE(handler.WantsClose());
}

TEST_F(FirmwareHandlerTest, CommandsSplitAnywhereAndBackToBackStillWork) {
  const Session s(4093);
  Bytes all = s.c1;
  all.insert(all.end(), s.c2.begin(), s.c2.end());
  FirmwareHandler handler = Handler();
  Bytes expected = s.Signature();
  const Bytes length = s.Length();
  expected.insert(expected.end(), length.begin(), length.end());
  EXPECT_EQ(Feed(handler, all, 5), expected);
  Bytes rest = s.c3;
  rest.insert(rest.end(), s.data.begin(), s.data.end());
  EXPECT_EQ(Feed(handler, rest, 7), s.Checksum());
}

TEST_F(FirmwareHandlerTest, TakesASecondUpgradeOnTheSameLink) {
  const Session first(4084), second(4200, 0x01);
  FirmwareHandler handler = Handler();
  for (const Session* s : {&first, &second}) {
    Bytes all = s->c1;
    for (const Bytes* part : {&s->c2, &s->c3, &s->data}) all.insert(all.end(), part->begin(), part->end());
    const Bytes answered = Feed(handler, all, 3000);
    ASSERT_EQ(answered.size(), 12u);
    EXPECT_EQ(Bytes(answered.end() - 4, answered.end()), s->Checksum());
  }
  EXPECT_EQ(testsupport::ReadFile(dir_ + "/firmware-2.fmw").size(), 4212u);
}

TEST_F(FirmwareHandlerTest, ANewAnnounceStartsOverAfterAnAbandonedUpgrade) {
  const Session s(4084);
  FirmwareHandler handler = Handler();
  EXPECT_EQ(Feed(handler, s.c1), s.Signature());
  EXPECT_EQ(Feed(handler, s.c1), s.Signature());  // the updater gave up before C2
  EXPECT_EQ(Feed(handler, s.c2), s.Length());
  EXPECT_EQ(Feed(handler, s.c1), s.Signature());  // and once more before C3
}

TEST_F(FirmwareHandlerTest, WrongEchoFaultsChangeTheirReplyOnly) {
  const Session s(4084);
  Bytes bad = s.Signature();
  bad[0] ^= 0xFF;
  FirmwareHandler c1 = Handler("c1-echo");
  EXPECT_EQ(Feed(c1, s.c1), bad);
  FirmwareHandler c2 = Handler("c2-echo");
  Feed(c2, s.c1);
  Bytes badLength = s.Length();
  badLength[0] ^= 0xFF;
  EXPECT_EQ(Feed(c2, s.c2), badLength);
  FirmwareHandler end = Handler("end-echo");
  Feed(end, s.c1);
  EXPECT_EQ(Feed(end, s.c2), s.Length());
  Feed(end, s.c3);
  Bytes badSum = s.Checksum();
  badSum[0] ^= 0xFF;
  EXPECT_EQ(Feed(end, s.data), badSum);
}

TEST_F(FirmwareHandlerTest, SilentFaultsDropTheirReplyOnly) {
  const Session s(4084);
  FirmwareHandler c1 = Handler("c1-silent");
  EXPECT_EQ(Feed(c1, s.c1), Bytes{});
  EXPECT_EQ(Feed(c1, s.c2), s.Length());
  FirmwareHandler end = Handler("end-silent");
  EXPECT_EQ(Feed(end, s.c1), s.Signature());
  Feed(end, s.c2);
  Feed(end, s.c3);
  EXPECT_EQ(Feed(end, s.data), Bytes{});
}

TEST_F(FirmwareHandlerTest, CloseAfterKDataBytesHangsUpThere) {
  const Session s(8000);
  FirmwareHandler handler = Handler("close-after:3000");
  Feed(handler, s.c1);
  Feed(handler, s.c2);
  Feed(handler, s.c3);
  EXPECT_EQ(Feed(handler, Bytes(s.data.begin(), s.data.begin() + 2999)), Bytes{});
  EXPECT_FALSE(handler.WantsClose());
  EXPECT_EQ(Feed(handler, Bytes(s.data.begin() + 2999, s.data.end())), Bytes{});
  EXPECT_TRUE(handler.WantsClose());
}

TEST(FirmwareFault, NamesAndCountsAreCheckedStrictly) {
  EXPECT_EQ(vprinter::ParseFirmwareFault("c2-silent")->kind, FirmwareFaultKind::NoLengthReply);
  EXPECT_EQ(vprinter::ParseFirmwareFault("close-after:0")->closeAfter, 0u);
  EXPECT_EQ(vprinter::ParseFirmwareFault("close-after:4096")->closeAfter, 4096u);
  for (const char* bad : {"", "c3-echo", "close-after:", "close-after:x", "close-after:-1", "C1-ECHO"}) {
    EXPECT_FALSE(vprinter::ParseFirmwareFault(bad)) << bad;
  }
  const std::vector<std::string> noFirmware = {"--journal", "/tmp/x", "--fault", "c1-echo"};
  EXPECT_FALSE(vprinter::ParseOptions(noFirmware).options);
  const std::vector<std::string> unknown = {"--journal", "/tmp/x", "--firmware", "--fault", "nope"};
  EXPECT_FALSE(vprinter::ParseOptions(unknown).options);
  const std::vector<std::string> good = {"--journal", "/tmp/x", "--firmware", "--fault", "end-echo"};
  ASSERT_TRUE(vprinter::ParseOptions(good).options);
  EXPECT_TRUE(vprinter::ParseOptions(good).options->firmware);
}

std::string Receive(int fd, size_t count) {
  std::string bytes;
  char buffer[64];
  while (bytes.size() < count) {
    const ssize_t n = read(fd, buffer, std::min(sizeof buffer, count - bytes.size()));
    if (n <= 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

TEST(VPrinterFirmware, AnswersAnUpgradeOverTcpAndKeepsTheImage) {
  if (!testsupport::InPrivateNetwork()) GTEST_SKIP() << "needs the private network namespace";
  testsupport::VPrinterProcess printer({"--tcp", "127.0.0.1:0", "--firmware"});
  ASSERT_TRUE(printer.WaitReady());
  const int fd = testsupport::ConnectTcp(printer.Source());
  ASSERT_GE(fd, 0);
  const Session s(6000);
  const auto text = [](const Bytes& b) { return std::string(b.begin(), b.end()); };
  ASSERT_TRUE(testsupport::SendAll(fd, text(s.c1)));
  EXPECT_EQ(Receive(fd, 4), text(s.Signature()));
  ASSERT_TRUE(testsupport::SendAll(fd, text(s.c2) + text(s.c3) + text(s.data)));
  EXPECT_EQ(Receive(fd, 8), text(s.Length()) + text(s.Checksum()));
  close(fd);
  EXPECT_EQ(testsupport::ReadFile(printer.dir() + "/firmware-1.fmw"), text(s.file));
}

TEST(VPrinterFirmware, CloseAfterHangsUpTheTcpConnection) {
  if (!testsupport::InPrivateNetwork()) GTEST_SKIP() << "needs the private network namespace";
  testsupport::VPrinterProcess printer({"--tcp", "127.0.0.1:0", "--firmware", "--fault", "close-after:100"});
  ASSERT_TRUE(printer.WaitReady());
  const int fd = testsupport::ConnectTcp(printer.Source());
  ASSERT_GE(fd, 0);
  const Session s(4084);
  const auto text = [](const Bytes& b) { return std::string(b.begin(), b.end()); };
  ASSERT_TRUE(testsupport::SendAll(fd, text(s.c1) + text(s.c2) + text(s.c3) + text(s.data)));
  EXPECT_EQ(Receive(fd, 100).size(), 8u);  // the two echoes, then the end of the connection
  close(fd);
}

}  // namespace
