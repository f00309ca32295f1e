// The upgrade sequence: exact bytes, chunking, progress and every result code.
#include "fwflash/Upgrade.h"

#include <gtest/gtest.h>

#include "FirmwareBuilder.h"
#include "ScriptedPort.h"

namespace {

using fwflash::UpgradeResult;
using fwtest::Counting;
using fwtest::MakeFirmware;
using fwtest::ScriptedPort;
using Bytes = std::vector<uint8_t>;

fwflash::FirmwareImage Image(size_t payloadLength, uint8_t freeByte = 0x37) {
  auto image = fwflash::FirmwareImage::FromBytes(MakeFirmware(Counting(payloadLength, 1), freeByte));
  EXPECT_TRUE(image);
  return std::move(*image);
}

Bytes Slice(const fwflash::FirmwareImage& image, size_t from, size_t count) {
  return Bytes(image.bytes().begin() + from, image.bytes().begin() + from + count);
}

// A port whose printer answers every step correctly.
ScriptedPort HappyPort(const fwflash::FirmwareImage& image) {
  ScriptedPort port;
  port.replies = {Slice(image, 0, 4), Slice(image, 4, 4), Bytes(image.checksum().begin(), image.checksum().end())};
  return port;
}

struct UpgradeRun {
  UpgradeResult result;
  std::vector<int> progress;
};

UpgradeRun Upgrade(const fwflash::FirmwareImage& image, ScriptedPort& port) {
  UpgradeRun run{};
  run.result = fwflash::RunUpgrade(image, port, [&](int value) { run.progress.push_back(value); });
  return run;
}

TEST(UpgradeCommands, AreTheFixedPrefixAndTheFileBytes) {
  const auto image = Image(4084, 0xA5);
  EXPECT_EQ(fwflash::AnnounceCommand(image), (Bytes{0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xF0, 0x00, 'T', 'a', 'v', 0xA5}));
  EXPECT_EQ(fwflash::LengthCommand(image), (Bytes{0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xF0, 0x01, 0xF4, 0x0F, 0x00, 0x00}));
  EXPECT_EQ(fwflash::StartDataCommand(), (Bytes{0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xF0, 0x02}));
}

TEST(Upgrade, SuccessSendsTheThreeCommandsThenPayloadAndChecksum) {
  const auto image = Image(5000);
  ScriptedPort port = HappyPort(image);
  const UpgradeRun run = Upgrade(image, port);
  EXPECT_EQ(run.result, UpgradeResult::Success);
  ASSERT_GE(port.sent.size(), 3u);
  EXPECT_EQ(port.sent[0], fwflash::AnnounceCommand(image));
  EXPECT_EQ(port.sent[1], fwflash::LengthCommand(image));
  EXPECT_EQ(port.sent[2], fwflash::StartDataCommand());
  EXPECT_EQ(port.DataBytes(), Slice(image, 8, 5004));
  EXPECT_EQ(port.calls, (std::vector<std::string>{"open", "send", "receive", "send", "receive", "send", "send",
                                                  "send", "send", "receive", "close"}));
  EXPECT_EQ(run.progress.back(), 100);
}

TEST(Upgrade, PayloadOf4092IsTwoChunksOf2048) {
  const auto image = Image(4092);
  ScriptedPort port = HappyPort(image);
  ASSERT_EQ(Upgrade(image, port).result, UpgradeResult::Success);
  ASSERT_EQ(port.sent.size(), 5u);
  EXPECT_EQ(port.sent[3].size(), 2048u);
  EXPECT_EQ(port.sent[4].size(), 2048u);
  EXPECT_EQ(fwflash::ChunkLengths(4096), (std::vector<size_t>{2048, 2048}));
}

TEST(Upgrade, PayloadOf4093IsTwoChunksOf2048AndOneByte) {
  const auto image = Image(4093);
  ScriptedPort port = HappyPort(image);
  ASSERT_EQ(Upgrade(image, port).result, UpgradeResult::Success);
  ASSERT_EQ(port.sent.size(), 6u);
  EXPECT_EQ(port.sent[3].size(), 2048u);
  EXPECT_EQ(port.sent[4].size(), 2048u);
  EXPECT_EQ(port.sent[5], Bytes{image.checksum().back()});
}

TEST(Upgrade, ProgressIs5_10_15ThenOnePerChunkThen100) {
  const auto image = Image(4093);
  ScriptedPort port = HappyPort(image);
  // chunks at 0, 2048 and 4096: 15 + 0, 15 + (50 * 70 / 100) = 50, 15 + 70 = 85
  EXPECT_EQ(Upgrade(image, port).progress, (std::vector<int>{5, 10, 15, 15, 50, 85, 100}));
}

TEST(Upgrade, ProgressStaysAtOrBelow85UntilSuccess) {
  for (size_t n : {4084u, 4092u, 4093u, 10000u, 65536u}) {
    const auto image = Image(n);
    ScriptedPort port = HappyPort(image);
    const UpgradeRun run = Upgrade(image, port);
    ASSERT_EQ(run.result, UpgradeResult::Success);
    EXPECT_EQ(run.progress[3], 15) << n;
    for (size_t i = 0; i + 1 < run.progress.size(); ++i) EXPECT_LE(run.progress[i], 85) << n;
    EXPECT_TRUE(std::is_sorted(run.progress.begin(), run.progress.end())) << n;
  }
}

TEST(UpgradeProgress, LargestFileNeitherOverflowsNorPasses85) {
  const uint32_t n = (1u << 30) - 12;
  EXPECT_EQ(fwflash::ProgressAfterChunk(0, n), 15);
  EXPECT_EQ(fwflash::ProgressAfterChunk(n / 2, n), 15 + 50 * 70 / 100);
  EXPECT_EQ(fwflash::ProgressAfterChunk(n - 1, n), 15 + 99 * 70 / 100);
  EXPECT_EQ(fwflash::ProgressAfterChunk(n, n), 85);
  EXPECT_EQ(fwflash::ProgressAfterChunk(n + 3, n), 85);
}

TEST(Upgrade, OpenFailureIsMinusOneAndStillCloses) {
  const auto image = Image(4084);
  ScriptedPort port = HappyPort(image);
  port.openSucceeds = false;
  const UpgradeRun run = Upgrade(image, port);
  EXPECT_EQ(run.result, UpgradeResult::OpenFailed);
  EXPECT_EQ(port.calls, (std::vector<std::string>{"open", "close"}));
  EXPECT_TRUE(run.progress.empty());
}

// Result of an upgrade whose send number `failSend` fails (-1: none) and
// whose replies are `replies`.
UpgradeResult Outcome(int failSend, std::deque<std::optional<Bytes>> replies, ScriptedPort* out = nullptr) {
  const auto image = Image(4093);
  ScriptedPort port;
  port.failSendNumber = failSend;
  port.replies = std::move(replies);
  const UpgradeResult result = Upgrade(image, port).result;
  EXPECT_EQ(port.calls.back(), "close");
  if (out) *out = port;
  return result;
}

const Bytes kSignature{'T', 'a', 'v', 0x37};
const Bytes kLength{0xFD, 0x0F, 0x00, 0x00};  // 4093

Bytes ChecksumOf4093() {
  const auto image = Image(4093);
  return Bytes(image.checksum().begin(), image.checksum().end());
}

TEST(Upgrade, EveryFailureHasItsResultCode) {
  EXPECT_EQ(Outcome(0, {}), UpgradeResult::AnnounceSendFailed);
  EXPECT_EQ(Outcome(-1, {std::nullopt}), UpgradeResult::AnnounceNoReply);
  EXPECT_EQ(Outcome(-1, {Bytes{'T', 'a', 'v', 0x38}}), UpgradeResult::AnnounceBadEcho);
  EXPECT_EQ(Outcome(1, {kSignature}), UpgradeResult::LengthSendFailed);
  EXPECT_EQ(Outcome(-1, {kSignature, std::nullopt}), UpgradeResult::LengthNoReply);
  EXPECT_EQ(Outcome(-1, {kSignature, Bytes{0xFC, 0x0F, 0, 0}}), UpgradeResult::LengthBadEcho);
  EXPECT_EQ(Outcome(2, {kSignature, kLength}), UpgradeResult::StartSendFailed);
  EXPECT_EQ(Outcome(4, {kSignature, kLength}), UpgradeResult::DataSendFailed);
  EXPECT_EQ(Outcome(-1, {kSignature, kLength, std::nullopt}), UpgradeResult::DataNoReply);
  Bytes wrong = ChecksumOf4093();
  wrong[3] ^= 0x80;
  EXPECT_EQ(Outcome(-1, {kSignature, kLength, wrong}), UpgradeResult::DataBadChecksum);
  EXPECT_EQ(Outcome(-1, {kSignature, kLength, ChecksumOf4093()}), UpgradeResult::Success);
}

TEST(Upgrade, FailureStopsAtOnceWithoutRetry) {
  ScriptedPort port;
  EXPECT_EQ(Outcome(-1, {kSignature, Bytes{0, 0, 0, 0}}, &port), UpgradeResult::LengthBadEcho);
  EXPECT_EQ(port.sent.size(), 2u);  // no C3, no data
  EXPECT_EQ(Outcome(3, {kSignature, kLength}, &port), UpgradeResult::DataSendFailed);
  EXPECT_EQ(port.sent.size(), 3u);  // the first chunk failed; nothing after it
}

TEST(Upgrade, TheFreeByteMustComeBackInTheEcho) {
  // the file check ignores byte 3, the printer's echo does not
  EXPECT_EQ(Outcome(-1, {Bytes{'T', 'a', 'v', 0x00}}), UpgradeResult::AnnounceBadEcho);
}

TEST(Upgrade, ShortReplyKeepsEarlierBytesOfTheReplyBuffer) {
  // the reply buffer starts at zero: "Tav" alone echoes a file whose byte 3 is 0
  const auto zero = Image(4084, 0x00);
  ScriptedPort port;
  port.replies = {Bytes{'T', 'a', 'v'}, std::nullopt};
  EXPECT_EQ(Upgrade(zero, port).result, UpgradeResult::LengthNoReply);
  // a two-byte reply to C2 keeps bytes 2 and 3 of the C1 echo ("v", 0x37)
  EXPECT_EQ(Outcome(-1, {kSignature, Bytes{0xFD, 0x0F}}), UpgradeResult::LengthBadEcho);
}

TEST(UpgradeMessage, IsTheTextOfEachResult) {
  const std::vector<std::pair<UpgradeResult, std::string>> table = {
      {UpgradeResult::OpenFailed, "Falha na Atualização: -1!"},
      {UpgradeResult::AnnounceSendFailed, "Falha na Atualização: 00!"},
      {UpgradeResult::AnnounceNoReply, "Falha na Atualização: 01!"},
      {UpgradeResult::AnnounceBadEcho, "Falha na Atualização: 02!"},
      {UpgradeResult::LengthSendFailed, "Falha na Atualização: 10!"},
      {UpgradeResult::LengthNoReply, "Falha na Atualização: 11!"},
      {UpgradeResult::LengthBadEcho, "Falha na Atualização: 12!"},
      {UpgradeResult::StartSendFailed, "Falha na Atualização: 20!"},
      {UpgradeResult::DataSendFailed, "Falha na Atualização: 21!"},
      {UpgradeResult::DataNoReply, "Falha na Atualização: 22!"},
      {UpgradeResult::DataBadChecksum, "Falha na Atualização: 23!"},
      {UpgradeResult::Success, "Sucesso na Atualização !"},
  };
  for (const auto& [result, text] : table) EXPECT_EQ(fwflash::UpgradeMessage(result), text);
}

}  // namespace
