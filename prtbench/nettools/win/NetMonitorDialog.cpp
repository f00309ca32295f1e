// CNetMonitor: Start, Stop and Return over the program's one NetMonitor; the
// lamps drawn on the window's thread from what the monitor reports.
#include "prtbench/nettools/win/NetMonitorDialog.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>

#include "prtbench/app/win/Relabel.h"
#include "prtbench/link/win/IniFile.h"
#include "prtbench/nettools/NetMonitor.h"
#include "prtbench/nettools/win/LampPictures.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

constexpr Label kLabels[] = {
    {IDC_NETMONITOR_GROUP, Msg::MonitorGroup},
    {IDC_NETMONITOR_START, Msg::MonitorStart},
    {IDC_NETMONITOR_STOP, Msg::MonitorStop},
    {IDC_NETMONITOR_RETURN, Msg::MonitorReturn},
    {IDC_NETMONITOR_LABEL_RECOVERABLE, Msg::MonitorLampRecoverable},
    {IDC_NETMONITOR_LABEL_FATAL, Msg::MonitorLampFatal},
    {IDC_NETMONITOR_LABEL_BUSY, Msg::MonitorLampBusy},
    {IDC_NETMONITOR_LABEL_PAPER_NEAR_END, Msg::MonitorLampPaperNearEnd},
    {IDC_NETMONITOR_LABEL_DRAWER, Msg::MonitorLampDrawer},
    {IDC_NETMONITOR_LABEL_FEED, Msg::MonitorLampFeed},
    {IDC_NETMONITOR_LABEL_CUT, Msg::MonitorLampCut},
    {IDC_NETMONITOR_LABEL_COVER, Msg::MonitorLampCover},
    {IDC_NETMONITOR_LABEL_NO_PAPER, Msg::MonitorLampNoPaper},
    {IDC_NETMONITOR_LABEL_ONLINE, Msg::MonitorLampOnline},
};

int LampId(int lamp) { return IDC_NETMONITOR_LAMP_RECOVERABLE + lamp; }

class CNetMonitor;

// The program-wide monitor state: the one NetMonitor, the window that shows
// it (if one is open) and the way its reports reach that window.
struct MonitorHost {
  Context* context = nullptr;
  std::unique_ptr<NetMonitor> monitor;
  std::unique_ptr<winui::Modeless<CNetMonitor>> window;

  std::mutex mutex;  // the open window's link: the monitor thread reads it
  std::shared_ptr<winui::WindowLink> link;
  CNetMonitor* shown = nullptr;

  void ReportLamps();
  void Attach(std::shared_ptr<winui::WindowLink> windowLink, CNetMonitor* dialog);
};

MonitorHost& Host() {
  static MonitorHost host;
  return host;
}

class CNetMonitor : public winui::Dialog {
 public:
  CNetMonitor(Context& context, NetMonitor& monitor, std::wstring pictureFolder)
      : Dialog(IDD_NETMONITOR), context_(context), monitor_(monitor), pictureFolder_(std::move(pictureFolder)) {}

  // Shows the monitor's lamps as they are now (window thread).
  void ShowLamps();

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  // the title bar's close and Esc stop monitoring too: nothing runs unseen
  void OnCancel() override { OnReturn(); }
  void OnOk() override {}
  bool OnDrawItem(int id, const DRAWITEMSTRUCT& item) override;
  void OnDestroy() override {
    Host().Attach(nullptr, nullptr);
    pictures_.reset();
  }

 private:
  void OnStart();
  void OnStop();
  void OnReturn();

  Context& context_;
  NetMonitor& monitor_;
  std::wstring pictureFolder_;
  std::optional<LampPictures> pictures_;  // while the window lives
  Lamps shown_ = AllLamps(LampColour::Black);
};

void MonitorHost::ReportLamps() {
  std::lock_guard lock(mutex);
  // the work is dropped if the window goes first, and with it the pointer
  if (link) link->Call([dialog = shown] { dialog->ShowLamps(); });
}

