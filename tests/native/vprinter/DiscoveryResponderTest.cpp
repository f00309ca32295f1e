// vprinter's side of the broadcast protocol, without sockets: the found
// reply, saves for this printer and for others, the status reply choices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrintBench.h"
#include "vprinter/Discovery.h"
#include "vprinter/Printer.h"
#include "vprinter/escpos/ConfigFrame.h"

namespace {

using namespace vprinter;
using printbench::B;

struct Notes : escpos::EventLog {
  std::vector<std::string> lines;
  void Note(const std::string& line) override { lines.push_back(line); }
};

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }
std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

class DiscoveryResponderTest : public testing::Test {
 protected:
  std::string Answer(const std::string& datagram) {
    const auto reply = responder.OnDatagram(Bytes(datagram), "10.77.0.1:9000");
    return reply ? Text(*reply) : "(none)";
  }
  std::string Save(std::uint8_t lastMacByte, const std::string& record) {
    return "LM0001SAVE" + B({0x02, 0xAA, 0xBB, 0xCC, 0xDD, lastMacByte, 0x00, 0x00}) + record;
  }

  Identity identity{{0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x01}, 9100, false};
  escpos::Settings settings;
  Notes notes;
  DiscoveryResponder responder{identity, settings, notes};
};

TEST_F(DiscoveryResponderTest, AFindIsAnsweredWithTheFoundReply) {
  EXPECT_EQ(Answer("LM0001FIND"),
            "LM0001FOUND" + B({0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x01, 0x00, 0x00, 192,  168,  123, 100,
                               255,  255,  255,  0,    192,  168,  123,  1,    0x8C, 0x23, 0x00}));
  EXPECT_EQ(notes.lines, (std::vector<std::string>{"discovery: find from 10.77.0.1:9000, answered"}));
}

TEST_F(DiscoveryResponderTest, ASaveForThisMacTakesTheAddressesAndDhcpButNotThePort) {
  const std::string record = B({10, 0, 0, 7, 255, 0, 0, 0, 10, 0, 0, 254, 0x50, 0x00, 0x01});
  EXPECT_EQ(Answer(Save(0x02, record)), "(none)");  // another printer's
  EXPECT_EQ(responder.RecordText(),
            "mac 02-AA-BB-CC-DD-01 ip 192.168.123.100 mask 255.255.255.0 gateway 192.168.123.1 port 9100 dhcp 0");
  EXPECT_EQ(Answer(Save(0x01, record)), "(none)");
  EXPECT_EQ(responder.RecordText(),
            "mac 02-AA-BB-CC-DD-01 ip 10.0.0.7 mask 255.0.0.0 gateway 10.0.0.254 port 9100 dhcp 1");
  EXPECT_EQ(notes.lines.back(), "discovery: save from 10.77.0.1:9000: " + responder.RecordText());
  EXPECT_EQ(Answer("LM0001FIND").substr(19), B({10, 0, 0, 7, 255, 0, 0, 0, 10, 0, 0, 254, 0x8C, 0x23, 0x01}));
}

TEST_F(DiscoveryResponderTest, OtherDatagramsAreNotAnswered) {
  const std::string save = Save(0x01, B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x8C, 0x23, 0x00}));
  for (const std::string& datagram :
       {std::string("LM0001FINDX"), std::string("LM0001FIN"), save.substr(0, 32), save + "x", std::string("hello")}) {
    EXPECT_EQ(Answer(datagram), "(none)") << datagram;
  }
  EXPECT_EQ(responder.RecordText(),
            "mac 02-AA-BB-CC-DD-01 ip 192.168.123.100 mask 255.255.255.0 gateway 192.168.123.1 port 9100 dhcp 0");
}

TEST_F(DiscoveryResponderTest, ANewAddressFrameShowsInTheNextFoundReply) {
  const auto frame = Bytes(B({0x1F, 0x1B, 0x1F, 0x22, 127, 0, 0, 9}));
  EXPECT_EQ(escpos::TakeFrame(frame, settings).used, 8u);
  EXPECT_EQ(Answer("LM0001FIND").substr(19, 4), B({127, 0, 0, 9}));
}

TEST(VPrinterStatusReply, ChosenRepliesParse) {
  const struct {
    std::string text;
    std::optional<std::vector<std::uint8_t>> reply;
  } cases[] = {
      {"08", std::vector<std::uint8_t>{0x08}},
      {"14 00 0c 00\n", std::vector<std::uint8_t>{0x14, 0x00, 0x0C, 0x00}},
      {"silent\n", std::vector<std::uint8_t>{}},
      {"silent 08", std::nullopt},
      {"", std::nullopt},
      {"1", std::nullopt},
      {"zz", std::nullopt},
      {std::string(42, '0'), std::nullopt},
      {std::string(40, '0'), std::vector<std::uint8_t>(20, 0)},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseStatusReply(c.text), c.reply) << "'" << c.text << "'";
}

TEST(VPrinterMac, ParsesDashesOrColonsOnly) {
  EXPECT_EQ(ParseMac("02-aa-BB-cc-DD-01"), (Mac{0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x01}));
  EXPECT_EQ(ParseMac("02:AA:BB:CC:DD:01"), (Mac{0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x01}));
  for (const char* bad : {"02-AA-BB-CC-DD", "02-AA-BB-CC-DD-0G", "02.AA.BB.CC.DD.01", "02-AA-BB-CC-DD-011"}) {
    EXPECT_EQ(ParseMac(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(MacText({0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0x01}), "02-AA-BB-CC-DD-01");
}

}  // namespace
