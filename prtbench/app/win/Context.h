// What every dialog of prtbench may use, handed to it by the main window: the
// printer link, its shared socket and the monitor's connection, the settings
// file, prompts, the program launcher, the main window's status line (with
// the language and the counter), its one send queue and the clock its jobs
// pause by. A dialog's entry point is `ShowXDialog(HWND owner, Context&)`; it
// never includes the main window's header and never opens a socket of its own.
#pragma once

#include <utility>

#include "common/Pause.h"
#include "prtbench/base/Language.h"
#include "prtbench/app/SendQueue.h"
#include "prtbench/app/win/StatusLine.h"
#include "prtbench/link/MonitorConnection.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/SharedSocket.h"
#include "prtbench/link/SettingsStore.h"
#include "winui/Launcher.h"
#include "winui/Prompts.h"

namespace prtbench {

// Where Post puts a job: the main window's send queue (a test's own queue in tests).
class JobQueue {
 public:
  virtual ~JobQueue() = default;
  virtual void Post(SendQueue::Job job) = 0;
};

class Context {
 public:
  Context(PrinterLink& link, SharedSocket& socket, MonitorConnection& monitor, SettingsStore& settings,
          winui::Prompts& prompts, winui::Launcher& launcher, StatusLine& status, JobQueue& queue, kit::Clock& clock)
      : link_(link),
        socket_(socket),
        monitor_(monitor),
        settings_(settings),
        prompts_(prompts),
        launcher_(launcher),
        status_(status),
        queue_(queue),
        clock_(clock) {}

  PrinterLink& link() const { return link_; }
  SharedSocket& socket() const { return socket_; }  // the network tools' connections
  MonitorConnection& monitor() const { return monitor_; }
  SettingsStore& settings() const { return settings_; }  // Printer.ini beside the program
  winui::Prompts& prompts() const { return prompts_; }
  winui::Launcher& launcher() const { return launcher_; }
  StatusLine& status() const { return status_; }
  kit::Clock& clock() const { return clock_; }  // real sleeps in the program, recorded in tests

  Language language() const { return status_.language(); }
  void SetLanguage(Language language) const { status_.SetLanguage(language); }
  // The text of `message` in the current language.
  std::string_view Text(Msg message) const { return MessageText(message, language()); }

  // Handlers that talk to the printer post their work here: it runs on the
  // send queue's thread after the jobs before it, so the window never waits
  // for a printer. Results go back to the window through its WindowLink.
  void Post(SendQueue::Job job) const { queue_.Post(std::move(job)); }

 private:
  PrinterLink& link_;
  SharedSocket& socket_;
  MonitorConnection& monitor_;
  SettingsStore& settings_;
  winui::Prompts& prompts_;
  winui::Launcher& launcher_;
  StatusLine& status_;
  JobQueue& queue_;
  kit::Clock& clock_;
};

}  // namespace prtbench
