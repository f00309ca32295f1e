// The main window's sending: Print in every form, the HEX view, automatic
// sending, the fixed commands, Clear and the repetitions arrows.
#include "MainWindowFixture.h"

#include <stdexcept>

namespace consoletest {
namespace {

using prtbench::MakeIpv4;

const std::string kNetOk = "Network send data successfully";

class SendingTest : public MainWindowTest {
 protected:
  void SetUp() override {
    store_.Put("Printer Address", "IP", "127.0.0.1");
    Open();
  }
  void Print(const std::string& content) {
    SetText(IDC_MAIN_CONTENT, content);
    Click(IDC_MAIN_PRINT);
    Settle();
  }
};

TEST_F(SendingTest, PrintSendsTheTextInCodePage860OverNet) {
  Print("ABC");
  EXPECT_EQ(Connections(), (std::vector<std::string>{"ABC"}));
  EXPECT_EQ(CountLog("connect 127.0.0.1:9100"), 1);
  EXPECT_EQ(Status(), kNetOk + " current sended:3 bytes,total sended:3 bytes ");
  Print("é");
  EXPECT_EQ(Connections().back(), "\x82");
}

TEST_F(SendingTest, PrintReadsThePrinterIpBoxAsItIsNow) {
  SetPrinterIp(MakeIpv4(127, 0, 0, 2));
  Print("A");
  EXPECT_EQ(CountLog("connect 127.0.0.2:9100"), 1);
  EXPECT_EQ(link.Settings().printerIp, MakeIpv4(127, 0, 0, 2));
}

TEST_F(SendingTest, EmptyContentShowsTheBoxAndSendsNothing) {
  Print("");
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"The input data is empty!"}));
  EXPECT_EQ(CountLog("connect"), 0);
}

TEST_F(SendingTest, HexContentSendsItsBytes) {
  Click(IDC_MAIN_HEX);
  Print("1b 40");
  EXPECT_EQ(Connections(), (std::vector<std::string>{"\x1b\x40"}));
}

TEST_F(SendingTest, BadHexDigitShowsTheBoxAndSendsNothing) {
  Command(IDM_LANGUAGE_CHINESE);
  Click(IDC_MAIN_HEX);
  Print("1b 4g");
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"十六进制字符输入有误！"}));
  EXPECT_EQ(CountLog("connect"), 0);
}

TEST_F(SendingTest, NumberedRepetitionsGoOneConnectionPerSend) {
  SetText(IDC_MAIN_REPEAT, "3");
  Click(IDC_MAIN_NUMBERING);
  Print("ABC");
  EXPECT_EQ(Connections(),
            (std::vector<std::string>{"No.1\r\n", "ABC", "No.2\r\n", "ABC", "No.3\r\n", "ABC"}));
  EXPECT_EQ(state.TotalBytes(), 27);
}

TEST_F(SendingTest, TimeStampFollowsEachRepetitionAsUtf16) {
  SetText(IDC_MAIN_REPEAT, "2");
  Click(IDC_MAIN_TIME_STAMP);
  SetText(IDC_MAIN_DATE, "2024-01-02 03:04:05");
  Print("A");
  const std::string stamp("\r\0\n\0" "2\0" "0\0" "2\0" "4\0" "-\0" "0\0" "1\0" "-\0" "0\0" "2\0" " \0"
                          "0\0" "3\0" ":\0" "0\0" "4\0" ":\0" "0\0" "5\0" "\r\0\n\0", 46);
  EXPECT_EQ(Connections(), (std::vector<std::string>{"A", stamp, "A", stamp}));
}

TEST_F(SendingTest, RepetitionsBelowOneSendNothing) {
  SetText(IDC_MAIN_REPEAT, "0");
  Print("A");
  EXPECT_EQ(CountLog("connect"), 0);
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(SendingTest, RepetitionsThatAreNoNumberAskForAnInteger) {
  SetText(IDC_MAIN_REPEAT, "x");
  Print("A");
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"Please enter an integer."}));
  EXPECT_EQ(CountLog("connect"), 0);
}

TEST_F(SendingTest, AFailedSendDoesNotEndThePrint) {
  SetText(IDC_MAIN_REPEAT, "2");
  devices.attempts = {prtbench::AttemptResult::TimedOut, prtbench::AttemptResult::TimedOut,
                       prtbench::AttemptResult::TimedOut};
  Print("AB");
  EXPECT_EQ(Connections(), (std::vector<std::string>{"AB"}));
  EXPECT_EQ(Status(), kNetOk + " current sended:2 bytes,total sended:2 bytes ");
}

