// The page's endpoints on a real socket: what they list, serve and change,
// and what they refuse.
#include "vprinter/web/WebServer.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>
#include <thread>

#include "VPrinterProcess.h"

namespace {

using nlohmann::json;
using testsupport::ReadFile;

class VPrinterWebServer : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run";
    ASSERT_TRUE(web_.Start(error_)) << error_;
    host_ = web_.Url().substr(7, web_.Url().size() - 8);  // "127.0.0.70:<port>"
    client_ = std::make_unique<httplib::Client>("http://" + host_);
    client_->set_url_encode(false);
  }
  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ + "/" + name, std::ios::binary) << bytes;
  }
  httplib::Headers Own() const { return {{"Origin", "http://" + host_}}; }
  int Post(const std::string& path, const std::string& body) {
    const auto result = client_->Post(path, Own(), body, "text/plain");
    return result ? result->status : -1;
  }
  // The state once `condition` holds for it (the news arrive in steps).
  json WaitState(const std::function<bool(const json&)>& condition) {
    json state;
    for (int i = 0; i < 100; ++i) {
      const auto result = client_->Get("/api/state");
      if (result && (state = json::parse(result->body), condition(state))) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return state;
  }

  std::string dir_ = testsupport::MakeTempDir();
  vprinter::web::WebServer web_{dir_, vprinter::Endpoint{"127.0.0.70", 0}, false};
  std::string error_, host_;
  std::unique_ptr<httplib::Client> client_;
};

TEST_F(VPrinterWebServer, WritesItsAddressAndServesThePageItself) {
  EXPECT_EQ(ReadFile(dir_ + "/web"), web_.Url() + "\n");
  for (const auto& [path, type] : {std::pair{"/", "text/html; charset=utf-8"},
                                   {"/page.js", "text/javascript; charset=utf-8"},
                                   {"/page.css", "text/css; charset=utf-8"}}) {
    const auto result = client_->Get(path);
    ASSERT_TRUE(result) << path;
    EXPECT_EQ(result->status, 200) << path;
    EXPECT_EQ(result->get_header_value("Content-Type"), type);
    EXPECT_NE(result->get_header_value("Content-Security-Policy").find("default-src 'none'"), std::string::npos);
  }
}

TEST_F(VPrinterWebServer, ListsWhatThePrintLoopTold) {
  vprinter::Watcher& watcher = *web_.watcher();
  watcher.Opened(1, "tcp:127.0.0.1:9100", "127.0.0.1:50000");
  watcher.Received(1, 9);
  vprinter::escpos::Receipt receipt;
  receipt.page = vprinter::escpos::Bitmap(576, 30);
  receipt.ending = "full cut";
  watcher.Printed(1, receipt);
  const json state = WaitState([](const json& s) { return !s["receipts"].empty(); });
  ASSERT_EQ(state["receipts"].size(), 1u);
  EXPECT_EQ(state["receipts"][0]["ending"], "full cut");
  ASSERT_EQ(state["connections"].size(), 1u);
  EXPECT_EQ(state["connections"][0]["bytes"], 9);
  EXPECT_EQ(state["connections"][0]["peer"], "127.0.0.1:50000");
}

TEST_F(VPrinterWebServer, DownloadsTheJournalsFilesByteForByte) {
  const std::string png("\x89PNG\r\n\x1A\n\x00\x01", 10), text = "Olá\n[full cut]\n", bytes("\x1B@\x00\xFFzz", 6);
  Write("receipt-1.png", png);
  Write("receipt-1.txt", text);
  Write("conn-1.bin", bytes);
  const struct {
    const char* path;
    std::string body;
    const char* type;
  } cases[] = {
      {"/files/receipt-1.png", png, "image/png"},
      {"/files/receipt-1.txt", text, "text/plain; charset=utf-8"},
      {"/files/conn-1.bin", bytes, "application/octet-stream"},
  };
  for (const auto& c : cases) {
    const auto result = client_->Get(c.path);
    ASSERT_TRUE(result) << c.path;
    EXPECT_EQ(result->status, 200) << c.path;
    EXPECT_EQ(result->body, c.body) << c.path;
    EXPECT_EQ(result->get_header_value("Content-Type"), c.type) << c.path;
  }
  // the hex view asks for the start of a connection only, often for more than there is
  for (const auto& [range, body] : {std::pair{"bytes=0-2", std::string("\x1B@\x00", 3)}, {"bytes=0-4095", bytes}}) {
    const auto start = client_->Get("/files/conn-1.bin", {{"Range", range}});
    ASSERT_TRUE(start) << range;
    EXPECT_EQ(start->status, 206) << range;
    EXPECT_EQ(start->body, body) << range;
  }
}

