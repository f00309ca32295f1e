// vprinter as a program: listeners, journal, pty, the ways it stops, exit codes.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>

#include "support/VPrinterProcess.h"

namespace {

using namespace testsupport;

bool Has(const Journal& journal, const std::string& kind, int count = 1) {
  int n = 0;
  for (const auto& event : journal) n += event.kind == kind;
  return n >= count;
}

class VPrinterTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run";
  }
};

TEST_F(VPrinterTest, HelpExitsZero) {
  const RunResult result = RunVPrinter({"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.output.find("usage: vprinter"), std::string::npos);
}

TEST_F(VPrinterTest, UsageErrorsExitTwo) {
  EXPECT_EQ(RunVPrinter({}).status, 2);
  EXPECT_EQ(RunVPrinter({"--journal", MakeTempDir(), "--tcp", "10.1.1.1:9100"}).status, 2);
  EXPECT_EQ(RunVPrinter({"--bogus"}).status, 2);
}

TEST_F(VPrinterTest, APortInUseExitsOne) {
  VPrinterProcess first({"--tcp", "127.0.0.40:0"});
  ASSERT_TRUE(first.WaitReady());
  const std::string taken = first.Source().substr(4);
  const RunResult second = RunVPrinter({"--tcp", taken, "--journal", MakeTempDir()});
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.output.find("cannot listen on " + taken), std::string::npos);
}

TEST_F(VPrinterTest, JournalsEachConnectionInOrderWithItsBytes) {
  VPrinterProcess printer({"--tcp", "127.0.0.41:0"});
  ASSERT_TRUE(printer.WaitReady());
  for (const std::string& bytes : {std::string("\x1B@abc\n", 6), std::string("\x00\xFF\r\n", 4)}) {
    const int fd = ConnectTcp(printer.Source());
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(SendAll(fd, bytes));
    close(fd);
  }
  ASSERT_TRUE(printer.WaitJournal([](const Journal& j) { return Has(j, "close", 2); }));
  const Journal journal = printer.ReadJournal();
  ASSERT_EQ(journal.size(), 5u);
  EXPECT_EQ(journal[0].kind, "ready");
  EXPECT_EQ(journal[1].kind, "open");
  EXPECT_EQ(journal[1].id, 1);
  EXPECT_EQ(journal[1].source, printer.Source());
  EXPECT_EQ(journal[1].peer.rfind("127.0.0.1:", 0), 0u);
  EXPECT_EQ(journal[2].kind, "close");
  EXPECT_EQ(journal[2].id, 1);
  EXPECT_EQ(journal[2].bytes, 6);
  EXPECT_EQ(journal[3].kind, "open");
  EXPECT_EQ(journal[3].id, 2);
  EXPECT_EQ(journal[4].bytes, 4);
  EXPECT_EQ(printer.Bytes(1), std::string("\x1B@abc\n", 6));
  EXPECT_EQ(printer.Bytes(2), std::string("\x00\xFF\r\n", 4));
  EXPECT_EQ(printer.Stop(), 0);
}

TEST_F(VPrinterTest, ACloseIsJournaledBeforeTheNextOpenEvenAfterALargeBuffer) {
  VPrinterProcess printer({"--tcp", "127.0.0.42:0"});
  ASSERT_TRUE(printer.WaitReady());
  const std::string large(300000, 'x');
  int fd = ConnectTcp(printer.Source());
  ASSERT_TRUE(SendAll(fd, large));
  close(fd);
  fd = ConnectTcp(printer.Source());
  close(fd);
  ASSERT_TRUE(printer.WaitJournal([](const Journal& j) { return Has(j, "close", 2); }));
  const Journal journal = printer.ReadJournal();
  EXPECT_EQ(journal[2].kind, "close");
  EXPECT_EQ(journal[2].bytes, 300000);
  EXPECT_EQ(journal[3].kind, "open");
  EXPECT_EQ(printer.Bytes(1), large);
}

TEST_F(VPrinterTest, TheJournalFolderIsCreatedWithItsParents) {
  const std::string dir = MakeTempDir() + "/runs/today/printer";
  const RunResult result = RunVPrinter({"--tcp", "127.0.0.45:0", "--journal", dir, "--lifetime", "1"});
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(ReadFile(dir + "/journal.txt").find("stop "), std::string::npos);
}

TEST_F(VPrinterTest, ListensOnEveryAddressGiven) {
  VPrinterProcess printer({"--tcp", "127.0.0.43:0", "--tcp", "127.0.0.44:0"});
  ASSERT_TRUE(printer.WaitReady());
  EXPECT_EQ(printer.Source(0).rfind("tcp:127.0.0.43:", 0), 0u);
  EXPECT_EQ(printer.Source(1).rfind("tcp:127.0.0.44:", 0), 0u);
  const int fd = ConnectTcp(printer.Source(1));
  ASSERT_TRUE(SendAll(fd, "second"));
  close(fd);
  ASSERT_TRUE(printer.WaitJournal([](const Journal& j) { return Has(j, "close"); }));
  EXPECT_EQ(printer.ReadJournal()[1].source, printer.Source(1));
}

TEST_F(VPrinterTest, StopFileClosesOpenConnectionsAndEndsWithAStopLine) {
  VPrinterProcess printer({"--tcp", "127.0.0.45:0"});
  ASSERT_TRUE(printer.WaitReady());
  const int fd = ConnectTcp(printer.Source());
  ASSERT_TRUE(SendAll(fd, "held"));
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return printer.Bytes(1) == "held"; }));
  EXPECT_EQ(printer.Stop(), 0);
  close(fd);
  const Journal journal = printer.ReadJournal();
  ASSERT_EQ(journal.size(), 4u);
  EXPECT_EQ(journal[2].kind, "close");
  EXPECT_EQ(journal[2].bytes, 4);
  EXPECT_EQ(journal[3].kind, "stop");
  EXPECT_EQ(journal[3].reason, "stop-file");
}