TEST_F(SendingTest, PrintOverComStartsTheIdleCloseAndTheNextPrintReopens) {
  Click(IDC_MAIN_PORT_COM);
  Print("A");
  ASSERT_EQ(devices.OpenDevices().size(), 1u);
  EXPECT_EQ(Status(), "COM1 has been sent the data,if the printer is no action,please detect connection! "
                      "current sended:1 bytes,total sended:1 bytes ");
  SendMessageW(main_, WM_TIMER, 1, 0);
  Settle();
  EXPECT_TRUE(devices.OpenDevices().empty());
  Print("B");
  EXPECT_EQ(CountLog("open COM1"), 2);
}

TEST_F(SendingTest, HexToggleShowsA936DumpAndComesBackToTheSameText) {
  SetText(IDC_MAIN_CONTENT, "AB\r\n");
  Click(IDC_MAIN_HEX);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "41 42 0D 0A\r\n");
  Click(IDC_MAIN_HEX);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "AB\r\n");
  EXPECT_TRUE(prompts_.messages().empty());
}

// 936 lacks ç and ã: the dump shows them as 3F, yet leaving the view
// unedited gives back the text that entered it.
TEST_F(SendingTest, HexToggleGivesBackTextThatCodePage936Lacks) {
  SetText(IDC_MAIN_CONTENT, "ação");
  Click(IDC_MAIN_HEX);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "61 3F 3F 6F");
  Click(IDC_MAIN_HEX);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "ação");
}

// A job that throws (a 2-4 GiB file on the 32-bit build) ends with a message
// in the status line; the program and its queue go on.
TEST_F(SendingTest, AJobThatThrowsIsReportedAndTheQueueGoesOn) {
  window_->context().Post([](const prtbench::SendQueue::Cancelled&) { throw std::length_error("vector"); });
  Settle();
  EXPECT_EQ(Status(), "The operation failed and was stopped (out of memory or an internal error)!");
  Print("ABC");
  EXPECT_EQ(Connections().back(), "ABC");
}

TEST_F(SendingTest, HexToggleOffWithBadHexKeepsTheTextAndShowsTheBox) {
  Click(IDC_MAIN_HEX);
  SetText(IDC_MAIN_CONTENT, "4G");
  Click(IDC_MAIN_HEX);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "4G");
  EXPECT_FALSE(Checked(IDC_MAIN_HEX));
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"Hexadecimal character input Error！"}));
}

TEST_F(SendingTest, CutPaperAndSelfTestSendTheirBytes) {
  Click(IDC_MAIN_CUT);
  Click(IDC_MAIN_SELF_TEST);
  Settle();
  EXPECT_EQ(Connections(), (std::vector<std::string>{std::string("\x1d\x56\x42\x00\x0a\x0a\x00", 7),
                                                     "\x1f\x1b\x1f\x67"}));
}

TEST_F(SendingTest, CashDrawerSaysWhetherItWorked) {
  Click(IDC_MAIN_DRAWER);
  Settle();
  EXPECT_EQ(Connections(), (std::vector<std::string>{std::string("\x1b\x70\x00\x1e\xff\x00", 6)}));
  EXPECT_EQ(Status(), "Open the cash box success");
  devices.attempts = {prtbench::AttemptResult::TimedOut, prtbench::AttemptResult::TimedOut,
                       prtbench::AttemptResult::TimedOut};
  Command(IDM_LANGUAGE_CHINESE);
  Click(IDC_MAIN_DRAWER);
  Settle();
  EXPECT_EQ(Status(), "开钱箱失败！");
}

TEST_F(SendingTest, ClearEmptiesTheContentAndTheCounterButKeepsOtherEdits) {
  Print("ABC");
  SetText(IDC_MAIN_REPEAT, "4");
  Click(IDC_MAIN_CLEAR);
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "");
  EXPECT_EQ(state.TotalBytes(), 0);
  EXPECT_EQ(Text(IDC_MAIN_REPEAT), "4");
}

