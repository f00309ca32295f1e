// The page in a real browser: a print appears without a reload, and its
// "paper out" switch reaches the status port.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "Browser.h"
#include "VPrinterProcess.h"

namespace {

using namespace testsupport;

// The test's output folder, emptied: the screenshot and Chromium's log stay there.
std::string OutputDir() {
  const std::string dir = KIT_TEST_OUTPUT_DIR;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

TEST(VPrinterWebBrowser, APrintAppearsWithoutAReloadAndPaperOutReachesTheStatusPort) {
  ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run";
  VPrinterProcess printer({"--tcp", "127.0.0.74:0", "--status", "127.0.0.74:0", "--web", "127.0.0.74:0"});
  ASSERT_TRUE(printer.WaitReady());
  const std::string url = ReadFile(printer.dir() + "/web").substr(0, ReadFile(printer.dir() + "/web").size() - 1);
  const std::string output = OutputDir();
  std::string why;
  const auto browser = Browser::Start(output, why);
  if (!browser) GTEST_SKIP() << "Chromium cannot start here: " << why;

  const std::string tab = browser->Open(url);
  ASSERT_FALSE(tab.empty());
  ASSERT_TRUE(browser->WaitUntil(tab, "document.getElementById('link').textContent.startsWith('live at')"));
  ASSERT_EQ(browser->Evaluate(tab, "window.kitSameDocument = 42; document.querySelectorAll('.receipt').length"), 0);

  const int fd = ConnectTcp(printer.Source(0));
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(SendAll(fd, "\x1B@Seen in the browser\n\x1DV\x01"));
  close(fd);
  EXPECT_TRUE(browser->WaitUntil(
      tab, "(document.querySelector('.receipt .text') || {}).textContent === 'Seen in the browser\\n[partial cut]\\n' && "
           "document.querySelector('.receipt img').naturalWidth === 576"));
  EXPECT_EQ(browser->Evaluate(tab, "document.querySelector('.receipt .ending').textContent"), "partial cut");
  EXPECT_EQ(browser->Evaluate(tab, "document.querySelectorAll('.connection').length"), 1);
  EXPECT_EQ(browser->Evaluate(tab, "window.kitSameDocument"), 42) << "the page was reloaded";
  // the connection's hex view: "\x1B@Seen" as the first bytes of its first row
  browser->Evaluate(tab, "document.querySelector('.connection details').open = true");
  EXPECT_TRUE(browser->WaitUntil(tab, "document.querySelector('.connection .hex').textContent.startsWith("
                                      "'000000  1B 40 53 65 65 6E')"))
      << browser->Evaluate(tab, "document.querySelector('.connection .hex').textContent");
  const std::string png = browser->Screenshot(tab);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1A\n");
  std::ofstream(output + "/page.png", std::ios::binary) << png;
  std::cout << "screenshot: " << output << "/page.png\n";

  ASSERT_EQ(browser->Evaluate(tab, "document.getElementById('paper-out').click(); true"), true);
  const std::string paperOut("\x1C\x00\x0C\x00", 4);
  bool answered = false;
  for (int i = 0; i < 50 && !(answered = StatusAnswer(printer.Source(1)) == paperOut); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(answered) << "the status port never answered paper out";
  EXPECT_TRUE(browser->WaitUntil(tab, "document.getElementById('paper-out').getAttribute('aria-pressed') === 'true'"));
  EXPECT_EQ(printer.Stop(), 0);
}

}  // namespace
