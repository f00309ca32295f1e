// The monitor window in-process against vprinter's status port on loopback:
// connect, lamps for the conditions and for short replies, five silent polls
// and the reconnect, Stop, closing while polling, the shutdown, the pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include "SystemContext.h"
#include "prtbench/nettools/win/NetMonitorDialog.h"
#include "prtbench/res/resource.h"
#include "support/DialogDriver.h"
#include "support/TestContext.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

namespace {

using namespace prtbench;
using namespace nettest;
using namespace testsupport;
using testsupport::VPrinter;

const char kConnected[] = "Network monitoring connection is successful, are monitoring!";
const char kQuit[] = "Network monitoring has quit!";

// The lamps as their controls' texts say: R red, G green, B black.
std::string Lamps(HWND window) {
  std::string letters;
  for (int id = IDC_NETMONITOR_LAMP_RECOVERABLE; id <= IDC_NETMONITOR_LAMP_ONLINE; ++id) {
    const std::string name = Text(window, id);
    letters += name == "red" ? 'R' : name == "green" ? 'G' : name == "black" ? 'B' : '?';
  }
  return letters;
}

int StatusConnections(const VPrinter& printer, const std::string& source) {
  int opened = 0;
  for (const auto& event : printer.Journal()) opened += event.kind == "open" && event.source == source;
  return opened;
}

class NetMonitorDialogTest : public testing::Test {
 protected:
  void TearDown() override { host_.ShutDown(); }
  // Watches `address` (Default IP off) in a fresh monitor window.
  HWND Open(Ipv4 address) {
    app_.link.UpdateSettings([address](ConnectionSettings& s) {
      s.com.defaultIp = false;
      s.com.monitorIp = address;
    });
    return ShowNetMonitorDialog(host_);
  }
  bool LampsBecome(HWND window, const std::string& lamps, int timeoutMs = 10000) {
    const bool seen = PumpUntil([&] { return Lamps(window) == lamps; }, timeoutMs);
    if (!seen) ADD_FAILURE() << "lamps " << Lamps(window) << ", not " << lamps;
    return seen;
  }
  bool StatusBecomes(const std::string& text, int timeoutMs = 10000) {
    return PumpUntil([&] { return app_.context.status().Text() == text; }, timeoutMs);
  }

  SystemContext app_;
  NetMonitorHost host_{app_.context};
};

TEST_F(NetMonitorDialogTest, ShowsTheConditionsOfAVirtualPrinterAndStops) {
  VPrinter printer("--no-render --tcp 127.0.0.41:0 --status 127.0.0.41:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  const HWND window = Open(MakeIpv4(127, 0, 0, 41));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Lamps(window), "BBBBBBBBBB");
  Click(window, IDC_NETMONITOR_START);
  ASSERT_TRUE(LampsBecome(window, "GGGGGGGGGG"));  // 14 00 00 00: ready, drawer closed
  EXPECT_TRUE(StatusBecomes(kConnected));
  ASSERT_TRUE(testsupport::WriteFile(printer.dir() + "/conditions", "paper-out\n"));
  EXPECT_TRUE(LampsBecome(window, "GGGGGGGGRR"));  // no paper, and so offline
  ASSERT_TRUE(testsupport::WriteFile(printer.dir() + "/conditions", "cover-open drawer-open\n"));
  EXPECT_TRUE(LampsBecome(window, "GGGGRGGRGR"));
  Click(window, IDC_NETMONITOR_STOP);
  EXPECT_EQ(Lamps(window), "BBBBBBBBBB");  // at once
  EXPECT_TRUE(StatusBecomes(kQuit));
  EXPECT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 1; }));
  EXPECT_EQ(StatusConnections(printer, "tcp:127.0.0.41:4000"), 1);
  EXPECT_EQ(printer.Bytes(1).substr(0, 6), std::string("\x1B\x76\x00\x1B\x76\x00", 6));
}

TEST_F(NetMonitorDialogTest, AShortReplyCountsMissingBytesAsZeroAndSilenceReconnects) {
  VPrinter printer("--no-render --tcp 127.0.0.42:0 --status 127.0.0.42:4000 --status-reply 08");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  const HWND window = Open(MakeIpv4(127, 0, 0, 42));
  Click(window, IDC_NETMONITOR_START);
  ASSERT_TRUE(LampsBecome(window, "GGGGRGGGGR"));  // 08: offline, drawer bit clear
  ASSERT_TRUE(testsupport::WriteFile(printer.dir() + "/status-reply", "silent\n"));
  // five polls without a reply: given up on, then a fresh connection (the
  // lamps' dark moment between them is the monitor's native tests' to see)
  EXPECT_TRUE(PumpUntil([&] { return StatusConnections(printer, "tcp:127.0.0.42:4000") >= 2; }));
  EXPECT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") >= 1; }));
  ASSERT_TRUE(testsupport::WriteFile(printer.dir() + "/status-reply", "14 00 00 00\n"));
  EXPECT_TRUE(LampsBecome(window, "GGGGGGGGGG"));
  Click(window, IDC_NETMONITOR_RETURN);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(StatusBecomes(kQuit));
}

