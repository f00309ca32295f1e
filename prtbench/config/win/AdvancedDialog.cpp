// CCAdvencedDialog: its lists, the buttons that send one command, and those
// that open the other configuration dialogs. The technicians' group holds the
// commands and dialogs a printer seldom needs.
#include "prtbench/config/win/AdvancedDialog.h"

#include <string>

#include "prtbench/app/win/PostSend.h"
#include "prtbench/config/Advanced.h"
#include "prtbench/config/CodePages.h"
#include "prtbench/config/Send.h"
#include "prtbench/config/win/BinFile.h"
#include "prtbench/config/win/BlackMarkDialog.h"
#include "prtbench/config/win/BluetoothDialog.h"
#include "prtbench/config/win/DipDialogs.h"
#include "prtbench/config/win/SavePaperDialog.h"
#include "prtbench/imaging/Barcodes.h"
#include "prtbench/imaging/win/LogoDialog.h"
#include "prtbench/imaging/win/NvLogoDialog.h"
#include "prtbench/imaging/win/QrDialog.h"
#include "prtbench/imaging/win/RasterDialog.h"
#include "prtbench/nettools/win/NetSettingDialog.h"
#include "prtbench/link/PrinterIni.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

constexpr int kPushButtons[] = {
    IDC_ADVANCED_LOGO,          IDC_ADVANCED_QR,          IDC_ADVANCED_BLACK_MARK,   IDC_ADVANCED_GENERAL,
    IDC_ADVANCED_BACK,          IDC_ADVANCED_INTERFACE_USB, IDC_ADVANCED_INTERFACE_COM, IDC_ADVANCED_WIDTH_SET,
    IDC_ADVANCED_BARCODE_PRINT, IDC_ADVANCED_CODEPAGE_TEST, IDC_ADVANCED_CODEPAGE_SET, IDC_ADVANCED_BAUD_SET,
    IDC_ADVANCED_DENSITY_SET,   IDC_ADVANCED_PRINT_H_LINE, IDC_ADVANCED_BUZZER_SET,   IDC_ADVANCED_SENSITIVITY_SET,
    IDC_ADVANCED_P76E_DIP,      IDC_ADVANCED_P58_DIP,     IDC_ADVANCED_NET_SETTINGS, IDC_ADVANCED_BLUETOOTH,
    IDC_ADVANCED_SAVE_PAPER,    IDC_ADVANCED_BLACK_MARK_76, IDC_ADVANCED_NVLOGO,     IDC_ADVANCED_RASTER,
    IDC_ADVANCED_FILE_SEND,     IDC_ADVANCED_INPUT_CODEPAGE_SET};

class CCAdvencedDialog : public winui::Dialog {
 public:
  CCAdvencedDialog(Context& context, BlackMarkH& h) : Dialog(IDD_ADVANCED), context_(context), h_(h) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  void FillLists();
  void FillNumbers(int id, int count);
  // `frame` of the list entry `id` shows, when one is selected.
  template <typename Build>
  void SendForSelection(int id, Build build);
  void OnDensity() { SendForSelection(IDC_ADVANCED_DENSITY, [](int sel) { return DensityCommand(sel + 1); }); }
  void OnCodePage();
  void OnBarcodeSample();
  void OnBeeper() { SendForSelection(IDC_ADVANCED_BUZZER, [](int sel) { return BeeperCommand(sel == 0); }); }
  void OnSensitivity();
  void OnFileSend();
  void OnInputCodePage();

  Context& context_;
  BlackMarkH& h_;
};

bool CCAdvencedDialog::OnInit() {
  UseLightBackground();
  for (int id : kPushButtons) AttachXPButton(id);
  FillLists();
  context_.SetLanguage(Language::English);
  return true;
}

