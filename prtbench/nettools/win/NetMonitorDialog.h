// The status monitor: a modeless window of ten lamps and one monitor thread,
// held by the main window, which outlives the window that started it.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "prtbench/app/win/Context.h"
#include "prtbench/nettools/NetMonitor.h"
#include "winui/Dialog.h"
#include "winui/WindowLink.h"

namespace prtbench {

class CNetMonitor;

// The main window's one monitor: the NetMonitor, the window that shows it
// (if one is open) and the way its reports reach that window. The lamps come
// from "Red.bmp", "Green.bmp" and "Black.bmp" in `pictureFolder` (the
// program's folder + "\Bmp_Led" when empty); a picture that cannot be loaded
// is drawn as a plain lamp colour. `context` outlives the host.
class NetMonitorHost {
 public:
  explicit NetMonitorHost(Context& context, std::wstring pictureFolder = {});
  ~NetMonitorHost();  // ShutDown()
  NetMonitorHost(const NetMonitorHost&) = delete;
  NetMonitorHost& operator=(const NetMonitorHost&) = delete;

  // The main window's shutdown: clears the running flag, closes the monitor's
  // connection, waits for its thread and closes the monitor window. Nothing of
  // the monitor is left running afterwards; a later Show starts afresh.
  void ShutDown();

 private:
  friend HWND ShowNetMonitorDialog(NetMonitorHost& host);
  friend class CNetMonitor;
  // Which window the monitor thread's reports go to (none: nullptr).
  void Attach(std::shared_ptr<winui::WindowLink> link, CNetMonitor* shown);
  void ReportLamps();

  Context& context_;
  std::wstring pictureFolder_;
  std::unique_ptr<NetMonitor> monitor_;
  std::unique_ptr<winui::Dialog> window_;
  std::mutex mutex_;  // the open window's link: the monitor thread reads it
  std::shared_ptr<winui::WindowLink> link_;
  CNetMonitor* shown_ = nullptr;
};

// Shows `host`'s monitor window, owned by the desktop so it stays up beside a
// busy main window, or brings the one already open to the front (one window
// shows the one monitor); returns it.
HWND ShowNetMonitorDialog(NetMonitorHost& host);

}  // namespace prtbench
