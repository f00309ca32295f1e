// vprinter's command line and the journal reader, without running anything.
#include <gtest/gtest.h>

#include "vprinter/JournalEvents.h"
#include "vprinter/Options.h"

namespace {

using vprinter::ParseOptions;

vprinter::ParseResult Parse(std::vector<std::string> args) { return ParseOptions(args); }

TEST(VPrinterOptions, DefaultsToLoopbackPort9100) {
  const auto result = Parse({"--journal", "/tmp/j"});
  ASSERT_TRUE(result.options);
  ASSERT_EQ(result.options->tcp.size(), 1u);
  EXPECT_EQ(result.options->tcp[0].address, "127.0.0.1");
  EXPECT_EQ(result.options->tcp[0].port, 9100);
  EXPECT_EQ(result.options->journalDir, "/tmp/j");
  EXPECT_EQ(result.options->lifetimeSeconds, 0);
  EXPECT_TRUE(result.options->ptyLink.empty());
}

TEST(VPrinterOptions, TakesSeveralListenersAPtyAndALifetime) {
  const auto result =
      Parse({"--tcp", "127.0.0.2:9100", "--tcp", "127.1.2.3:0", "--pty", "/tmp/tty", "--journal", "j", "--lifetime", "5"});
  ASSERT_TRUE(result.options);
  ASSERT_EQ(result.options->tcp.size(), 2u);
  EXPECT_EQ(result.options->tcp[1].address, "127.1.2.3");
  EXPECT_EQ(result.options->tcp[1].port, 0);
  EXPECT_EQ(result.options->ptyLink, "/tmp/tty");
  EXPECT_EQ(result.options->lifetimeSeconds, 5);
}

TEST(VPrinterOptions, RefusesWhatItCannotUse) {
  const std::vector<std::vector<std::string>> bad = {
      {},                                               // no journal
      {"--journal"},                                    // no value
      {"--journal", "j", "--tcp", "192.168.1.5:9100"},  // not loopback
      {"--journal", "j", "--tcp", "0.0.0.0:9100"},
      {"--journal", "j", "--tcp", "127.0.0.1"},
      {"--journal", "j", "--tcp", "127.0.0.1:65536"},
      {"--journal", "j", "--tcp", "localhost:9100"},
      {"--journal", "j", "--lifetime", "0"},
      {"--journal", "j", "--lifetime", "soon"},
      {"--journal", "j", "--udp", "10.0.0.1:9000"},
  };
  for (const auto& args : bad) {
    const auto result = Parse(args);
    EXPECT_FALSE(result.options) << testing::PrintToString(args);
    EXPECT_FALSE(result.error.empty());
  }
}

TEST(VPrinterOptions, HelpNeedsNothingElse) {
  const auto result = Parse({"--help"});
  ASSERT_TRUE(result.options);
  EXPECT_TRUE(result.options->help);
  EXPECT_NE(vprinter::Usage().find("--journal DIR"), std::string::npos);
}

TEST(JournalEvents, ReadsEveryKindOfLine) {
  const auto events = vprinter::ParseJournal(
      "ready 3 tcp:127.0.0.1:9100 pty:/dev/pts/4\n"
      "open 1 5 pty:/dev/pts/4\n"
      "open 2 17 tcp:127.0.0.1:9100 127.0.0.1:51000\n"
      "close 2 20 1234\n"
      "stop 99 stop-file\n"
      "close 3 1");  // still being written
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].kind, "ready");
  EXPECT_EQ(events[0].sources, (std::vector<std::string>{"tcp:127.0.0.1:9100", "pty:/dev/pts/4"}));
  EXPECT_EQ(events[1].id, 1);
  EXPECT_EQ(events[1].peer, "");
  EXPECT_EQ(events[2].source, "tcp:127.0.0.1:9100");
  EXPECT_EQ(events[2].peer, "127.0.0.1:51000");
  EXPECT_EQ(events[2].ms, 17);
  EXPECT_EQ(events[3].bytes, 1234);
  EXPECT_EQ(events[4].reason, "stop-file");
}

}  // namespace