TEST_F(SendingTest, RepetitionArrowsStepAndNeverGoBelowOne) {
  auto step = [&](int delta) {
    NMUPDOWN change{};
    change.hdr.hwndFrom = GetDlgItem(main_, IDC_MAIN_REPEAT_SPIN);
    change.hdr.idFrom = IDC_MAIN_REPEAT_SPIN;
    change.hdr.code = UDN_DELTAPOS;
    change.iDelta = delta;
    SendMessageW(main_, WM_NOTIFY, IDC_MAIN_REPEAT_SPIN, reinterpret_cast<LPARAM>(&change));
  };
  step(-1);
  EXPECT_EQ(Text(IDC_MAIN_REPEAT), "2");
  step(1);
  step(1);
  EXPECT_EQ(Text(IDC_MAIN_REPEAT), "1");
}

TEST_F(SendingTest, PrintKeyIsTheSameAsThePrintButton) {
  SetText(IDC_MAIN_CONTENT, "K");
  Command(IDM_FILE_PRINT);
  Settle();
  EXPECT_EQ(Connections(), (std::vector<std::string>{"K"}));
}

// --- automatic sending ---

TEST_F(SendingTest, AutoSendRepeatsTheTextWithItsZeroUntilUnticked) {
  SetText(IDC_MAIN_PERIOD, "1");
  SetText(IDC_MAIN_CONTENT, "ABC");
  Click(IDC_MAIN_AUTO_SEND);
  EXPECT_FALSE(Enabled(IDC_MAIN_PRINT));
  PumpUntil([&] { return Connections().size() >= 3; });
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return !window_->Busy(); });
  PumpUntil([&] { return Status().rfind("Automatic sending thread was exit！   ", 0) == 0; });
  EXPECT_TRUE(Enabled(IDC_MAIN_PRINT));
  for (const std::string& bytes : Connections()) EXPECT_EQ(bytes, std::string("ABC\0", 4));
  EXPECT_EQ(devices.overlappingCalls(), 0);
}

TEST_F(SendingTest, AutoSendStatusCountsSendsAndBytes) {
  SetText(IDC_MAIN_PERIOD, "1");
  SetText(IDC_MAIN_CONTENT, "AB");
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return Status().rfind("The number of sent: ", 0) == 0; });
  const std::string status = Status();
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return !window_->Busy(); });
  int count = 0, bytes = 0;
  ASSERT_EQ(std::sscanf(status.c_str(), "The number of sent: %d,sended bytes:%d", &count, &bytes), 2);
  EXPECT_EQ(bytes, count * 3);
}

TEST_F(SendingTest, AutoSendEndsAfterAFailedSendAndLeavesTheBoxTicked) {
  devices.sendResults = {3, prtbench::kSocketError};
  SetText(IDC_MAIN_PERIOD, "1");
  SetText(IDC_MAIN_CONTENT, "AB");
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return Status().rfind("Automatic sending thread was exit！   ", 0) == 0; });
  EXPECT_TRUE(Checked(IDC_MAIN_AUTO_SEND));
  EXPECT_FALSE(Enabled(IDC_MAIN_PRINT));
  PumpUntil([&] { return !window_->Busy(); });  // the run ended by itself
  const size_t sends = Connections().size();
  Pump();
  EXPECT_EQ(Connections().size(), sends);
  Click(IDC_MAIN_AUTO_SEND);
  EXPECT_TRUE(Enabled(IDC_MAIN_PRINT));
}

TEST_F(SendingTest, PrintKeyDoesNothingWhileAutomaticSendingRuns) {
  SetText(IDC_MAIN_PERIOD, "60000");
  SetText(IDC_MAIN_CONTENT, "A");
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return Connections().size() == 1; });
  Command(IDM_FILE_PRINT);
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return !window_->Busy(); });
  EXPECT_EQ(Connections(), (std::vector<std::string>{std::string("A\0", 2)}));
}

TEST_F(SendingTest, AutoSendWithCutPaperSendsTheCutWhateverTheContent) {
  SetText(IDC_MAIN_PERIOD, "1");
  SetText(IDC_MAIN_CONTENT, "");
  Click(IDC_MAIN_CUT_PAPER_SWITCH);
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return Connections().size() >= 2; });
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return !window_->Busy(); });
  for (const std::string& bytes : Connections()) EXPECT_EQ(bytes, "\x1d\x56\x01\x0a\x0a");
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(SendingTest, AutoSendWithHexSendsTheBytesWithoutZero) {
  SetText(IDC_MAIN_PERIOD, "1");
  Click(IDC_MAIN_HEX);
  SetText(IDC_MAIN_CONTENT, "1b 40");
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return !Connections().empty(); });
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return !window_->Busy(); });
  EXPECT_EQ(Connections().front(), "\x1b\x40");
}

