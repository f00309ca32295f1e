// vprinter's web page: an HTTP server on a loopback address, on threads of
// its own, showing the journal folder and the printer as they change and
// switching the conditions and the status reply the way the control files do.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "vprinter/Options.h"
#include "vprinter/web/Access.h"
#include "vprinter/web/Feed.h"
#include "vprinter/web/Model.h"

namespace httplib {
class Server;
}

namespace vprinter::web {

class WebServer {
 public:
  // Without `endpoint` there is no page: Start does nothing and watcher()
  // is nullptr. `firmware`: list the firmware images that arrive.
  WebServer(std::string journalDir, std::optional<Endpoint> endpoint, bool firmware);
  ~WebServer();  // Stop
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // What the print loop tells; nullptr without a page.
  Watcher* watcher() { return endpoint_ ? &feed_ : nullptr; }

  // Binds, writes DIR/web ("http://ADDR:PORT/") and serves. After the
  // journal is open, before the print loop says ready. False with a message.
  bool Start(std::string& error);
  // Stops serving and joins the threads. Idempotent.
  void Stop();

  // The page's address once started: "http://127.0.0.1:8080/".
  std::string Url() const;

 private:
  // Limits, headers, and the Host and Origin checks before every route.
  void Guard();
  void Route();
  void RouteControls();
  void Pump();

  std::string dir_;
  std::optional<Endpoint> endpoint_;
  bool firmware_;
  Origin own_;
  Feed feed_;
  Model model_;
  std::unique_ptr<httplib::Server> http_;
  std::thread listener_, pump_;
  std::mutex pumpMutex_;
  std::condition_variable pumpWake_;
  bool stopping_ = false;
};

}  // namespace vprinter::web
