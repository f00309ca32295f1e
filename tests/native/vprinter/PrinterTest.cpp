// The printer around the interpreter: its receive buffer filling and
// draining, bytes lost to an overflow and what that does to a tall image, the
// conditions that stop the mechanism, and the status word.
#include <gtest/gtest.h>

#include "PrintBench.h"
#include "vprinter/Printer.h"

namespace {

using namespace printbench;
using vprinter::Conditions;
using vprinter::Printer;
using vprinter::PrinterSetup;
using vprinter::ReceiveBuffer;
using Bytes = std::vector<std::uint8_t>;

TEST(ReceiveBuffer, KeepsWhatFitsAndDrainsAtItsRate) {
  struct Step {
    bool running;
    double at;
    size_t offered, accepted;
  };
  ReceiveBuffer buffer(100, 10);  // 100 bytes, 10 bytes a second
  const Step steps[] = {
      {true, 0.0, 60, 60}, {true, 0.0, 60, 40},  {true, 2.0, 50, 20},  // 20 drained in two seconds
      {false, 5.0, 10, 10}, {false, 50.0, 50, 20}, {false, 60.0, 5, 0},  // stopped: nothing drains
      {true, 60.0, 5, 0},   {true, 62.0, 50, 20},
  };
  for (const Step& step : steps) {
    buffer.SetRunning(step.running, step.at);
    EXPECT_EQ(buffer.Offer(step.offered, step.at), step.accepted) << step.at;
  }
  ReceiveBuffer unlimited(100, 0);
  EXPECT_EQ(unlimited.Offer(1000000, 0), 1000000u);
  unlimited.SetRunning(false, 1);
  EXPECT_EQ(unlimited.Offer(1000, 1), 100u);
}

std::span<const std::uint8_t> Span(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// A 512 x 100 raster whose byte i of row r is r, so every row can be told apart.
std::string TallImage() {
  std::string bytes = B({0x1D, 0x76, 0x30, 0x00, 64, 0, 100, 0});
  for (int row = 0; row < 100; ++row) bytes += std::string(64, static_cast<char>(row));
  return bytes;
}

struct Machine {
  explicit Machine(const PrinterSetup& setup)
      : printer(setup, vprinter::escpos::Typeface::Boxes(), out, out) {}
  Collected out;
  Printer printer;
  vprinter::AutomaticStatus automatic;
};

TEST(Printer, ATallImageOverflowingASmallBufferIsGarbledByWhatComesNext) {
  PrinterSetup setup;
  setup.bufferBytes = 1000;
  setup.drainPerSecond = 1000;
  Machine machine(setup);
  // the whole image at once: the buffer keeps the header and 992 data bytes
  machine.printer.Receive(Span(TallImage()), 0.0, machine.automatic);
  EXPECT_TRUE(machine.out.Noted("receive buffer full: 5408 bytes lost after byte 1000"));
  machine.printer.EndOfJob();
  // a second later the next job arrives; the printer still waits for 5408
  // bytes of the image and takes the new job's bytes as its rows
  const std::string next = "Hello\n" + std::string(200, '\x55');
  machine.printer.Receive(Span(next), 1.0, machine.automatic);
  machine.printer.EndOfJob();
  ASSERT_EQ(machine.out.receipts.size(), 2u);
  const Bitmap& first = machine.out.receipts[0].page;
  ASSERT_EQ(first.height, 15);  // 992 bytes: 15 whole rows of 64
  for (int row = 0; row < 15; ++row) EXPECT_EQ(first.Row(row)[0], row);
  const Bitmap& second = machine.out.receipts[1].page;
  ASSERT_EQ(second.height, 3);  // 32 + 206 bytes: rows 15 to 17
  EXPECT_EQ(second.Row(0)[31], 15);  // the end of the image's row 15 ...
  EXPECT_EQ(second.Row(0)[32], 'H');  // ... and the next job where its row 15 went on
  EXPECT_EQ(second.Row(0)[37], '\n');
  EXPECT_EQ(second.Row(1)[0], 0x55);
  for (const auto& receipt : machine.out.receipts) {
    for (const auto& line : receipt.text) EXPECT_EQ(line.find("Hello"), std::string::npos);
  }
}

TEST(Printer, ConditionsStopTheMechanismAndTheStatusWordShowsThem) {
  struct Case {
    Conditions conditions;
    std::array<std::uint8_t, 4> word;
    bool prints;
  };
  const Case cases[] = {
      {{}, {0x14, 0, 0, 0}, true},
      {{.paperOut = true}, {0x1C, 0, 0x0C, 0}, false},
      {{.coverOpen = true}, {0x3C, 0, 0, 0}, false},
      {{.drawerOpen = true}, {0x10, 0, 0, 0}, true},
      {{.offline = true}, {0x1C, 0, 0, 0}, false},
      {{.paperOut = true, .coverOpen = true, .drawerOpen = true}, {0x38, 0, 0x0C, 0}, false},
  };
  for (const Case& c : cases) {
    PrinterSetup setup;
    setup.conditions = c.conditions;
    Machine machine(setup);
    EXPECT_EQ(machine.printer.StatusWord(), c.word) << vprinter::ConditionsText(c.conditions);
    machine.printer.Receive(Span("held\n" + B({0x1D, 0x56, 0x00})), 0, machine.automatic);
    EXPECT_EQ(machine.out.receipts.size(), c.prints ? 1u : 0u);
    // the condition ends: what the buffer kept prints
    machine.printer.SetConditions({}, 1);
    EXPECT_EQ(machine.out.receipts.size(), 1u) << vprinter::ConditionsText(c.conditions);
    EXPECT_EQ(machine.printer.StatusWord(), (std::array<std::uint8_t, 4>{0x14, 0, 0, 0}));
  }
}

TEST(Printer, StatusRequestsAreAnsweredOnTheirConnection) {
  struct Case {
    Conditions conditions;
    std::string request;
    std::string answer;
  };
  const Case cases[] = {
      {{}, B({0x10, 0x04, 0x01}), B({0x16})},
      {{}, B({0x10, 0x04, 0x02, 0x10, 0x04, 0x03, 0x10, 0x04, 0x04}), B({0x12, 0x12, 0x12})},
      {{.drawerOpen = true}, B({0x10, 0x04, 0x01}), B({0x12})},
      {{.paperOut = true}, B({0x10, 0x04, 0x01}), B({0x1E})},  // answered while it stands
      {{.paperOut = true}, B({0x10, 0x04, 0x02, 0x10, 0x04, 0x04}), B({0x32, 0x7E})},
      {{.coverOpen = true}, B({0x10, 0x04, 0x02}), B({0x16})},
      {{}, B({0x1D, 0x72, 0x01, 0x1D, 0x72, 0x32}), B({0x00, 0x01})},
      {{.drawerOpen = true}, B({0x1D, 0x72, 0x02}), B({0x00})},
      {{}, B({0x1D, 0x61, 0xFF}), B({0x14, 0x00, 0x00, 0x00})},
      {{}, B({0x1D, 0x61, 0x00}), ""},
      {{}, B({0x1D, 0x49, 0x01, 0x1D, 0x49, 0x32, 0x1D, 0x49, 0x03}), B({0x76, 0x02, 0x17})},
      {{}, "text" + B({0x10, 0x04, 0x05}), ""},
  };
  for (const Case& c : cases) {
    PrinterSetup setup;
    setup.conditions = c.conditions;
    Machine machine(setup);
    std::string answer;
    // in two pieces: a request may straddle reads
    for (const std::string& piece : {c.request.substr(0, 2), c.request.substr(2)}) {
      for (std::uint8_t b : machine.printer.Receive(Span(piece), 0, machine.automatic)) answer += static_cast<char>(b);
    }
    EXPECT_EQ(answer, c.answer) << testing::PrintToString(c.request);
  }
}

TEST(Printer, AutomaticStatusGoesBackWheneverTheWordChangesUntilItIsSwitchedOff) {
  Machine machine(PrinterSetup{});
  EXPECT_EQ(machine.printer.StatusChange(machine.automatic), Bytes{});  // not asked for
  EXPECT_EQ(machine.printer.Receive(Span(B({0x1D, 0x61, 0x0F})), 0, machine.automatic), Bytes({0x14, 0, 0, 0}));
  EXPECT_EQ(machine.printer.StatusChange(machine.automatic), Bytes{});
  machine.printer.SetConditions({.paperOut = true}, 1);
  EXPECT_EQ(machine.printer.StatusChange(machine.automatic), Bytes({0x1C, 0, 0x0C, 0}));
  EXPECT_EQ(machine.printer.StatusChange(machine.automatic), Bytes{});
  machine.printer.SetConditions({}, 2);
  machine.printer.Receive(Span(B({0x1D, 0x61, 0x00})), 3, machine.automatic);  // off
  machine.printer.SetConditions({.coverOpen = true}, 4);
  EXPECT_EQ(machine.printer.StatusChange(machine.automatic), Bytes{});
}

TEST(Printer, AStoppedPrinterLosesWhatOverflowsItsBuffer) {
  PrinterSetup setup;
  setup.bufferBytes = 10;
  setup.conditions.offline = true;
  Machine machine(setup);
  machine.printer.Receive(Span("0123456789ABCDEF\n"), 0, machine.automatic);
  EXPECT_TRUE(machine.out.Noted("receive buffer full: 7 bytes lost after byte 10"));
  machine.printer.SetConditions({}, 1);
  machine.printer.Receive(Span("\n"), 2, machine.automatic);
  machine.printer.EndOfJob();
  ASSERT_EQ(machine.out.receipts.size(), 1u);
  EXPECT_EQ(machine.out.receipts[0].text, std::vector<std::string>{"0123456789"});
}

TEST(Printer, ConditionWords) {
  std::string word;
  const auto all = vprinter::ParseConditions("paper-out, cover-open\ndrawer-open offline", word);
  ASSERT_TRUE(all);
  EXPECT_EQ(vprinter::ConditionsText(*all), "paper-out cover-open drawer-open offline");
  EXPECT_EQ(vprinter::ParseConditions("", word), Conditions{});
  EXPECT_FALSE(vprinter::ParseConditions("paper-out jammed", word));
  EXPECT_EQ(word, "jammed");
}

}  // namespace
