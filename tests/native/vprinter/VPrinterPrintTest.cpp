// vprinter printing as a program: receipts and their text dumps in the
// journal directory, the status port and its conditions, a buffer overflow
// over TCP, the fonts it needs, and its help.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>

#include "PrintBench.h"
#include "support/VPrinterProcess.h"

namespace {

using namespace testsupport;
using printbench::B;

int Count(const Journal& journal, const std::string& kind) {
  int n = 0;
  for (const auto& event : journal) n += event.kind == kind;
  return n;
}

class VPrinterPrintTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run";
  }
  // Sends `bytes` on a new connection to `source` and closes it.
  static void Send(const std::string& source, const std::string& bytes) {
    const int fd = ConnectTcp(source);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, bytes));
    close(fd);
  }
  // The status word answered to one 1B 76 00.
  static std::string Status(const std::string& source) {
    const int fd = ConnectTcp(source);
    if (fd < 0 || !SendAll(fd, B({0x1B, 0x76, 0x00}))) return "no connection";
    std::string word;
    char bytes[8];
    for (ssize_t n; word.size() < 4 && (n = recv(fd, bytes, sizeof bytes, 0)) > 0;) word.append(bytes, n);
    close(fd);
    return word;
  }
};

bool ImageDot(int x, int y) { return (x ^ y) % 3 == 0; }

TEST_F(VPrinterPrintTest, EachReceiptIsAPngWithItsTextBesideItBeforeTheCloseLine) {
  VPrinterProcess printer({"--tcp", "127.0.0.61:0"});
  ASSERT_TRUE(printer.WaitReady());
  std::string raster = B({0x1D, 0x76, 0x30, 0x00, 0x02, 0x00, 0x05, 0x00});
  for (int y = 0; y < 5; ++y) {
    for (int b = 0; b < 2; ++b) {
      int byte = 0;
      for (int bit = 0; bit < 8; ++bit) byte |= ImageDot(b * 8 + bit, y) ? 0x80 >> bit : 0;
      raster += static_cast<char>(byte);
    }
  }
  Send(printer.Source(), B({0x1B, 0x40}) + raster + "Ol" + B({0xA0}) + "\n" + B({0x1D, 0x56, 0x01}) + "left\n");
  ASSERT_TRUE(printer.WaitJournal([](const Journal& j) { return Count(j, "close") == 1; }));
  EXPECT_EQ(ReadFile(printer.dir() + "/receipt-1.txt"), "[raster image 16x5]\nOlá\n[partial cut]\n");
  EXPECT_EQ(ReadFile(printer.dir() + "/receipt-2.txt"), "left\n[not cut: the job ended]\n");
  const printbench::Bitmap page = printbench::ReadPng(printer.dir() + "/receipt-1.png");
  ASSERT_EQ(page.width, 576);
  ASSERT_EQ(page.height, 5 + 30);
  int wrong = 0;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 576; ++x) wrong += page.Get(x, y) != (x < 16 && ImageDot(x, y));
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_NE(ReadFile(printer.dir() + "/printer.log").find("receipt-1.png: 576x35 dots, partial cut"), std::string::npos);
}

TEST_F(VPrinterPrintTest, ThePtyPrintsToo) {
  const std::string link = MakeTempDir() + "/tty";
  VPrinterProcess printer({"--tcp", "127.0.0.62:0", "--pty", link});
  ASSERT_TRUE(printer.WaitReady());
  std::ofstream(link, std::ios::binary) << "serial\n" << B({0x1D, 0x56, 0x00});
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) {
    return ReadFile(printer.dir() + "/receipt-1.txt") == "serial\n[full cut]\n";
  }));
}

TEST_F(VPrinterPrintTest, TheStatusPortAnswersTheWordOfTheConditions) {
  struct Case {
    std::vector<std::string> flags;
    std::string word;
  };
  const Case cases[] = {
      {{}, B({0x14, 0x00, 0x00, 0x00})},
      {{"--paper-out"}, B({0x1C, 0x00, 0x0C, 0x00})},
      {{"--cover-open"}, B({0x3C, 0x00, 0x00, 0x00})},
      {{"--drawer-open"}, B({0x10, 0x00, 0x00, 0x00})},
      {{"--offline", "--drawer-open"}, B({0x18, 0x00, 0x00, 0x00})},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"--tcp", "127.0.0.63:0", "--status", "127.0.0.63:0"};
    arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
    VPrinterProcess printer(arguments);
    ASSERT_TRUE(printer.WaitReady());
    EXPECT_EQ(printer.Source(1).rfind("tcp:127.0.0.63:", 0), 0u);
    EXPECT_EQ(Status(printer.Source(1)), c.word) << testing::PrintToString(c.flags);
  }
}

TEST_F(VPrinterPrintTest, APrintConnectionGetsTheAnswersToItsOwnStatusRequests) {
  VPrinterProcess printer({"--tcp", "127.0.0.66:0", "--drawer-open"});
  ASSERT_TRUE(printer.WaitReady());
  const int fd = ConnectTcp(printer.Source());
  ASSERT_TRUE(SendAll(fd, "text\n" + B({0x10, 0x04, 0x01, 0x1D, 0x49, 0x01})));
  std::string answer;
  char bytes[8];
  for (ssize_t n; answer.size() < 2 && (n = recv(fd, bytes, sizeof bytes, 0)) > 0;) answer.append(bytes, n);
  close(fd);
  EXPECT_EQ(answer, B({0x12, 0x76}));
}

