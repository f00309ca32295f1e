// CDlgAutoIp: Search runs the one search thread, whose finds reach the list
// on the window's thread; selection fills the fields; Save and Test Print
// go out from the send queue.
#include "prtbench/nettools/win/AutoIpDialog.h"

#include "prtbench/base/CodePage.h"
#include "prtbench/app/win/Relabel.h"
#include "prtbench/link/Connect.h"
#include "prtbench/nettools/Discovery.h"
#include "prtbench/nettools/PrinterSearch.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

constexpr Label kLabels[] = {
    {IDC_AUTOIP_SEARCH, Msg::AutoIpSearch},        {IDC_AUTOIP_SAVE, Msg::AutoIpSave},
    {IDC_AUTOIP_GROUP, Msg::AutoIpGroup},          {IDC_AUTOIP_IP_LABEL, Msg::AutoIpIpLabel},
    {IDC_AUTOIP_MASK_LABEL, Msg::AutoIpMaskLabel}, {IDC_AUTOIP_GATEWAY_LABEL, Msg::AutoIpGatewayLabel},
    {IDC_AUTOIP_PORT_LABEL, Msg::AutoIpPortLabel}, {IDC_AUTOIP_DHCP, Msg::AutoIpDhcp},
    {IDC_AUTOIP_TEST_PRINT, Msg::AutoIpTestPrint}};

constexpr int kAddressFields[] = {IDC_AUTOIP_IP, IDC_AUTOIP_MASK, IDC_AUTOIP_GATEWAY};

class CDlgAutoIp : public winui::Dialog {
 public:
  CDlgAutoIp(Context& context, DatagramSockets& sockets)
      : Dialog(IDD_AUTOIP), context_(context), sockets_(sockets), search_(sockets, context.clock()) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  // no thread is left holding port 9000, however the dialog closes
  void OnDestroy() override { search_.Stop(); }

 private:
  void OnSearch();
  void OnFound(const FoundPrinter& printer, unsigned search);
  void OnSearchFailed(Msg message, int error);
  void OnSelect();
  void OnDhcp();
  void OnSave();
  void OnTestPrint();
  std::optional<FoundPrinter> Selected() const;

  Context& context_;
  DatagramSockets& sockets_;
  FoundPrinters found_;
  PrinterSearch search_;  // last: stopped before the rest goes
};

bool CDlgAutoIp::OnInit() {
  SetInt(IDC_AUTOIP_PORT, kPrinterPort);
  SetChecked(IDC_AUTOIP_DHCP, false);
  Relabel(*this, kLabels, context_.language());
  SetWindowTextW(hwnd(), winui::Widen(context_.Text(Msg::AutoIpCaption)).c_str());
  return true;
}

void CDlgAutoIp::OnCommand(int id, int code) {
  if (id == IDC_AUTOIP_LIST) {
    if (code == LBN_SELCHANGE) OnSelect();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_AUTOIP_SEARCH:
      OnSearch();
      break;
    case IDC_AUTOIP_DHCP:
      OnDhcp();
      break;
    case IDC_AUTOIP_SAVE:
      OnSave();
      break;
    case IDC_AUTOIP_TEST_PRINT:
      OnTestPrint();
      break;
  }
}

void CDlgAutoIp::OnSearch() {
  // the running search ends first: one thread, one socket on port 9000
  search_.Stop();
  ListReset(IDC_AUTOIP_LIST);
  const unsigned search = found_.NewSearch();
  std::shared_ptr<winui::WindowLink> window = windowLink();
  // the work is dropped when the window is gone, and `this` with it
  search_.Start({[window, this, search](const FoundPrinter& printer) {
                   window->Call([this, printer, search] { OnFound(printer, search); });
                 },
                 [window, this](Msg message, int error) {
                   window->Call([this, message, error] { OnSearchFailed(message, error); });
                 }});
}

