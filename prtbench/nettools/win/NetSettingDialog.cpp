// CNetSetting: each button reads every field, sends its frame, stores its keys.
#include "prtbench/nettools/win/NetSettingDialog.h"

#include "prtbench/app/win/PostSend.h"
#include "prtbench/app/win/Relabel.h"
#include "prtbench/nettools/NetSettingFrames.h"
#include "prtbench/nettools/NetSettingsFile.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

constexpr Label kLabels[] = {{IDC_NETSETTING_NET_GROUP, Msg::NetSetNetGroup},
                             {IDC_NETSETTING_IP_LABEL, Msg::NetSetIpLabel},
                             {IDC_NETSETTING_MASK_LABEL, Msg::NetSetMaskLabel},
                             {IDC_NETSETTING_GATEWAY_LABEL, Msg::NetSetGatewayLabel},
                             {IDC_NETSETTING_SET_IP, Msg::NetSetSetIp},
                             {IDC_NETSETTING_SET_MASK, Msg::NetSetSetMask},
                             {IDC_NETSETTING_SET_GATEWAY, Msg::NetSetSetGateway},
                             {IDC_NETSETTING_SET_NET, Msg::NetSetSetNet},
                             {IDC_NETSETTING_WIFI_GROUP, Msg::NetSetWifiGroup},
                             {IDC_NETSETTING_KEY_LABEL, Msg::NetSetKeyLabel},
                             {IDC_NETSETTING_KEY_TYPE_LABEL, Msg::NetSetKeyTypeLabel},
                             {IDC_NETSETTING_SET_WIFI, Msg::NetSetSetWifi},
                             {IDC_NETSETTING_SET_ALL, Msg::NetSetSetAll},
                             {IDC_NETSETTING_RETURN, Msg::NetSetReturn},
                             {IDC_NETSETTING_CMD_LABEL, Msg::NetSetCmdLabel},
                             {IDC_NETSETTING_CMD_SET, Msg::NetSetCmdSet}};

constexpr int kButtons[] = {IDC_NETSETTING_SET_IP,  IDC_NETSETTING_SET_MASK, IDC_NETSETTING_SET_GATEWAY,
                            IDC_NETSETTING_SET_NET, IDC_NETSETTING_SET_WIFI, IDC_NETSETTING_SET_ALL,
                            IDC_NETSETTING_RETURN,  IDC_NETSETTING_CMD_SET};

class CNetSetting : public winui::Dialog {
 public:
  explicit CNetSetting(Context& context) : Dialog(IDD_NETSETTING), context_(context) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  void FillLists();
  void ShowStored();
  NetAddresses Addresses() const;
  WifiValues Wifi() const;
  void Send(Bytes frame);
  // Says why the Wi-Fi values cannot go, if they cannot.
  bool Refused(const WifiValues& wifi);
  void OnSetAll();
  void OnCmdSet();

  Context& context_;
};

bool CNetSetting::OnInit() {
  UseLightBackground();
  for (int id : kButtons) AttachXPButton(id);
  FillLists();
  ShowStored();
  Relabel(*this, kLabels, context_.language());
  return true;
}

void CNetSetting::FillLists() {
  for (std::string_view type : kSecurityTypes) ComboAdd(IDC_NETSETTING_KEY_TYPE, type);
  for (std::string_view command : kAtTemplates) ComboAdd(IDC_NETSETTING_CMD, command);
  // the fields take what the user types: the frames grow with them
  for (int id : {IDC_NETSETTING_SSID, IDC_NETSETTING_KEY}) SendDlgItemMessageW(hwnd(), id, EM_SETLIMITTEXT, 0, 0);
  SendDlgItemMessageW(hwnd(), IDC_NETSETTING_CMD, CB_LIMITTEXT, 0, 0);
}

void CNetSetting::ShowStored() {
  const NetAddresses addresses = LoadNetAddresses(context_.settings());
  const WifiValues wifi = LoadWifiValues(context_.settings());
  SetIpAddress(IDC_NETSETTING_IP, addresses.ip);
  SetIpAddress(IDC_NETSETTING_MASK, addresses.mask);
  SetIpAddress(IDC_NETSETTING_GATEWAY, addresses.gateway);
  SetText(IDC_NETSETTING_SSID, wifi.ssid);
  SetText(IDC_NETSETTING_KEY, wifi.key);
  SetComboIndex(IDC_NETSETTING_KEY_TYPE, wifi.security);
}

void CNetSetting::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_NETSETTING_SET_IP:
      Send(SetIpCommand(Addresses().ip));
      break;
    case IDC_NETSETTING_SET_MASK:
      Send(SetMaskCommand(Addresses().mask));
      break;
    case IDC_NETSETTING_SET_GATEWAY:
      Send(SetGatewayCommand(Addresses().gateway));
      break;
    case IDC_NETSETTING_SET_NET: {
      const NetAddresses addresses = Addresses();
      Send(SetAddressesCommand(addresses.ip, addresses.mask, addresses.gateway));
      SaveNetAddresses(context_.settings(), addresses);
      break;
    }
    case IDC_NETSETTING_SET_WIFI: {
      const WifiValues wifi = Wifi();
      if (Refused(wifi)) break;
      Send(WifiCommand(wifi));
      SaveWifiValues(context_.settings(), wifi);
      break;
    }
    case IDC_NETSETTING_SET_ALL:
      OnSetAll();
      break;
    case IDC_NETSETTING_CMD_SET:
      OnCmdSet();
      break;
    case IDC_NETSETTING_RETURN:
      EndDialog(IDOK);
      break;
  }
}

NetAddresses CNetSetting::Addresses() const {
  return {IpAddress(IDC_NETSETTING_IP), IpAddress(IDC_NETSETTING_MASK), IpAddress(IDC_NETSETTING_GATEWAY)};
}

WifiValues CNetSetting::Wifi() const {
  return {Text(IDC_NETSETTING_SSID), Text(IDC_NETSETTING_KEY), ComboIndex(IDC_NETSETTING_KEY_TYPE)};
}

void CNetSetting::Send(Bytes frame) {
  // settings are stored whatever the send's outcome, which only the status line shows
  PostFrame(context_, std::move(frame));
}

bool CNetSetting::Refused(const WifiValues& wifi) {
  const std::optional<Msg> refusal = WifiRefusal(wifi);
  if (refusal) context_.prompts().Message(hwnd(), context_.Text(*refusal), winui::MessageIcon::Information);
  return refusal.has_value();
}

void CNetSetting::OnSetAll() {
  const NetAddresses addresses = Addresses();
  const WifiValues wifi = Wifi();
  if (Refused(wifi)) return;
  Send(SetAllCommand(addresses.ip, addresses.mask, addresses.gateway, wifi));
  SaveNetAddresses(context_.settings(), addresses);
  SaveWifiValues(context_.settings(), wifi);
}

void CNetSetting::OnCmdSet() {
  // the edit part of the list holds the command, typed or chosen
  const std::string typed = Text(IDC_NETSETTING_CMD);
  if (const std::optional<Msg> refusal = AtCommandRefusal(typed)) {
    context_.prompts().Message(hwnd(), context_.Text(*refusal), winui::MessageIcon::Information);
    return;
  }
  Send(*AtCommand(typed));
}

}  // namespace

void ShowNetSettingDialog(HWND owner, Context& context) { CNetSetting(context).DoModal(owner); }

}  // namespace prtbench