TEST_F(VPrinterWebServer, ControlsWriteTheFilesThePrintLoopReads) {
  const struct {
    const char* path;
    const char* body;
    int status;
    const char* file;
    const char* contents;  // nullptr: the file is not there
  } cases[] = {
      {"/api/conditions", "paper-out", 200, "conditions", "paper-out\n"},
      {"/api/conditions", "offline cover-open", 200, "conditions", "cover-open offline\n"},
      {"/api/conditions", "on-fire", 400, "conditions", "cover-open offline\n"},
      {"/api/conditions", "", 200, "conditions", ""},
      {"/api/status-reply", "14 00 0C 00", 200, "status-reply", "14 00 0C 00\n"},
      {"/api/status-reply", "silent", 200, "status-reply", "silent\n"},
      {"/api/status-reply", "normal", 200, "status-reply", "normal\n"},
      {"/api/status-reply", "normal please", 400, "status-reply", "normal\n"},
      {"/api/status-reply", "1", 400, "status-reply", "normal\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Post(c.path, c.body), c.status) << c.path << " " << c.body;
    EXPECT_EQ(ReadFile(dir_ + "/" + c.file), c.contents) << c.path << " " << c.body;
  }
}

TEST_F(VPrinterWebServer, ClearingEmptiesTheLists) {
  web_.watcher()->Opened(1, "tcp:127.0.0.1:9100", "");
  web_.watcher()->Closed(1, 0);
  ASSERT_EQ(WaitState([](const json& s) { return !s["connections"].empty(); })["connections"].size(), 1u);
  EXPECT_EQ(Post("/api/clear", ""), 200);
  EXPECT_TRUE(WaitState([](const json&) { return true; })["connections"].empty());
}

TEST_F(VPrinterWebServer, RefusesForeignHostsCrossOriginPostsOtherFilesAndLargeRequests) {
  Write("journal.txt", "open 1\n");
  ASSERT_EQ(symlink("/etc/hostname", (dir_ + "/receipt-9.png").c_str()), 0);
  const std::string own = "http://" + host_;
  const struct {
    const char* method;
    std::string path;
    httplib::Headers headers;
    std::string body;
    int status;
  } cases[] = {
      {"GET", "/", {{"Host", "rebound.example:" + host_.substr(host_.find(':') + 1)}}, "", 403},
      {"GET", "/api/state", {{"Host", "localhost"}}, "", 403},
      {"POST", "/api/conditions", {{"Origin", "http://rebound.example"}}, "paper-out", 403},
      {"POST", "/api/conditions", {}, "paper-out", 403},
      {"POST", "/api/clear", {{"Origin", "null"}}, "", 403},
      {"GET", "/files/journal.txt", {}, "", 404},
      {"GET", "/files/../journal.txt", {}, "", 404},
      {"GET", "/files/..%2Fjournal.txt", {}, "", 404},
      {"GET", "/files/%2E%2E%2F%2E%2E%2Fetc%2Fhostname", {}, "", 404},
      {"GET", "/files/receipt-9.png", {}, "", 404},  // a link leading out of the folder
      {"GET", "/journal.txt", {}, "", 404},
      {"POST", "/api/conditions", {{"Origin", own}}, std::string(4096, ' ') + "paper-out", 413},
  };
  for (const auto& c : cases) {
    httplib::Request request;
    request.method = c.method;
    request.path = c.path;
    request.headers = c.headers;
    request.body = c.body;
    const auto result = client_->send(request);
    ASSERT_TRUE(result) << c.method << " " << c.path;
    EXPECT_EQ(result->status, c.status) << c.method << " " << c.path;
    EXPECT_EQ(result->body.find("open 1"), std::string::npos) << c.path;
  }
  EXPECT_FALSE(std::ifstream(dir_ + "/conditions")) << "a refused request changed the printer";
}

TEST_F(VPrinterWebServer, ARequestOfEndlessHeaderLinesIsCutOff) {
  const int fd = testsupport::ConnectTcp(host_);
  ASSERT_GE(fd, 0);
  const timeval guard{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &guard, sizeof guard);
  const std::string request = "GET /api/state HTTP/1.1\r\nHost: " + host_ + "\r\n";
  const std::string lines = [] {
    std::string block;
    while (block.size() < (1u << 20)) block += "X-Pad: " + std::string(1000, 'a') + "\r\n";
    return block;
  }();
  // far more than the socket buffers hold: only a reader that goes on reading takes it all
  bool sentAll = testsupport::SendAll(fd, request);
  for (int i = 0; i < 64 && sentAll; ++i) sentAll = testsupport::SendAll(fd, lines);
  close(fd);
  EXPECT_FALSE(sentAll);
  const auto result = client_->Get("/api/state");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 200);
}

}  // namespace
