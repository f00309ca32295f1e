// CBarCodeDialog: the text, level and scale; Generate through the preview
// library; Print QR; Limpar; Voltar.
#include "prtbench/imaging/win/QrDialog.h"

#include <string>
#include <utility>

#include "prtbench/base/CodePage.h"
#include "prtbench/imaging/Qr.h"
#include "prtbench/imaging/win/Preview.h"
#include "prtbench/imaging/win/QrPreviewLibrary.h"
#include "prtbench/link/PrinterIni.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"
#include "winui/ProgramFolder.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

constexpr char kOpeningText[] = "https://www.example.com/";
constexpr int kXpButtons[] = {IDC_QR_BACK, IDC_QR_PRINT, IDC_QR_CLEAR, IDC_QR_GENERATE};

class CBarCodeDialog : public winui::Dialog {
 public:
  explicit CBarCodeDialog(Context& context) : Dialog(IDD_QR), context_(context) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnDestroy() override { preview_.Clear(); }

 private:
  void FillLists();
  void OnTextChanged();
  // Empties the text and makes the preview of the empty text: a multi-line
  // box gives no change notice for text set by the program.
  void OnClear() {
    SetText(IDC_QR_TEXT, "");
    Generate();
  }
  void Generate();
  // Writes the lists' texts as the [QR] keys and reads them back.
  void ExchangeSettings();
  bool MakePreview(const std::string& ansiText);
  void ShowPreview();
  void OnPrint();
  void Paint(HDC dc);

  Context& context_;
  std::string eccText_;
  std::string scaleText_;
  PreviewBitmap preview_;
};

bool CBarCodeDialog::OnInit() {
  UseLightBackground();
  for (int id : kXpButtons) AttachXPButton(id);
  FillLists();
  SetComboIndex(IDC_QR_ECC, kQrEccOpening);
  SetComboIndex(IDC_QR_SCALE, kQrScaleOpening);
  SetIcons(IDI_MAIN);
  SetText(IDC_QR_TEXT, kOpeningText);
  Generate();
  return true;
}

void CBarCodeDialog::FillLists() {
  for (const char* level : kQrEccEntries) ComboAdd(IDC_QR_ECC, level);
  for (int scale = 1; scale <= kQrScaleEntries; ++scale) ComboAdd(IDC_QR_SCALE, std::to_string(scale));
}

void CBarCodeDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDC_QR_TEXT: if (code == EN_CHANGE) OnTextChanged(); break;
    case IDC_QR_ECC: case IDC_QR_SCALE: if (code == CBN_SELCHANGE) Generate(); break;
    case IDC_QR_GENERATE: if (code == BN_CLICKED) Generate(); break;
    case IDC_QR_PRINT: if (code == BN_CLICKED) OnPrint(); break;
    case IDC_QR_CLEAR: if (code == BN_CLICKED) OnClear(); break;
    case IDC_QR_BACK: if (code == BN_CLICKED) EndDialog(IDCANCEL); break;
  }
}

void CBarCodeDialog::OnTextChanged() {
  // keep the last line in view
  const LRESULT lines = SendDlgItemMessageW(hwnd(), IDC_QR_TEXT, EM_GETLINECOUNT, 0, 0);
  SendDlgItemMessageW(hwnd(), IDC_QR_TEXT, EM_LINESCROLL, 0, lines - 1);
  Generate();
}

void CBarCodeDialog::Generate() {
  ExchangeSettings();
  const std::string ansiText = ToCodePage(Text(IDC_QR_TEXT), CodePage::SystemAnsi);
  const bool made = MakePreview(ansiText);
  ComboSelectPrefix(IDC_QR_ECC, eccText_);
  ComboSelectPrefix(IDC_QR_SCALE, scaleText_);
  if (made) {
    ShowPreview();
  } else {
    context_.prompts().Message(hwnd(), context_.Text(Msg::QrCantCreateBitmap), winui::MessageIcon::Information);
  }
}

void CBarCodeDialog::ExchangeSettings() {
  SettingsStore& settings = context_.settings();
  Write(settings, ini::kQrEccLevel, ComboText(IDC_QR_ECC));
  Write(settings, ini::kQrScale, ComboText(IDC_QR_SCALE));
  eccText_ = Read(settings, ini::kQrEccLevel);
  scaleText_ = Read(settings, ini::kQrScale);
}

bool CBarCodeDialog::MakePreview(const std::string& ansiText) {
  const std::wstring folder = winui::ProgramFolder();
  return WriteQrTextFile(L"temp.txt", ansiText) &&
         RunQrPreviewLibrary(folder + L"\\EnCodeQr.dll", folder + L"\\Printer.ini", ansiText);
}

void CBarCodeDialog::ShowPreview() {
  // an unreadable TempQr.bmp keeps the previous preview, without a message
  PreviewBitmap made;
  if (made.Load(winui::Narrow(winui::ProgramFolder() + L"\\TempQr.bmp"))) {
    preview_ = std::move(made);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CBarCodeDialog::OnPrint() {
  const std::string text = Text(IDC_QR_TEXT);
  if (text.empty()) {
    context_.prompts().Message(hwnd(), context_.Text(Msg::QrInputEmpty), winui::MessageIcon::Information);
    return;
  }
  Enable(IDC_QR_PRINT, false);
  const auto sends = QrPrintSends(ToCodePage(text, CodePage::SystemAnsi), ComboIndex(IDC_QR_SCALE),
                                  ComboIndex(IDC_QR_ECC), Checked(IDC_QR_CUT));
  context_.Post([this, &link = context_.link(), sends, window = windowLink()](const SendQueue::Cancelled&) {
    for (const Bytes& send : sends) link.SendData(send);
    window->Call([this] { Enable(IDC_QR_PRINT, true); });
  });
}

bool CBarCodeDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
  if (message == WM_PRINTCLIENT) {
    Paint(reinterpret_cast<HDC>(wParam));
  } else if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    Paint(BeginPaint(hwnd(), &paint));
    EndPaint(hwnd(), &paint);
  } else {
    return false;
  }
  result = 0;
  return true;
}

void CBarCodeDialog::Paint(HDC dc) {
  // the picture control stays hidden: its place is the frame the symbol is drawn in
  RECT rect{};
  GetWindowRect(Item(IDC_QR_PICTURE), &rect);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
  preview_.Draw(dc, rect);
}

}  // namespace

void ShowQrDialog(HWND owner, Context& context) {
  CBarCodeDialog dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