void CCAdvencedDialog::FillLists() {
  for (auto text : kDensityTexts) ComboAdd(IDC_ADVANCED_DENSITY, text);
  for (const CodePageEntry& entry : CodePageTable()) ComboAdd(IDC_ADVANCED_CODEPAGE, entry.name);
  for (auto text : kBarcodeTypeTexts) ComboAdd(IDC_ADVANCED_BARCODE_TYPE, text);
  FillNumbers(IDC_ADVANCED_BARCODE_HEIGHT, kBarcodeHeights);
  for (auto text : kConfigBaudTexts) ComboAdd(IDC_ADVANCED_BAUD, text);
  for (auto text : kPrintWidthTexts) ComboAdd(IDC_ADVANCED_WIDTH, text);
  for (auto text : kBeeperTexts) ComboAdd(IDC_ADVANCED_BUZZER, text);
  FillNumbers(IDC_ADVANCED_SENSITIVITY, kSensitivityLevels);
  FillNumbers(IDC_ADVANCED_SENSITIVITY_HIGH, kSensitivityLevels);
  SetComboIndex(IDC_ADVANCED_DENSITY, kInitialDensityIndex);
  SetComboIndex(IDC_ADVANCED_CODEPAGE, kInitialCodePageIndex);
  SetComboIndex(IDC_ADVANCED_BARCODE_TYPE, kInitialBarcodeTypeIndex);
  SetComboIndex(IDC_ADVANCED_BARCODE_HEIGHT, kInitialBarcodeHeightIndex);
  SetComboIndex(IDC_ADVANCED_BAUD, kInitialConfigBaudIndex);
  SetComboIndex(IDC_ADVANCED_WIDTH, kInitialPrintWidthIndex);
  for (int id : {IDC_ADVANCED_BUZZER, IDC_ADVANCED_SENSITIVITY, IDC_ADVANCED_SENSITIVITY_HIGH}) SetComboIndex(id, 0);
}

void CCAdvencedDialog::FillNumbers(int id, int count) {
  for (int n = 1; n <= count; ++n) ComboAdd(id, std::to_string(n));
}

void CCAdvencedDialog::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  HWND self = hwnd();
  switch (id) {
    case IDC_ADVANCED_DENSITY_SET: OnDensity(); break;
    case IDC_ADVANCED_CODEPAGE_SET: OnCodePage(); break;
    case IDC_ADVANCED_INTERFACE_USB: PostFrame(context_, InterfaceCommand(InterfaceMode::Usb)); break;
    case IDC_ADVANCED_INTERFACE_COM: PostFrame(context_, InterfaceCommand(InterfaceMode::EmulatedCom)); break;
    case IDC_ADVANCED_BAUD_SET: SendForSelection(IDC_ADVANCED_BAUD, ConfigBaudRateCommand); break;
    case IDC_ADVANCED_WIDTH_SET: SendForSelection(IDC_ADVANCED_WIDTH, PrintWidthCommand); break;
    case IDC_ADVANCED_CODEPAGE_TEST: PostSend(context_, InTurn(CodePageSample())); break;
    case IDC_ADVANCED_BLACK_MARK: ShowBlackMarkDialog(self, context_, h_, BlackMarkMode::Standard); break;
    case IDC_ADVANCED_LOGO: ShowLogoDialog(self, context_); break;
    case IDC_ADVANCED_QR: ShowQrDialog(self, context_); break;
    case IDC_ADVANCED_BARCODE_PRINT: OnBarcodeSample(); break;
    case IDC_ADVANCED_NVLOGO: ShowNvLogoDialog(self, context_); break;
    case IDC_ADVANCED_RASTER: ShowRasterDialog(self, context_); break;
    case IDC_ADVANCED_NET_SETTINGS: ShowNetSettingDialog(self, context_); break;
    case IDC_ADVANCED_GENERAL: ShowP80DipDialog(self, context_); break;
    case IDC_ADVANCED_BACK: EndDialog(IDCANCEL); break;
    case IDC_ADVANCED_PRINT_H_LINE: PostFrame(context_, PrintHLineCommand()); break;
    case IDC_ADVANCED_BUZZER_SET: OnBeeper(); break;
    case IDC_ADVANCED_SENSITIVITY_SET: OnSensitivity(); break;
    case IDC_ADVANCED_P76E_DIP: ShowP76EDipDialog(self, context_); break;
    case IDC_ADVANCED_P58_DIP: ShowP58DipDialog(self, context_); break;
    case IDC_ADVANCED_BLUETOOTH: ShowBluetoothDialog(self, context_); break;
    case IDC_ADVANCED_SAVE_PAPER: ShowSavePaperDialog(self, context_); break;
    case IDC_ADVANCED_BLACK_MARK_76: ShowBlackMarkDialog(self, context_, h_, BlackMarkMode::Alternative); break;
    case IDC_ADVANCED_FILE_SEND: OnFileSend(); break;
    case IDC_ADVANCED_INPUT_CODEPAGE_SET: OnInputCodePage(); break;
    default: break;
  }
}

