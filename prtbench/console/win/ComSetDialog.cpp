// CComSetDialog: the lists, Lock, Default IP and OK of the Com Settings dialog.
#include "prtbench/console/win/ComSetDialog.h"

#include <string>

#include "prtbench/app/win/Relabel.h"
#include "prtbench/link/ConnectionSettings.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

constexpr int kTimeoutEntries = 30;

constexpr Label kLabels[] = {{IDC_COMSET_SERIAL_GROUP, Msg::ComSetGroup},    {IDC_COMSET_BYTESIZE_LABEL, Msg::ByteSizeLabel},
                             {IDC_COMSET_PARITY_LABEL, Msg::ParityLabel},    {IDC_COMSET_STOPBITS_LABEL, Msg::StopBitsLabel},
                             {IDC_COMSET_NET_GROUP, Msg::NetSetGroup},       {IDC_COMSET_TIMEOUT_LABEL, Msg::TimeOutLabel},
                             {IDC_COMSET_HINT, Msg::TimeOutHint},            {IDC_COMSET_MONITOR_LABEL, Msg::MonitorIpLabel},
                             {IDC_COMSET_DEFAULT_IP, Msg::DefaultIpCheck},   {IDOK, Msg::OkButton},
                             {IDCANCEL, Msg::CancelButton}};

class CComSetDialog : public winui::Dialog {
 public:
  CComSetDialog(PrinterLink& link, Language language, Ipv4 defaultIp)
      : Dialog(IDD_COMSET), link_(link), language_(language), defaultIp_(defaultIp) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  void OnOk() override;

 private:
  void FillLists();
  void EnableSerialLists(bool enabled);
  void OnDefaultIp();
  void OnLock() { EnableSerialLists(!Checked(IDC_COMSET_LOCK)); }

  PrinterLink& link_;
  Language language_;
  Ipv4 defaultIp_;
};

bool CComSetDialog::OnInit() {
  UseLightBackground();
  AttachXPButton(IDOK);
  AttachXPButton(IDCANCEL);
  FillLists();
  const ComSettings com = link_.Settings().com;
  SetChecked(IDC_COMSET_DEFAULT_IP, com.defaultIp);
  SetChecked(IDC_COMSET_LOCK, true);
  SetIpAddress(IDC_COMSET_MONITOR_IP, com.monitorIp);
  Relabel(*this, kLabels, language_);
  Enable(IDC_COMSET_MONITOR_IP, !com.defaultIp);
  EnableSerialLists(false);
  const ComListSelection selection = ListSelectionOf(com);
  SetComboIndex(IDC_COMSET_BYTESIZE, selection.byteSize);
  SetComboIndex(IDC_COMSET_PARITY, selection.parity);
  SetComboIndex(IDC_COMSET_STOPBITS, selection.stopBits);
  SetComboIndex(IDC_COMSET_TIMEOUT, selection.timeout);
  return true;
}

void CComSetDialog::FillLists() {
  for (const char* size : {"4", "5", "6", "7", "8"}) ComboAdd(IDC_COMSET_BYTESIZE, size);
  for (const char* parity : {"None", "ODD", "EVEN", "MARK", "SPACE"}) ComboAdd(IDC_COMSET_PARITY, parity);
  for (const char* stop : {"1", "1.5", "2"}) ComboAdd(IDC_COMSET_STOPBITS, stop);
  for (int seconds = 1; seconds <= kTimeoutEntries; ++seconds) {
    ComboAdd(IDC_COMSET_TIMEOUT, std::to_string(seconds) + "s");
  }
}

void CComSetDialog::EnableSerialLists(bool enabled) {
  for (int id : {IDC_COMSET_BYTESIZE, IDC_COMSET_PARITY, IDC_COMSET_STOPBITS}) Enable(id, enabled);
}

void CComSetDialog::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_COMSET_DEFAULT_IP:
      OnDefaultIp();
      break;
    case IDC_COMSET_LOCK:
      OnLock();
      break;
  }
}

void CComSetDialog::OnDefaultIp() {
  const bool on = Checked(IDC_COMSET_DEFAULT_IP);
  link_.UpdateSettings([on](ConnectionSettings& s) { s.com.defaultIp = on; });
  if (on) SetIpAddress(IDC_COMSET_MONITOR_IP, defaultIp_);
  Enable(IDC_COMSET_MONITOR_IP, !on);
}

void CComSetDialog::OnOk() {
  const ComListSelection selection{ComboIndex(IDC_COMSET_BYTESIZE), ComboIndex(IDC_COMSET_PARITY),
                                   ComboIndex(IDC_COMSET_STOPBITS), ComboIndex(IDC_COMSET_TIMEOUT)};
  const Ipv4 monitorIp = IpAddress(IDC_COMSET_MONITOR_IP);
  link_.UpdateSettings([&](ConnectionSettings& s) {
    ApplyListSelection(selection, s.com);
    s.com.monitorIp = monitorIp;
  });
  EndDialog(IDOK);
}

}  // namespace

bool ShowComSetDialog(HWND owner, Context& context, Ipv4 defaultIp) {
  // behind any send still running: the window must not wait for the send lock
  context.Post([&link = context.link()](const SendQueue::Cancelled&) {
    link.CloseCom();
    link.CloseNet();
  });
  CComSetDialog dialog(context.link(), context.language(), defaultIp);
  return dialog.DoModal(owner) == IDOK;
}

}  // namespace prtbench