void CDlgAutoIp::OnFound(const FoundPrinter& printer, unsigned search) {
  const FoundPrinters::Added added = found_.Add(printer, search);
  if (added == FoundPrinters::Added::ListFull) context_.status().Show(Msg::DiscoveryListFull);
  if (added != FoundPrinters::Added::Yes) return;
  ListAdd(IDC_AUTOIP_LIST, MacText(printer.mac));
  // selecting by the program does not fill the fields: only the user's choice does
  SetListIndex(IDC_AUTOIP_LIST, 0);
}

void CDlgAutoIp::OnSearchFailed(Msg message, int error) {
  const std::string text = Fill(context_.Text(message), {std::to_string(error)});
  context_.status().Show(text);
  context_.prompts().Message(hwnd(), text, winui::MessageIcon::Information);
}

std::optional<FoundPrinter> CDlgAutoIp::Selected() const {
  if (ListIndex(IDC_AUTOIP_LIST) < 0) return std::nullopt;
  return found_.Find(ListText(IDC_AUTOIP_LIST));
}

void CDlgAutoIp::OnSelect() {
  const std::optional<FoundPrinter> printer = Selected();
  if (!printer) return;
  SetIpAddress(IDC_AUTOIP_IP, printer->ip);
  SetIpAddress(IDC_AUTOIP_MASK, printer->mask);
  SetIpAddress(IDC_AUTOIP_GATEWAY, printer->gateway);
  for (int id : kAddressFields) Enable(id, true);
  SetChecked(IDC_AUTOIP_DHCP, printer->dhcp != 0);
  SetInt(IDC_AUTOIP_PORT, printer->port);
}

void CDlgAutoIp::OnDhcp() {
  const bool dhcp = Checked(IDC_AUTOIP_DHCP);
  for (int id : kAddressFields) Enable(id, !dhcp);
}

void CDlgAutoIp::OnSave() {
  const std::optional<int> port = Int(IDC_AUTOIP_PORT);
  // the framework's range message; the save goes on, as it always sends port 9100
  if (!port || *port < 1 || *port > 65535) {
    context_.prompts().Message(hwnd(), context_.Text(Msg::AutoIpPortRange), winui::MessageIcon::Information);
  }
  const std::optional<FoundPrinter> printer = Selected();
  if (!printer) return;
  Bytes save = SaveRequest({printer->mac, IpAddress(IDC_AUTOIP_IP), IpAddress(IDC_AUTOIP_MASK),
                            IpAddress(IDC_AUTOIP_GATEWAY), Checked(IDC_AUTOIP_DHCP)});
  context_.Post([&sockets = sockets_, save = std::move(save)](const SendQueue::Cancelled&) {
    // while a search holds port 9000 the save goes from a port the system picks
    OpenedDatagramSocket opened = sockets.Open(kDiscoveryPort);
    if (opened.socket) opened.socket->Broadcast(save, kDiscoveryPort);
  });
}

void CDlgAutoIp::OnTestPrint() {
  const bool chinese = context_.language() == Language::Chinese;
  const std::string text =
      ToCodePage(context_.Text(Msg::TestPrintText), chinese ? CodePage::SimplifiedChinese : CodePage::SystemAnsi);
  context_.Post([&context = context_, ip = IpAddress(IDC_AUTOIP_IP), text](const SendQueue::Cancelled&) {
    // a connection of its own: one the connection test left open stays
    const int result = context.socket().SendOnOwnConnection(
        ip, kPrinterPort, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    const Msg outcome = result == 1    ? Msg::NetSendOk
                        : result == 0  ? Msg::NetSendFailed
                        : result == -1 ? Msg::TestPrintNoSocket
                                       : Msg::TestPrintConnectFailed;
    context.status().Show(outcome);
  });
}

}  // namespace

void ShowAutoIpDialog(HWND owner, Context& context, DatagramSockets& sockets) {
  CDlgAutoIp(context, sockets).DoModal(owner);
}

}  // namespace prtbench
