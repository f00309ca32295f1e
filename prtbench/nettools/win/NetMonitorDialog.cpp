// CNetMonitor: Start, Stop and Return over the main window's one NetMonitor;
// the lamps drawn on the window's thread from what the monitor reports.
#include "prtbench/nettools/win/NetMonitorDialog.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>

#include "prtbench/app/win/Relabel.h"
#include "prtbench/nettools/NetMonitor.h"
#include "prtbench/nettools/win/LampPictures.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"
#include "winui/ProgramFolder.h"

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

}  // namespace

class CNetMonitor : public winui::Dialog {
 public:
  CNetMonitor(NetMonitorHost& host, Context& context, NetMonitor& monitor, std::wstring pictureFolder)
      : Dialog(IDD_NETMONITOR),
        host_(host),
        context_(context),
        monitor_(monitor),
        pictureFolder_(std::move(pictureFolder)) {}

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
    host_.Attach(nullptr, nullptr);
    pictures_.reset();
  }

 private:
  void OnStart();
  void OnStop();
  void OnReturn();

  NetMonitorHost& host_;
  Context& context_;
  NetMonitor& monitor_;
  std::wstring pictureFolder_;
  std::optional<LampPictures> pictures_;  // while the window lives
  Lamps shown_ = AllLamps(LampColour::Black);
};

NetMonitorHost::NetMonitorHost(Context& context, std::wstring pictureFolder)
    : context_(context),
      pictureFolder_(pictureFolder.empty() ? winui::ProgramFolder() + L"\\Bmp_Led" : std::move(pictureFolder)) {}

NetMonitorHost::~NetMonitorHost() { ShutDown(); }

void NetMonitorHost::ShutDown() {
  if (monitor_) monitor_->Shutdown();
  window_.reset();
  monitor_.reset();
}

void NetMonitorHost::ReportLamps() {
  std::lock_guard lock(mutex_);
  // the work is dropped if the window goes first, and with it the pointer
  if (link_) link_->Call([dialog = shown_] { dialog->ShowLamps(); });
}

void NetMonitorHost::Attach(std::shared_ptr<winui::WindowLink> link, CNetMonitor* shown) {
  std::lock_guard lock(mutex_);
  link_ = std::move(link);
  shown_ = shown;
}

bool CNetMonitor::OnInit() {
  UseLightBackground();
  pictures_.emplace(pictureFolder_);
  for (int id : {IDC_NETMONITOR_START, IDC_NETMONITOR_STOP, IDC_NETMONITOR_RETURN}) AttachXPButton(id);
  Relabel(*this, kLabels, context_.language());
  host_.Attach(windowLink(), this);
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
    const Ipv4 printerIp = context_.socket().PrinterIp();
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

HWND ShowNetMonitorDialog(NetMonitorHost& host) {
  Context& context = host.context_;
  if (!host.monitor_) {
    NetMonitor::Reports reports{[&host] { host.ReportLamps(); },
                                [&status = context.status()](Msg message) { status.Show(message); }};
    host.monitor_ = std::make_unique<NetMonitor>(context.monitor(), context.clock(), std::move(reports));
  }
  if (host.window_ && host.window_->hwnd()) {
    SetForegroundWindow(host.window_->hwnd());
    return host.window_->hwnd();
  }
  auto window = std::make_unique<winui::Modeless<CNetMonitor>>(host, context, *host.monitor_, host.pictureFolder_);
  // owned by the desktop: the monitor stays up while the main window is busy
  const HWND created = window->Create(nullptr);
  if (created) ShowWindow(created, SW_SHOW);
  host.window_ = std::move(window);
  return created;
}

}  // namespace prtbench