void MonitorHost::Attach(std::shared_ptr<winui::WindowLink> windowLink, CNetMonitor* dialog) {
  std::lock_guard lock(mutex);
  link = std::move(windowLink);
  shown = dialog;
}

bool CNetMonitor::OnInit() {
  UseLightBackground();
  pictures_.emplace(pictureFolder_);
  for (int id : {IDC_NETMONITOR_START, IDC_NETMONITOR_STOP, IDC_NETMONITOR_RETURN}) AttachXPButton(id);
  Relabel(*this, kLabels, context_.language());
  Host().Attach(windowLink(), this);
  for (int lamp = 0; lamp < kLampCount; ++lamp) SetText(LampId(lamp), LampName(shown_[lamp]));
  ShowLamps();
  return true;
}

void CNetMonitor::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_NETMONITOR_START:
      OnStart();
      break;
    case IDC_NETMONITOR_STOP:
      OnStop();
      break;
    case IDC_NETMONITOR_RETURN:
      OnReturn();
      break;
  }
}

void CNetMonitor::OnStart() {
  PrinterLink& link = context_.link();
  // with "Default IP" on, the monitor watches what the Printer IP box shows
  if (link.Settings().com.defaultIp) {
    const Ipv4 printerIp = link.PrinterIp();
    link.UpdateSettings([printerIp](ConnectionSettings& s) { s.com.monitorIp = printerIp; });
  }
  monitor_.Start(link.Settings().com.monitorIp);
}

void CNetMonitor::OnStop() {
  monitor_.Stop();
  // dark at once, not when the report comes round
  ShowLamps();
}

void CNetMonitor::OnReturn() {
  // the thread ends by itself; it never touches this window
  monitor_.Stop();
  EndDialog(IDOK);
}

void CNetMonitor::ShowLamps() {
  const Lamps lamps = monitor_.lamps();
  for (int lamp = 0; lamp < kLampCount; ++lamp) {
    if (lamps[lamp] == shown_[lamp]) continue;
    shown_[lamp] = lamps[lamp];
    SetText(LampId(lamp), LampName(lamps[lamp]));
    InvalidateRect(Item(LampId(lamp)), nullptr, FALSE);
  }
}

bool CNetMonitor::OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
  const int lamp = id - LampId(0);
  if (lamp < 0 || lamp >= kLampCount) return Dialog::OnDrawItem(id, item);
  if (pictures_) pictures_->Draw(item.hDC, item.rcItem, shown_[lamp]);
  return true;
}

}  // namespace

HWND ShowNetMonitorDialog(HWND, Context& context, const std::wstring& pictureFolder) {
  MonitorHost& host = Host();
  if (host.context != &context) ShutDownNetMonitor();
  if (!host.monitor) {
    host.context = &context;
    host.monitor = std::make_unique<NetMonitor>(
        context.link(), context.clock(), NetMonitor::Reports{[&host] { host.ReportLamps(); },
                                            [&context](Msg message) { context.status().Show(message); }});
  }
  if (host.window && host.window->hwnd()) {
    SetForegroundWindow(host.window->hwnd());
    return host.window->hwnd();
  }
  const std::wstring folder = pictureFolder.empty() ? ExeDirectory() + L"\\Bmp_Led" : pictureFolder;
  host.window = std::make_unique<winui::Modeless<CNetMonitor>>(context, *host.monitor, folder);
  // owned by the desktop: the monitor stays up while the main window is busy
  const HWND window = host.window->Create(nullptr);
  if (window) ShowWindow(window, SW_SHOW);
  return window;
}

void ShutDownNetMonitor() {
  MonitorHost& host = Host();
  if (host.monitor) host.monitor->Shutdown();
  host.window.reset();
  host.monitor.reset();
  host.context = nullptr;
}

}  // namespace prtbench