TEST_F(SendingTest, AutoSendOfNothingShowsTheBoxAndLeavesPrintDisabled) {
  SetText(IDC_MAIN_CONTENT, "");
  Click(IDC_MAIN_AUTO_SEND);
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"The input data is empty!"}));
  EXPECT_TRUE(Checked(IDC_MAIN_AUTO_SEND));
  EXPECT_FALSE(Enabled(IDC_MAIN_PRINT));
  Settle();  // would never end if a run had started
  EXPECT_EQ(CountLog("connect"), 0);
}

TEST_F(SendingTest, AutoSendPeriodOutOfRangeIsRefused) {
  SetText(IDC_MAIN_PERIOD, "70000");
  SetText(IDC_MAIN_CONTENT, "A");
  Click(IDC_MAIN_AUTO_SEND);
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"Please enter an integer between 1 and 65535."}));
  EXPECT_FALSE(Checked(IDC_MAIN_AUTO_SEND));
  EXPECT_TRUE(Enabled(IDC_MAIN_PRINT));
  Settle();
  EXPECT_EQ(CountLog("connect"), 0);
}

TEST_F(SendingTest, SwitchingOffStopsTheRunWhateverTheNumberFieldsHold) {
  for (const char* field : {"repetitions", "period"}) {
    SetText(IDC_MAIN_REPEAT, "1");
    SetText(IDC_MAIN_PERIOD, "1");
    SetText(IDC_MAIN_CONTENT, "A");
    Click(IDC_MAIN_AUTO_SEND);
    PumpUntil([&] { return !Connections().empty(); });
    SetText(field == std::string("period") ? IDC_MAIN_PERIOD : IDC_MAIN_REPEAT, "x");
    Click(IDC_MAIN_AUTO_SEND);
    PumpUntil([&] { return !window_->Busy(); });
    EXPECT_FALSE(Checked(IDC_MAIN_AUTO_SEND)) << field;
    EXPECT_TRUE(Enabled(IDC_MAIN_PRINT)) << field;
    EXPECT_TRUE(prompts_.messages().empty()) << field;
    const size_t sends = Connections().size();
    Sleep(20);
    Pump();
    EXPECT_EQ(Connections().size(), sends) << field;
  }
}

TEST_F(SendingTest, TickingAgainWhileTheRunEndsNeverRunsTwoAtOnce) {
  SetText(IDC_MAIN_PERIOD, "60000");
  SetText(IDC_MAIN_CONTENT, "A");
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return Connections().size() == 1; });
  Click(IDC_MAIN_AUTO_SEND);
  SetText(IDC_MAIN_CONTENT, "B");
  Click(IDC_MAIN_AUTO_SEND);
  // the second run starts once the first has ended, with its own buffer
  PumpUntil([&] { return Connections().size() == 2; });
  EXPECT_EQ(Connections(), (std::vector<std::string>{std::string("A\0", 2), std::string("B\0", 2)}));
  EXPECT_EQ(devices.overlappingCalls(), 0);
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return !window_->Busy(); });
}

TEST_F(SendingTest, ClosingTheWindowEndsAutomaticSendingAtOnce) {
  SetText(IDC_MAIN_PERIOD, "65535");
  SetText(IDC_MAIN_CONTENT, "A");
  Click(IDC_MAIN_AUTO_SEND);
  PumpUntil([&] { return Connections().size() == 1; });
  Close();  // would wait out the period if the run could not be woken
  EXPECT_EQ(Connections().size(), 1u);
  EXPECT_TRUE(devices.OpenSockets().empty());
}

TEST_F(SendingTest, ALongPrintLeavesTheWindowFreeAndClosingStopsIt) {
  devices.slowWrites = true;  // a million writes would take half an hour
  Click(IDC_MAIN_PORT_COM);
  SetText(IDC_MAIN_REPEAT, "1000000");
  SetText(IDC_MAIN_CONTENT, "A");
  Click(IDC_MAIN_PRINT);  // returns at once: the sends run on the send queue
  PumpUntil([&] { return CountLog("write ") >= 3; });
  EXPECT_TRUE(window_->Busy());
  SetText(IDC_MAIN_CONTENT, "still answering");
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "still answering");
  Close();
  const int writes = CountLog("write ");
  EXPECT_LT(writes, 1000000);
  EXPECT_TRUE(devices.OpenDevices().empty());
  EXPECT_EQ(CountLog("write "), writes);
}

}  // namespace
}  // namespace prtbenchtest