TEST_F(VPrinterTest, SigtermAndSigintEndItCleanly) {
  for (int signal : {SIGTERM, SIGINT}) {
    VPrinterProcess printer({"--tcp", "127.0.0.46:0"});
    ASSERT_TRUE(printer.WaitReady());
    EXPECT_EQ(printer.Signal(signal), 0);
    EXPECT_EQ(printer.ReadJournal().back().reason, "signal");
  }
}

TEST_F(VPrinterTest, LifetimeCapEndsIt) {
  const std::string dir = MakeTempDir();
  const RunResult result = RunVPrinter({"--tcp", "127.0.0.47:0", "--journal", dir, "--lifetime", "1"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(vprinter::ParseJournal(ReadFile(dir + "/journal.txt")).back().reason, "lifetime");
}

TEST_F(VPrinterTest, PtyReadsRawBytesWrittenToItsLink) {
  const std::string link = MakeTempDir() + "/tty";
  VPrinterProcess printer({"--tcp", "127.0.0.48:0", "--pty", link});
  ASSERT_TRUE(printer.WaitReady());
  EXPECT_EQ(printer.Source(1).rfind("pty:/dev/pts/", 0), 0u);
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ("pty:" + std::string(target), printer.Source(1));
  const std::string bytes("\x1B@line\n\r\x00\xFF\x03", 11);
  std::ofstream(link, std::ios::binary) << bytes;
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return printer.Bytes(1) == bytes; }));
  EXPECT_EQ(printer.Stop(), 0);
  const Journal journal = printer.ReadJournal();
  EXPECT_EQ(journal[1].kind, "open");
  EXPECT_EQ(journal[1].source, printer.Source(1));
  EXPECT_EQ(journal[2].kind, "close");
  EXPECT_EQ(journal[2].bytes, 11);
  EXPECT_NE(access(link.c_str(), F_OK), 0);  // the link goes with it
}

TEST_F(VPrinterTest, LeftoversOfAnEarlierRunAreRemoved) {
  const std::string dir = MakeTempDir();
  for (const char* name : {"/stop", "/ready", "/conn-9.bin", "/journal.txt"}) std::ofstream(dir + name) << "old";
  std::ofstream(dir + "/notes.txt") << "mine";
  const RunResult result = RunVPrinter({"--tcp", "127.0.0.49:0", "--journal", dir, "--lifetime", "1"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(vprinter::ParseJournal(ReadFile(dir + "/journal.txt")).back().reason, "lifetime");  // not the old stop
  EXPECT_NE(access((dir + "/conn-9.bin").c_str(), F_OK), 0);
  EXPECT_EQ(ReadFile(dir + "/notes.txt"), "mine");
}

}  // namespace
