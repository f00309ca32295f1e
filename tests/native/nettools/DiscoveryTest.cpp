// Find, found and save packets; records; one line per MAC.
#include <gtest/gtest.h>

#include <string>

#include "prtbench/nettools/Discovery.h"

namespace {

using namespace prtbench;

constexpr MacAddress kMac = {0x00, 0x1B, 0xA5, 0x3C, 0x7E, 0xF0};

// A found reply as a printer sends it: MAC 00-1B-A5-3C-7E-F0, bytes 17-18
// 5A 5A, 192.168.1.87 / 255.255.255.0 / 192.168.1.1, port bytes, DHCP.
Bytes Found(std::uint8_t portLow = 0x8C, std::uint8_t portHigh = 0x23, std::uint8_t dhcp = 0) {
  const std::string keyword = "LM0001FOUND";
  Bytes reply(keyword.begin(), keyword.end());
  reply.insert(reply.end(), kMac.begin(), kMac.end());
  reply.insert(reply.end(), {0x5A, 0x5A, 192, 168, 1, 87, 255, 255, 255, 0, 192, 168, 1, 1, portLow, portHigh, dhcp});
  return reply;
}

TEST(Discovery, FindRequestIsTheTenLetters) {
  EXPECT_EQ(FindRequest(), (Bytes{'L', 'M', '0', '0', '0', '1', 'F', 'I', 'N', 'D'}));
}

TEST(Discovery, FoundRepliesAcceptedAndRefused) {
  Bytes longer = Found();
  longer.push_back(0x00);
  Bytes shorter = Found();
  shorter.pop_back();
  Bytes lowerCase = Found();
  lowerCase[10] = 'd';
  Bytes find = FindRequest();
  const FoundPrinter usual{kMac, MakeIpv4(192, 168, 1, 87), MakeIpv4(255, 255, 255, 0), MakeIpv4(192, 168, 1, 1), 9100,
                           0};
  FoundPrinter web = usual;
  web.port = 80;
  web.dhcp = 1;
  const struct {
    const char* what;
    Bytes datagram;
    std::optional<FoundPrinter> printer;
  } cases[] = {
      {"34 bytes, port 8C 23", Found(), usual},   {"port 50 00, DHCP", Found(0x50, 0x00, 1), web},
      {"33 bytes", shorter, std::nullopt},        {"35 bytes", longer, std::nullopt},
      {"wrong keyword", lowerCase, std::nullopt}, {"our own find request", find, std::nullopt},
      {"nothing", Bytes{}, std::nullopt},         {"34 zero bytes", Bytes(34, 0), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseFoundReply(c.datagram), c.printer) << c.what;
}

TEST(Discovery, RecordLayoutAndRoundTrip) {
  const FoundPrinter printer{kMac, MakeIpv4(10, 0, 0, 5), MakeIpv4(255, 0, 0, 0), MakeIpv4(10, 0, 0, 1), 0x238C, 1};
  const DeviceRecord record = EncodeRecord(printer);
  EXPECT_EQ(record,
            (DeviceRecord{10, 0, 0, 5, 255, 0, 0, 0, 0x00, 0x1B, 0xA5, 0x3C, 0x7E, 0xF0, 10, 0, 0, 1, 0x8C, 0x23, 1}));
  EXPECT_EQ(DecodeRecord(record), printer);
}

TEST(Discovery, MacTextIsUpperCaseHexWithHyphens) {
  EXPECT_EQ(MacText(kMac), "00-1B-A5-3C-7E-F0");
  EXPECT_EQ(MacText({0xAB, 0xCD, 0xEF, 0x01, 0x02, 0xFF}), "AB-CD-EF-01-02-FF");
}

TEST(Discovery, SaveRequestCarriesTheFieldsZeroesAndAlwaysPort9100) {
  const Bytes save =
      SaveRequest({kMac, MakeIpv4(192, 168, 1, 120), MakeIpv4(255, 255, 255, 0), MakeIpv4(192, 168, 1, 254), true});
  EXPECT_EQ(save, (Bytes{'L',  'M', '0', '0', '0', '1', 'S', 'A', 'V', 'E', 0x00, 0x1B, 0xA5, 0x3C, 0x7E, 0xF0, 0x00,
                         0x00, 192, 168, 1,   120, 255, 255, 255, 0,   192, 168,  1,    254,  0x8C, 0x23, 0x01}));
  EXPECT_EQ(save.size(), kSaveRequestSize);
  EXPECT_EQ(SaveRequest({kMac, 0, 0, 0, false}).back(), 0x00);
}

TEST(Discovery, OneLinePerMacKeepingTheFirstReplyOfTheLatestSearch) {
  using Added = FoundPrinters::Added;
  FoundPrinters list;
  FoundPrinter first = *ParseFoundReply(Found());
  FoundPrinter again = first;
  again.ip = MakeIpv4(192, 168, 1, 99);
  FoundPrinter other = first;
  other.mac[5] = 0x01;
  const unsigned earlier = list.NewSearch();
  EXPECT_EQ(list.Add(first, earlier), Added::Yes);
  EXPECT_EQ(list.Add(again, earlier), Added::Dropped);
  EXPECT_EQ(list.Add(other, earlier), Added::Yes);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.Find("00-1B-A5-3C-7E-F0"), first);
  EXPECT_EQ(list.Find("00-1B-A5-3C-7E-01"), other);
  EXPECT_EQ(list.Find("00-1B-A5-3C-7E-02"), std::nullopt);
  // a reply the earlier search handed over late does not take the line from the fresh one
  const unsigned latest = list.NewSearch();
  EXPECT_EQ(list.Find("00-1B-A5-3C-7E-F0"), std::nullopt);
  EXPECT_EQ(list.Add(first, earlier), Added::Dropped);
  EXPECT_EQ(list.Add(again, latest), Added::Yes);
  EXPECT_EQ(list.Find("00-1B-A5-3C-7E-F0"), again);
}

TEST(Discovery, TheListHoldsAtMost256PrintersAndSaysSoOncePerSearch) {
  using Added = FoundPrinters::Added;
  FoundPrinters list;
  FoundPrinter printer = *ParseFoundReply(Found());
  for (int round = 0; round < 2; ++round) {
    const unsigned search = list.NewSearch();
    for (unsigned i = 0; i < 256; ++i) {
      printer.mac[4] = static_cast<std::uint8_t>(i);
      ASSERT_EQ(list.Add(printer, search), Added::Yes) << i;
    }
    printer.mac[3] = 0x01;
    EXPECT_EQ(list.Add(printer, search), Added::ListFull);
    printer.mac[4] = 0x00;
    EXPECT_EQ(list.Add(printer, search), Added::Dropped);
    printer.mac[3] = 0x3C;
    EXPECT_EQ(list.size(), 256u);
  }
}

}  // namespace
