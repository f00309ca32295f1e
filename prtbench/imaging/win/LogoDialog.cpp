// CLogoDialog: open, download as NV image 1, print in one of four sizes with
// an optional cut, blank; the hidden button opens the multiple download.
#include "prtbench/imaging/win/LogoDialog.h"

#include "common/Pause.h"
#include "prtbench/imaging/Fit.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/MultiLogoDialog.h"
#include "prtbench/imaging/win/PictureDialog.h"
#include "prtbench/res/resource.h"
#include "winui/ProgramFolder.h"

namespace prtbench {
namespace {

constexpr unsigned kShowPauseMs = 200;
constexpr unsigned kAfterDownloadMs = 700;
constexpr unsigned kAfterPrintMs = 100;
constexpr int kXpButtons[] = {IDC_LOGO_OPEN,  IDC_LOGO_DOWNLOAD,       IDC_LOGO_PRINT,
                              IDC_LOGO_BLANK, IDC_LOGO_MULTI_DOWNLOAD, IDC_LOGO_SAVE_DATA};

class CLogoDialog : public PictureDialog {
 public:
  explicit CLogoDialog(Context& context)
      : PictureDialog(IDD_LOGO, context, {IDC_LOGO_PREVIEW, IDC_LOGO_STATUS, InfoSizeText::Plain}) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  void OnDownload();
  void OnPrint();
  void OnBlank();
};

bool CLogoDialog::OnInit() {
  UseLightBackground();
  for (int id : kXpButtons) AttachXPButton(id);
  SetRadioIndex(IDC_LOGO_SIZE_NORMAL, 0);
  SetChecked(IDC_LOGO_CUT, true);
  context_.status().SetText(std::string(context_.Text(Msg::LogoGreeting)));
  ShowStatusIn(IDC_LOGO_STATUS);
  OpenPicture(winui::BesideProgram(kStartLogoPath));
  context_.Post([&link = context_.link()](const SendQueue::Cancelled&) { link.CloseNet(); });
  return true;
}

void CLogoDialog::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_LOGO_OPEN: OpenChosen({}); break;
    case IDC_LOGO_DOWNLOAD: OnDownload(); break;
    case IDC_LOGO_PRINT: OnPrint(); break;
    case IDC_LOGO_BLANK: OnBlank(); break;
    case IDC_LOGO_MULTI_DOWNLOAD: ShowMultiLogoDialog(hwnd(), context_); break;
  }
}

void CLogoDialog::OnDownload() {
  if (path_.empty()) {
    Refuse(Msg::BitmapPleaseOpen);
    return;
  }
  Enable(IDC_LOGO_DOWNLOAD, false);
  PostJob([this, &c = context_, path = path_](const SendQueue::Cancelled&, winui::WindowLink& window) {
    // FS q replaces every stored image: a picture that did not decode or
    // does not fit must not wipe them
    const DecodedImage image = DecodeImageFile(path);
    if (RefusedLater(window, PictureRefusal(image, PictureCommand::NvImage), IDC_LOGO_DOWNLOAD)) return;
    c.link().CloseNet();
    c.link().SendData(LogoDownloadCommand(image));
    kit::Pause(kShowPauseMs);
    ShowStatusLater(this, window, c, IDC_LOGO_STATUS);
    c.link().CloseNet();
    kit::Pause(kAfterDownloadMs);
    window.Call([this] { Enable(IDC_LOGO_DOWNLOAD, true); });
  });
}

void CLogoDialog::OnPrint() {
  Enable(IDC_LOGO_PRINT, false);
  const int sizeMode = RadioIndex(IDC_LOGO_SIZE_NORMAL);
  const bool cut = Checked(IDC_LOGO_CUT);
  PostJob([this, &c = context_, sizeMode, cut](const SendQueue::Cancelled&, winui::WindowLink& window) {
    // the tail follows only a print command the link took
    if (IsSizeMode(sizeMode) && c.link().SendData(LogoPrintCommand(sizeMode))) {
      c.link().SendData(PrintFeedTail());
      if (cut) c.link().SendData(PrintCutTail());
      c.status().SetText(std::string(c.Text(Msg::LogoPrintSent)));
    }
    ShowStatusLater(this, window, c, IDC_LOGO_STATUS);
    kit::Pause(kAfterPrintMs);
    window.Call([this] { Enable(IDC_LOGO_PRINT, true); });
  });
}

void CLogoDialog::OnBlank() {
  Enable(IDC_LOGO_BLANK, false);
  PostJob([this, &c = context_](const SendQueue::Cancelled&, winui::WindowLink& window) {
    const bool sent = c.link().SendData(LogoBlankCommand()) != 0;
    c.status().SetText(std::string(c.Text(sent ? Msg::LogoClearSuccess : Msg::LogoClearFailure)));
    ShowStatusLater(this, window, c, IDC_LOGO_STATUS);
    window.Call([this] { Enable(IDC_LOGO_BLANK, true); });
    c.link().CloseNet();
  });
}

}  // namespace

void ShowLogoDialog(HWND owner, Context& context) {
  CLogoDialog dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