TEST_F(VPrinterPrintTest, AutomaticStatusGoesBackOnItsConnectionWhenTheConditionsChange) {
  VPrinterProcess printer({"--tcp", "127.0.0.69:0"});
  ASSERT_TRUE(printer.WaitReady());
  const int fd = ConnectTcp(printer.Source());
  ASSERT_TRUE(SendAll(fd, B({0x1D, 0x61, 0xFF})));
  const timeval guard{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
  std::string words;
  char bytes[8];
  for (ssize_t n; words.size() < 4 && (n = recv(fd, bytes, sizeof bytes, 0)) > 0;) words.append(bytes, n);
  std::ofstream(printer.dir() + "/conditions") << "paper-out\n";
  for (ssize_t n; words.size() < 8 && (n = recv(fd, bytes, sizeof bytes, 0)) > 0;) words.append(bytes, n);
  close(fd);
  EXPECT_EQ(words, B({0x14, 0, 0, 0, 0x1C, 0, 0x0C, 0}));
}

TEST_F(VPrinterPrintTest, TheConditionsFileChangesThemWhileItRuns) {
  VPrinterProcess printer({"--tcp", "127.0.0.64:0", "--status", "127.0.0.64:0"});
  ASSERT_TRUE(printer.WaitReady());
  std::ofstream(printer.dir() + "/conditions") << "paper-out\n";
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return Status(printer.Source(1)) == B({0x1C, 0, 0x0C, 0}); }));
  Send(printer.Source(0), "waits\n" + B({0x1D, 0x56, 0x00}));
  ASSERT_TRUE(printer.WaitJournal([](const Journal& j) { return Count(j, "close") >= 2; }));
  EXPECT_EQ(ReadFile(printer.dir() + "/receipt-1.txt"), "");  // not printed while out of paper
  unlink((printer.dir() + "/conditions").c_str());
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) {
    return ReadFile(printer.dir() + "/receipt-1.txt") == "waits\n[full cut]\n";
  }));
  EXPECT_EQ(Status(printer.Source(1)), B({0x14, 0, 0, 0}));
  EXPECT_NE(ReadFile(printer.dir() + "/printer.log").find("conditions: paper-out"), std::string::npos);
}

TEST_F(VPrinterPrintTest, AnImageOverflowingASmallBufferOverTcpIsCutShort) {
  VPrinterProcess printer({"--tcp", "127.0.0.65:0", "--buffer", "4096", "--drain", "1"});
  ASSERT_TRUE(printer.WaitReady());
  std::string image = B({0x1D, 0x76, 0x30, 0x00, 72, 0x00, 0x90, 0x01});  // 576 x 400
  for (int row = 0; row < 400; ++row) image += std::string(72, static_cast<char>(row & 0xFF));
  Send(printer.Source(), image);
  ASSERT_TRUE(printer.WaitJournal([](const Journal& j) { return Count(j, "close") == 1; }));
  const printbench::Bitmap page = printbench::ReadPng(printer.dir() + "/receipt-1.png");
  // 4088 data bytes: 56 rows of 72 (a byte or two more may have drained meanwhile)
  ASSERT_EQ(page.height, 56);
  for (int row = 0; row < 56; ++row) EXPECT_EQ(page.Row(row)[71], row) << row;
  EXPECT_NE(ReadFile(printer.dir() + "/printer.log").find("receive buffer full"), std::string::npos);
}

TEST_F(VPrinterPrintTest, WithoutItsFontsItSaysWhichPackageIsMissing) {
  const RunResult result = RunVPrinter({"--tcp", "127.0.0.66:0", "--journal", MakeTempDir(), "--font-dir", "/nonexistent"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.output.find("/nonexistent/Uni2-Terminus24x12.psf.gz"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("console-setup-linux"), std::string::npos);
  const RunResult noRender =
      RunVPrinter({"--tcp", "127.0.0.66:0", "--journal", MakeTempDir(), "--font-dir", "/nonexistent", "--no-render",
                   "--lifetime", "1"});
  EXPECT_EQ(noRender.status, 0);
}

TEST_F(VPrinterPrintTest, HelpAndUsageCoverThePrinter) {
  const RunResult help = RunVPrinter({"--help"});
  for (const char* text : {"--status ADDR:PORT", "DIR/receipt-<n>.png", "--buffer BYTES", "--drain N", "--paper-out",
                           "DIR/conditions", "--codepage N", "--width DOTS"}) {
    EXPECT_NE(help.output.find(text), std::string::npos) << text;
  }
  struct Case {
    std::vector<std::string> arguments;
    std::string message;
  };
  const Case cases[] = {
      {{"--status", "10.0.0.1:4000"}, "--status listens on loopback addresses only"},
      {{"--width", "600"}, "--width wants 384, 512, 576 or 640 dots"},
      {{"--codepage", "6"}, "--codepage wants a table number"},
      {{"--buffer", "0"}, "--buffer wants"},
      {{"--drain", "fast"}, "--drain wants"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"--journal", MakeTempDir()};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const RunResult result = RunVPrinter(arguments);
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
  }
}

}  // namespace