template <typename Build>
void CCAdvencedDialog::SendForSelection(int id, Build build) {
  const int sel = ComboIndex(id);
  if (sel >= 0) PostFrame(context_, build(sel));
}

void CCAdvencedDialog::OnBarcodeSample() {
  Bytes sample = BarcodeSampleCommands(ComboIndex(IDC_ADVANCED_BARCODE_TYPE), ComboIndex(IDC_ADVANCED_BARCODE_HEIGHT));
  if (!sample.empty()) PostFrame(context_, std::move(sample));
}

void CCAdvencedDialog::OnCodePage() {
  const int sel = ComboIndex(IDC_ADVANCED_CODEPAGE);
  const auto table = CodePageTable();
  if (sel >= 0 && static_cast<size_t>(sel) < table.size()) PostFrame(context_, CodePageCommand(table[sel].n));
}

void CCAdvencedDialog::OnSensitivity() {
  const int low = ComboIndex(IDC_ADVANCED_SENSITIVITY);
  const int high = ComboIndex(IDC_ADVANCED_SENSITIVITY_HIGH);
  if (low < 0) return;
  std::optional<int> second;
  if (Checked(IDC_ADVANCED_SENSITIVITY_HIGH_SWITCH) && high >= 0) second = high + 1;
  PostSend(context_, InTurn(SensitivityCommands(low + 1, second)));
}

// The file is read on the send queue, so a large one never holds the window.
void CCAdvencedDialog::OnFileSend() {
  winui::FileDialogOptions options;
  options.title = context_.Text(Msg::FileSendTitle);
  options.filters = {{std::string(context_.Text(Msg::FileSendFilter)), "*.bin"}};
  const std::optional<std::string> path = context_.prompts().OpenFile(hwnd(), options);
  if (!path) return;
  context_.Post([&c = context_, path = *path](const SendQueue::Cancelled&) {
    const BinFile file = ReadBinFile(path);
    switch (file.outcome) {
      case BinFile::Outcome::Read: c.link().SendData(file.bytes); c.status().ShowCurrent(); break;
      case BinFile::Outcome::Unreadable: c.status().Show(Fill(c.Text(Msg::FileSendUnreadable), {path})); break;
      case BinFile::Outcome::TooLarge: c.status().Show(Fill(c.Text(Msg::FileSendTooLarge), {path})); break;
    }
  });
}

// Quietly: the button shows nothing, and a text that is no number stores nothing.
void CCAdvencedDialog::OnInputCodePage() {
  const std::optional<int> codePage = Int(IDC_ADVANCED_INPUT_CODEPAGE);
  if (!codePage) return;
  Write(context_.settings(), ini::kCodePage, *codePage);
  context_.link().UpdateSettings([&](ConnectionSettings& s) { s.codePage = *codePage; });
}

}  // namespace

void ShowAdvancedDialog(HWND owner, Context& context, BlackMarkH& h) { CCAdvencedDialog(context, h).DoModal(owner); }

}  // namespace prtbench
