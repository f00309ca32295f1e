// CLogoDialog: open, download as NV image 1, print in one of four sizes with
// an optional cut, blank; the hidden button opens the multiple download.
#include "prtbench/imaging/win/LogoDialog.h"

#include "prtbench/imaging/PictureSends.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/MultiLogoDialog.h"
#include "prtbench/imaging/win/PictureDialog.h"
#include "prtbench/res/resource.h"
#include "winui/ProgramFolder.h"

namespace prtbench {
namespace {

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
  context_.link().shared().status.Set(std::string(context_.Text(Msg::LogoGreeting)));
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
  PostJob([this, &clock = context_.clock(), path = path_](const SendQueue::Cancelled&, JobSink& sink,
                                                           winui::WindowLink& window) {
    const PictureOutcome outcome = DownloadLogo(sink, clock, DecodeImageFile(path));
    ShowOutcomeLater(window, outcome, sink, IDC_LOGO_STATUS, IDC_LOGO_DOWNLOAD);
  });
}

void CLogoDialog::OnPrint() {
  Enable(IDC_LOGO_PRINT, false);
  const int sizeMode = RadioIndex(IDC_LOGO_SIZE_NORMAL);
  const bool cut = Checked(IDC_LOGO_CUT);
  PostJob([this, &clock = context_.clock(), sizeMode, cut](const SendQueue::Cancelled&, JobSink& sink,
                                                            winui::WindowLink& window) {
    ShowOutcomeLater(window, PrintLogo(sink, clock, sizeMode, cut), sink, IDC_LOGO_STATUS, IDC_LOGO_PRINT);
  });
}

void CLogoDialog::OnBlank() {
  Enable(IDC_LOGO_BLANK, false);
  PostJob([this](const SendQueue::Cancelled&, JobSink& sink, winui::WindowLink& window) {
    ShowOutcomeLater(window, BlankLogo(sink), sink, IDC_LOGO_STATUS, IDC_LOGO_BLANK);
  });
}

}  // namespace

void ShowLogoDialog(HWND owner, Context& context) {
  CLogoDialog dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
