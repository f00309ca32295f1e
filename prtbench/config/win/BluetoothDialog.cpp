// BluetoothSetting: three switches, their texts and Set.
#include "prtbench/config/win/BluetoothDialog.h"

#include "prtbench/base/CodePage.h"
#include "prtbench/config/Bluetooth.h"
#include "prtbench/app/win/PostSend.h"
#include "prtbench/link/PrinterIni.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

class BluetoothSetting : public winui::Dialog {
 public:
  explicit BluetoothSetting(Context& context) : Dialog(IDD_BLUETOOTH), context_(context) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override {
    if (id == IDC_BLUETOOTH_SET && code == BN_CLICKED) OnSet();
  }

 private:
  void OnSet();
  std::string Ansi(int id) const { return ToCodePage(Text(id), CodePage::SystemAnsi); }

  Context& context_;
};

bool BluetoothSetting::OnInit() {
  UseLightBackground();
  // the edit boxes take as much as the user types: the frame has no fixed size
  for (int id : {IDC_BLUETOOTH_NAME, IDC_BLUETOOTH_PIN, IDC_BLUETOOTH_COMMAND}) {
    SendDlgItemMessageW(hwnd(), id, EM_SETLIMITTEXT, 0, 0);
  }
  SetChecked(IDC_BLUETOOTH_NAME_SWITCH, true);
  SetChecked(IDC_BLUETOOTH_PIN_SWITCH, true);
  SetChecked(IDC_BLUETOOTH_COMMAND_SWITCH, false);
  SetText(IDC_BLUETOOTH_NAME, Read(context_.settings(), ini::kBluetoothName));
  SetText(IDC_BLUETOOTH_PIN, Read(context_.settings(), ini::kBluetoothPin));
  return true;
}

void BluetoothSetting::OnSet() {
  BluetoothRequest request;
  request.nameOn = Checked(IDC_BLUETOOTH_NAME_SWITCH);
  request.pinOn = Checked(IDC_BLUETOOTH_PIN_SWITCH);
  request.commandOn = Checked(IDC_BLUETOOTH_COMMAND_SWITCH);
  request.name = Ansi(IDC_BLUETOOTH_NAME);
  request.pin = Ansi(IDC_BLUETOOTH_PIN);
  request.command = Ansi(IDC_BLUETOOTH_COMMAND);
  PostFrame(context_, BluetoothCommand(request));
}

}  // namespace

void ShowBluetoothDialog(HWND owner, Context& context) { BluetoothSetting(context).DoModal(owner); }

}  // namespace prtbench
