// CDlgNvlogo2: open, define, print, delete and delete all NV graphics.
#include "prtbench/imaging/win/NvLogoDialog.h"

#include "common/Pause.h"
#include "prtbench/imaging/Fit.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/NvGraphics.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/LogoDialog.h"
#include "prtbench/imaging/win/PictureDialog.h"
#include "prtbench/res/resource.h"
#include "winui/ProgramFolder.h"

namespace prtbench {
namespace {

constexpr unsigned kShowPauseMs = 200;
constexpr unsigned kAfterDefineMs = 700;
constexpr unsigned kAfterPrintMs = 100;
constexpr unsigned kStartKeyCode = 48;  // the ASCII digit 0
constexpr int kXpButtons[] = {IDC_NVLOGO_OPEN, IDC_NVLOGO_DEFINE, IDC_NVLOGO_PRINT, IDC_NVLOGO_DELETE,
                              IDC_NVLOGO_DELETE_ALL};

struct KeyCode {
  unsigned kc1;
  unsigned kc2;
};

class CDlgNvlogo2 : public PictureDialog {
 public:
  explicit CDlgNvlogo2(Context& context)
      : PictureDialog(IDD_NVLOGO, context, {IDC_NVLOGO_PREVIEW, IDC_NVLOGO_STATUS, InfoSizeText::WithLimit}) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  // The key code boxes; text that is no number reads as 0 (refused as kc1).
  KeyCode ReadKeyCode() const;
  bool KeyCodeRefused(const KeyCode& key);
  void OnDefine();
  void OnPrint();
  // Deleting one sends without a range check and answers in English.
  void OnDeleteOne() { OnDelete(NvDeleteCommand(ReadKeyCode().kc1, ReadKeyCode().kc2), Language::English); }
  // Sends `command`; "Clear success!" or "Clear failure!" in `language`.
  void OnDelete(Bytes command, Language language);
};

bool CDlgNvlogo2::OnInit() {
  UseLightBackground();
  for (int id : kXpButtons) AttachXPButton(id);
  SetChecked(IDC_NVLOGO_CUT, true);
  context_.status().SetText(std::string(context_.Text(Msg::LogoGreeting)));
  ShowStatusIn(IDC_NVLOGO_STATUS);
  context_.Post([&link = context_.link()](const SendQueue::Cancelled&) { link.CloseNet(); });
  OpenPicture(winui::BesideProgram(kStartLogoPath));
  SetInt(IDC_NVLOGO_KC1, kStartKeyCode);
  SetInt(IDC_NVLOGO_KC2, kStartKeyCode);
  SetRadioIndex(IDC_NVLOGO_SIZE_NORMAL, 0);
  return true;
}

void CDlgNvlogo2::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_NVLOGO_OPEN: OpenChosen(LogoSampleFolder()); break;
    case IDC_NVLOGO_DEFINE: OnDefine(); break;
    case IDC_NVLOGO_PRINT: OnPrint(); break;
    case IDC_NVLOGO_DELETE: OnDeleteOne(); break;
    case IDC_NVLOGO_DELETE_ALL: OnDelete(NvDeleteAllCommand(), context_.language()); break;
  }
}

KeyCode CDlgNvlogo2::ReadKeyCode() const {
  return {static_cast<unsigned>(Int(IDC_NVLOGO_KC1).value_or(0)), static_cast<unsigned>(Int(IDC_NVLOGO_KC2).value_or(0))};
}

bool CDlgNvlogo2::KeyCodeRefused(const KeyCode& key) {
  if (IsNvKeyCode(key.kc1)) return false;
  Refuse(Msg::NvKeyCodeRange, winui::MessageIcon::None);
  return true;
}

void CDlgNvlogo2::OnDefine() {
  const KeyCode key = ReadKeyCode();
  if (KeyCodeRefused(key)) return;
  if (path_.empty()) {
    Refuse(Msg::BitmapPleaseOpen);
    return;
  }
  Enable(IDC_NVLOGO_DEFINE, false);
  PostJob([this, &c = context_, path = path_, key](const SendQueue::Cancelled&, winui::WindowLink& window) {
    const DecodedImage image = DecodeImageFile(path);
    if (RefusedLater(window, PictureRefusal(image, PictureCommand::NvDefine), IDC_NVLOGO_DEFINE)) return;
    c.link().CloseNet();
    c.link().SendData(NvDefineCommand(image, key.kc1, key.kc2));
    kit::Pause(kShowPauseMs);
    ShowStatusLater(this, window, c, IDC_NVLOGO_STATUS);
    c.link().CloseNet();
    kit::Pause(kAfterDefineMs);
    window.Call([this] { Enable(IDC_NVLOGO_DEFINE, true); });
  });
}

void CDlgNvlogo2::OnPrint() {
  const KeyCode key = ReadKeyCode();
  if (KeyCodeRefused(key)) return;
  Enable(IDC_NVLOGO_PRINT, false);
  const int sizeMode = RadioIndex(IDC_NVLOGO_SIZE_NORMAL);
  const bool cut = Checked(IDC_NVLOGO_CUT);
  PostJob([this, &c = context_, key, sizeMode, cut](const SendQueue::Cancelled&, winui::WindowLink& window) {
    if (IsSizeMode(sizeMode) && c.link().SendData(NvPrintCommand(sizeMode, key.kc1, key.kc2))) {
      c.link().SendData(PrintFeedTail());
      if (cut) c.link().SendData(PrintCutTail());
      c.status().SetText(std::string(c.Text(Msg::LogoPrintSent)));
    }
    ShowStatusLater(this, window, c, IDC_NVLOGO_STATUS);
    kit::Pause(kAfterPrintMs);
    window.Call([this] { Enable(IDC_NVLOGO_PRINT, true); });
  });
}

void CDlgNvlogo2::OnDelete(Bytes command, Language language) {
  PostJob([this, &c = context_, command = std::move(command), language](const SendQueue::Cancelled&,
                                                                        winui::WindowLink& window) {
    const bool sent = c.link().SendData(command) != 0;
    c.status().SetText(std::string(MessageText(sent ? Msg::LogoClearSuccess : Msg::LogoClearFailure, language)));
    ShowStatusLater(this, window, c, IDC_NVLOGO_STATUS);
  });
}

}  // namespace

void ShowNvLogoDialog(HWND owner, Context& context) {
  CDlgNvlogo2 dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