TEST_F(NetMonitorDialogTest, APrinterThatGoesAwayIsReconnectedWhenItComesBack) {
  const HWND window = Open(MakeIpv4(127, 0, 0, 43));
  {
    VPrinter printer("--no-render --tcp 127.0.0.43:0 --status 127.0.0.43:4000");
    ASSERT_TRUE(printer.ready()) << printer.Log();
    Click(window, IDC_NETMONITOR_START);
    ASSERT_TRUE(LampsBecome(window, "GGGGGGGGGG"));
  }
  // gone: the lamps go dark between connect attempts
  EXPECT_TRUE(PumpUntil([&] { return Lamps(window).substr(0, 9) == "BBBBBBBBB"; }, 15000)) << Lamps(window);
  VPrinter again("--no-render --tcp 127.0.0.43:0 --status 127.0.0.43:4000 --drawer-open");
  ASSERT_TRUE(again.ready()) << again.Log();
  EXPECT_TRUE(LampsBecome(window, "GGGGRGGGGG", 15000));
  Click(window, IDC_NETMONITOR_STOP);
}

TEST_F(NetMonitorDialogTest, ClosingFromTheTitleBarStopsMonitoring) {
  VPrinter printer("--no-render --tcp 127.0.0.44:0 --status 127.0.0.44:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  const HWND window = Open(MakeIpv4(127, 0, 0, 44));
  Click(window, IDC_NETMONITOR_START);
  ASSERT_TRUE(LampsBecome(window, "GGGGGGGGGG"));
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(StatusBecomes(kQuit));
  EXPECT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 1; }));
  // a new window shows the monitor idle
  const HWND next = ShowNetMonitorDialog(host_);
  ASSERT_NE(next, nullptr);
  EXPECT_NE(next, window);
  EXPECT_EQ(Lamps(next), "BBBBBBBBBB");
}

TEST_F(NetMonitorDialogTest, DefaultIpWatchesThePrinterIpBoxAndKeepsItAsTheMonitorIp) {
  VPrinter printer("--no-render --tcp 127.0.0.45:0 --status 127.0.0.45:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  app_.link.SetPrinterIpSource([] { return MakeIpv4(127, 0, 0, 45); });
  app_.link.UpdateSettings([](ConnectionSettings& s) {
    s.com.defaultIp = true;
    s.com.monitorIp = MakeIpv4(127, 0, 0, 46);
  });
  const HWND window = ShowNetMonitorDialog(host_);
  Click(window, IDC_NETMONITOR_START);
  EXPECT_TRUE(LampsBecome(window, "GGGGGGGGGG"));
  EXPECT_EQ(app_.link.Settings().com.monitorIp, MakeIpv4(127, 0, 0, 45));
}

TEST_F(NetMonitorDialogTest, ShutdownWhilePollingEndsTheThreadClosesTheConnectionAndTheWindow) {
  VPrinter printer("--no-render --tcp 127.0.0.47:0 --status 127.0.0.47:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  const HWND window = Open(MakeIpv4(127, 0, 0, 47));
  EXPECT_EQ(ShowNetMonitorDialog(host_), window);  // one window for the one monitor
  Click(window, IDC_NETMONITOR_START);
  ASSERT_TRUE(LampsBecome(window, "GGGGGGGGGG"));
  host_.ShutDown();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(app_.context.status().Text(), kQuit);  // the thread had ended
  EXPECT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 1; }));
}

TEST_F(NetMonitorDialogTest, AnUnreachablePrinterLeavesTheLampsDarkUntilStopped) {
  const HWND window = Open(MakeIpv4(127, 0, 0, 48));
  Click(window, IDC_NETMONITOR_START);
  EXPECT_FALSE(PumpUntil([&] { return Lamps(window).find('G', 0) < 9; }, 2500)) << Lamps(window);
  Click(window, IDC_NETMONITOR_STOP);
  EXPECT_EQ(Lamps(window), "BBBBBBBBBB");
  EXPECT_TRUE(StatusBecomes(kQuit, 15000));
  EXPECT_NE(app_.context.status().Text(), kConnected);
}

