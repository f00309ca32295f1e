// vprinter --web as a program: the page follows the print port, and its
// switches change what the status port answers.
#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <thread>

#include "VPrinterProcess.h"
#include "vprinter/Options.h"

namespace {

using nlohmann::json;
using namespace testsupport;

bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 5000) {
  for (int waited = 0; waited < timeoutMs; waited += 20) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return condition();
}

class VPrinterWebProgram : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run"; }
};

TEST_F(VPrinterWebProgram, WebTakesOneLoopbackAddress) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--journal", "j", "--web", "10.0.0.1:8080"},
           {"--journal", "j", "--web", "0.0.0.0:8080"},
           {"--journal", "j", "--web", "127.0.0.1:8080", "--web", "127.0.0.1:8081"}}) {
    EXPECT_FALSE(vprinter::ParseOptions(args).options) << testing::PrintToString(args);
  }
  const auto parsed = vprinter::ParseOptions(std::vector<std::string>{"--journal", "j", "--web", "127.0.0.9:0"});
  ASSERT_TRUE(parsed.options && parsed.options->web);
  EXPECT_EQ(parsed.options->web->address, "127.0.0.9");
}

TEST_F(VPrinterWebProgram, APortInUseExitsOneAndSaysSo) {
  VPrinterProcess first({"--tcp", "127.0.0.72:0", "--web", "127.0.0.72:0"});
  ASSERT_TRUE(first.WaitReady());
  const std::string taken = ReadFile(first.dir() + "/web").substr(7);
  const std::string address = taken.substr(0, taken.size() - 2);  // without "/\n"
  const RunResult second = RunVPrinter({"--tcp", "127.0.0.72:0", "--web", address, "--journal", MakeTempDir()});
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.output.find("cannot listen on " + address + " for the web page"), std::string::npos) << second.output;
}

TEST_F(VPrinterWebProgram, ThePageFollowsThePrintAndItsSwitchesReachTheStatusPort) {
  VPrinterProcess printer({"--tcp", "127.0.0.73:0", "--status", "127.0.0.73:0", "--web", "127.0.0.73:0",
                           "--status-reply", "silent"});
  ASSERT_TRUE(printer.WaitReady());
  const std::string url = ReadFile(printer.dir() + "/web");
  const std::string origin = url.substr(0, url.size() - 2);
  httplib::Client client(origin);
  const int fd = ConnectTcp(printer.Source(0));
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(SendAll(fd, "\x1B@web\n\x1DV\x01"));
  close(fd);
  json state;
  ASSERT_TRUE(WaitFor([&] {
    const auto result = client.Get("/api/state");
    state = result ? json::parse(result->body) : json();
    return !state.is_null() && !state["receipts"].empty() && !state["connections"].empty() &&
           !state["connections"][0]["open"];
  }));
  EXPECT_EQ(state["receipts"][0]["ending"], "partial cut");
  EXPECT_EQ(state["connections"][0]["bytes"], 9);
  EXPECT_EQ(state["printer"]["statusAnswer"], "");
  EXPECT_EQ(client.Get("/files/receipt-1.txt")->body, "web\n[partial cut]\n");
  EXPECT_EQ(client.Get("/files/conn-1.bin")->body, "\x1B@web\n\x1DV\x01");

  const httplib::Headers own = {{"Origin", origin}};
  ASSERT_EQ(client.Post("/api/conditions", own, "paper-out", "text/plain")->status, 200);
  ASSERT_EQ(client.Post("/api/status-reply", own, "normal", "text/plain")->status, 200);
  // R0: 0x10, drawer closed 0x04, offline 0x08 (no paper); R2: paper out 0x0C
  const std::string paperOut("\x1C\x00\x0C\x00", 4);
  EXPECT_TRUE(WaitFor([&] { return StatusAnswer(printer.Source(1)) == paperOut; }));
  ASSERT_EQ(client.Post("/api/status-reply", own, "08", "text/plain")->status, 200);
  EXPECT_TRUE(WaitFor([&] { return StatusAnswer(printer.Source(1)) == "\x08"; }));
  EXPECT_EQ(printer.Stop(), 0);
}

TEST_F(VPrinterWebProgram, ListsTheFirmwareImagesThatArrive) {
  VPrinterProcess printer({"--tcp", "127.0.0.75:0", "--firmware", "--web", "127.0.0.75:0"});
  ASSERT_TRUE(printer.WaitReady());
  const std::string url = ReadFile(printer.dir() + "/web");
  httplib::Client client(url.substr(0, url.size() - 2));
  const int fd = ConnectTcp(printer.Source(0));
  ASSERT_GE(fd, 0);
  // announce "QFW1", length 4, start, then the 4 data bytes and the checksum
  const std::string upgrade("\x1F\x1B\x1F\x00\x00\x01\xF0\x00QFW1"
                            "\x1F\x1B\x1F\x00\x00\x01\xF0\x01\x04\x00\x00\x00"
                            "\x1F\x1B\x1F\x00\x00\x01\xF0\x02"
                            "\x01\x02\x03\x04\x0A\x00\x00\x00",
                            40);
  ASSERT_TRUE(SendAll(fd, upgrade));
  json state;
  EXPECT_TRUE(WaitFor([&] {
    const auto result = client.Get("/api/state");
    state = result ? json::parse(result->body) : json();
    return !state.is_null() && !state["firmware"].empty();
  }));
  close(fd);
  ASSERT_EQ(state["firmware"].size(), 1u);
  EXPECT_EQ(state["firmware"][0]["name"], "firmware-1.fmw");
  EXPECT_EQ(state["firmware"][0]["bytes"], 16);
  EXPECT_EQ(state["firmware"][0]["signature"], "51 46 57 31");
  EXPECT_EQ(state["firmware"][0]["length"], 4);
  EXPECT_EQ(state["firmware"][0]["checksum"], "0A 00 00 00");
  EXPECT_EQ(client.Get("/files/firmware-1.fmw")->body,
            std::string("QFW1\x04\x00\x00\x00\x01\x02\x03\x04\x0A\x00\x00\x00", 16));
}

TEST_F(VPrinterWebProgram, BrowsersThatNeverFinishARequestDoNotHoldUpThePrintPort) {
  VPrinterProcess printer({"--tcp", "127.0.0.76:0", "--web", "127.0.0.76:0"});
  ASSERT_TRUE(printer.WaitReady());
  const std::string url = ReadFile(printer.dir() + "/web");
  const std::string web = url.substr(7, url.size() - 9);
  // more half-sent requests than the page has threads
  std::vector<int> stuck;
  for (int i = 0; i < 24; ++i) {
    stuck.push_back(ConnectTcp(web));
    ASSERT_GE(stuck.back(), 0);
    ASSERT_TRUE(SendAll(stuck.back(), "GET /api/state HTTP/1.1\r\nHost: " + web + "\r\n"));
  }
  const int fd = ConnectTcp(printer.Source(0));
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(SendAll(fd, std::string("\x1B@still printing\n\x1DV\x00", 20)));
  close(fd);
  EXPECT_TRUE(printer.WaitJournal([](const Journal& j) { return j.size() >= 3 && j[2].kind == "close"; }));
  EXPECT_EQ(ReadFile(printer.dir() + "/receipt-1.txt"), "still printing\n[full cut]\n");
  for (int socket : stuck) close(socket);
}

}  // namespace
