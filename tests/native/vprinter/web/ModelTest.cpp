// The handover from the print loop and the page's state built from it.
#include "vprinter/web/Model.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <thread>

namespace {

using nlohmann::json;
using vprinter::web::Feed;
using vprinter::web::Model;

json State(const Model& model, std::uint64_t since = 0) { return json::parse(model.StateJson(since)); }

vprinter::escpos::Receipt Receipt(int width, int height, const std::string& ending) {
  vprinter::escpos::Receipt receipt;
  receipt.page = vprinter::escpos::Bitmap(width, height);
  receipt.ending = ending;
  return receipt;
}

TEST(VPrinterWebModel, ListsReceiptsAndConnectionsNewestFirstWithTheirBytes) {
  Feed feed;
  Model model;
  feed.Opened(1, "tcp:127.0.0.1:9100", "127.0.0.1:40000");
  feed.Received(1, 5);
  feed.Received(1, 7);
  feed.Printed(1, Receipt(576, 40, "partial cut"));
  feed.Closed(1, 12);
  feed.Opened(2, "pty:/dev/pts/4", "");
  feed.Received(2, 3);
  feed.Printed(2, Receipt(384, 9, "not cut: the job ended"));
  model.Apply(feed.Take());
  const json state = State(model);
  ASSERT_EQ(state["receipts"].size(), 2u);
  EXPECT_EQ(state["receipts"][0]["number"], 2);
  EXPECT_EQ(state["receipts"][0]["ending"], "not cut: the job ended");
  EXPECT_EQ(state["receipts"][0]["width"], 384);
  EXPECT_EQ(state["receipts"][1]["png"], "receipt-1.png");
  EXPECT_EQ(state["receipts"][1]["txt"], "receipt-1.txt");
  EXPECT_EQ(state["receipts"][1]["height"], 40);
  ASSERT_EQ(state["connections"].size(), 2u);
  EXPECT_EQ(state["connections"][0]["id"], 2);
  EXPECT_EQ(state["connections"][0]["bytes"], 3);
  EXPECT_EQ(state["connections"][0]["open"], true);
  EXPECT_EQ(state["connections"][1]["source"], "tcp:127.0.0.1:9100");
  EXPECT_EQ(state["connections"][1]["peer"], "127.0.0.1:40000");
  EXPECT_EQ(state["connections"][1]["bytes"], 12);  // the close's count, not added twice
  EXPECT_EQ(state["connections"][1]["open"], false);
  EXPECT_EQ(state["connections"][1]["file"], "conn-1.bin");
  EXPECT_EQ(state["connections"][1]["opened"].get<std::string>().size(), 12u);  // hh:mm:ss.mmm
}

TEST(VPrinterWebModel, AnUnchangedStateIsOnlyItsRevision) {
  Feed feed;
  Model model;
  feed.Opened(1, "tcp:127.0.0.1:9100", "127.0.0.1:40000");
  model.Apply(feed.Take());
  const auto revision = model.revision();
  model.Apply(feed.Take());  // nothing new
  EXPECT_EQ(model.revision(), revision);
  EXPECT_EQ(model.StateJson(revision), "{\"changed\":false,\"revision\":" + std::to_string(revision) + "}");
  feed.Received(1, 1);
  model.Apply(feed.Take());
  EXPECT_EQ(State(model, revision)["connections"][0]["bytes"], 1);
}

TEST(VPrinterWebModel, AFullHandoverDropsNewsAndSaysHowMany) {
  Feed feed;
  Model model;
  for (size_t i = 0; i < Feed::kMaxNews + 3; ++i) feed.Opened(static_cast<int>(i + 1), "tcp:127.0.0.1:9100", "");
  model.Apply(feed.Take());
  const json state = State(model);
  EXPECT_EQ(state["dropped"], 3);
  EXPECT_EQ(state["connections"].size(), Model::kKept);
  EXPECT_EQ(state["connections"][0]["id"], Feed::kMaxNews);
}

TEST(VPrinterWebModel, ThePrinterStateIsHandedOverWhenItChanges) {
  Feed feed;
  Model model;
  vprinter::escpos::Settings settings;
  vprinter::Conditions conditions;
  conditions.paperOut = true;
  const std::uint8_t word[] = {0x1C, 0x00, 0x0C, 0x00};
  feed.PrinterState(settings, conditions, word);
  model.Apply(feed.Take());
  const json printer = State(model)["printer"];
  EXPECT_EQ(printer["conditions"], json::array({"paper-out"}));
  EXPECT_EQ(printer["statusAnswer"], "1C 00 0C 00");
  EXPECT_EQ(printer["settings"][1], "Density: 5");
  // the same state again, even after the pause, hands nothing over
  std::this_thread::sleep_for(Feed::kStateEvery);
  feed.PrinterState(settings, conditions, word);
  EXPECT_FALSE(feed.Take().printer);
  std::this_thread::sleep_for(Feed::kStateEvery);
  feed.PrinterState(settings, conditions, {});
  const auto silent = feed.Take().printer;
  ASSERT_TRUE(silent);
  EXPECT_TRUE(silent->statusAnswer.empty());
}

TEST(VPrinterWebModel, ClearingKeepsOpenConnectionsAndHidesFirmwareShownSoFar) {
  Feed feed;
  Model model;
  feed.Opened(1, "tcp:127.0.0.1:9100", "");
  feed.Closed(1, 0);
  feed.Opened(2, "tcp:127.0.0.1:9100", "");
  feed.Printed(1, Receipt(576, 10, "full cut"));
  model.Apply(feed.Take());
  model.SetFirmware({{"firmware-1.fmw", 20, "AA BB CC DD", 8, "01 02 03 04"}});
  model.Clear();
  model.SetFirmware({{"firmware-2.fmw", 16, "AA BB CC DD", 4, "05 06 07 08"},
                     {"firmware-1.fmw", 20, "AA BB CC DD", 8, "01 02 03 04"}});
  const json state = State(model);
  EXPECT_TRUE(state["receipts"].empty());
  ASSERT_EQ(state["connections"].size(), 1u);
  EXPECT_EQ(state["connections"][0]["id"], 2);
  ASSERT_EQ(state["firmware"].size(), 1u);
  EXPECT_EQ(state["firmware"][0]["name"], "firmware-2.fmw");
  EXPECT_EQ(state["firmware"][0]["checksum"], "05 06 07 08");
}

}  // namespace