TEST(NetMonitorWindow, TextsFollowTheLanguage) {
  const struct {
    Language language;
    std::vector<std::pair<int, std::string>> texts;
  } cases[] = {
      {Language::English,
       {{IDC_NETMONITOR_GROUP, "Net monitor"},
        {IDC_NETMONITOR_START, "Start"},
        {IDC_NETMONITOR_STOP, "Stop"},
        {IDC_NETMONITOR_RETURN, "return"},
        {IDC_NETMONITOR_LABEL_RECOVERABLE, "AutoRestorableEor"},
        {IDC_NETMONITOR_LABEL_FATAL, "FatalError"},
        {IDC_NETMONITOR_LABEL_BUSY, "Busy"},
        {IDC_NETMONITOR_LABEL_PAPER_NEAR_END, "PaperNearEnd"},
        {IDC_NETMONITOR_LABEL_DRAWER, "CashIsOpen"},
        {IDC_NETMONITOR_LABEL_FEED, "FeedPaper"},
        {IDC_NETMONITOR_LABEL_CUT, "CutPaper"},
        {IDC_NETMONITOR_LABEL_COVER, "ConverIsOpen"},
        {IDC_NETMONITOR_LABEL_NO_PAPER, "NoPaper"},
        {IDC_NETMONITOR_LABEL_ONLINE, "Online"}}},
      {Language::Chinese,
       {{IDC_NETMONITOR_GROUP, "网络状态监控"},
        {IDC_NETMONITOR_START, "开启监控"},
        {IDC_NETMONITOR_STOP, "停止监控"},
        {IDC_NETMONITOR_RETURN, "返回"},
        {IDC_NETMONITOR_LABEL_RECOVERABLE, "自动恢复错误"},
        {IDC_NETMONITOR_LABEL_FATAL, "不可恢复错误"},
        {IDC_NETMONITOR_LABEL_BUSY, "打印机忙"},
        {IDC_NETMONITOR_LABEL_PAPER_NEAR_END, "纸将尽"},
        {IDC_NETMONITOR_LABEL_DRAWER, "钱箱开"},
        {IDC_NETMONITOR_LABEL_FEED, "按键走纸"},
        {IDC_NETMONITOR_LABEL_CUT, "切纸"},
        {IDC_NETMONITOR_LABEL_COVER, "面盖开"},
        {IDC_NETMONITOR_LABEL_NO_PAPER, "缺纸"},
        {IDC_NETMONITOR_LABEL_ONLINE, "打印机在线"}}},
  };
  for (const auto& c : cases) {
    testsupport::TestContext app;
    app.context.SetLanguage(c.language);
    NetMonitorHost host(app.context);
    const HWND window = ShowNetMonitorDialog(host);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Net Monitoring");
    EXPECT_NE(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    for (const auto& [id, text] : c.texts) EXPECT_EQ(Text(window, id), text) << id;
  }
}

// A 32-bit top-down DIB in a memory DC, for what a lamp draws.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

// Asks the window to draw lamp `id` onto a 48 x 48 canvas.
COLORREF DrawnAt(HWND window, int id, int x, int y) {
  Canvas canvas(48, 48);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.CtlID = static_cast<UINT>(id);
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = GetDlgItem(window, id);
  item.hDC = canvas.dc();
  item.rcItem = {0, 0, 48, 48};
  SendMessageW(window, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&item));
  return canvas.At(x, y);
}

TEST(NetMonitorWindow, LampsAreTheirPicturesStretchedOrAPlainColourWhenAPictureIsMissing) {
  testsupport::TestContext app;
  // the picture beside the test program: its corner is the dialog background, its middle the lamp
  NetMonitorHost beside(app.context);
  const HWND window = ShowNetMonitorDialog(beside);
  EXPECT_EQ(DrawnAt(window, IDC_NETMONITOR_LAMP_ONLINE, 0, 0), RGB(239, 247, 255));
  const COLORREF middle = DrawnAt(window, IDC_NETMONITOR_LAMP_ONLINE, 30, 30);
  EXPECT_LT(GetRValue(middle), 80);
  EXPECT_LT(GetGValue(middle), 80);
  NetMonitorHost missing(app.context, L"Z:\\nonexistent\\Bmp_Led");
  const HWND plain = ShowNetMonitorDialog(missing);
  EXPECT_EQ(DrawnAt(plain, IDC_NETMONITOR_LAMP_ONLINE, 0, 0), RGB(40, 40, 48));
}

}  // namespace
