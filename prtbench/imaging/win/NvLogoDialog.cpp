// CDlgNvlogo2: open, define, print, delete and delete all NV graphics.
#include "prtbench/imaging/win/NvLogoDialog.h"

#include "prtbench/imaging/NvGraphics.h"
#include "prtbench/imaging/PictureSends.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/LogoDialog.h"
#include "prtbench/imaging/win/PictureDialog.h"
#include "prtbench/res/resource.h"
#include "winui/ProgramFolder.h"

namespace prtbench {
namespace {

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
  void OnDeleteOne();
  void OnDeleteAll();
};

bool CDlgNvlogo2::OnInit() {
  UseLightBackground();
  for (int id : kXpButtons) AttachXPButton(id);
  SetChecked(IDC_NVLOGO_CUT, true);
  context_.link().shared().status.Set(std::string(context_.Text(Msg::LogoGreeting)));
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
    case IDC_NVLOGO_DELETE_ALL: OnDeleteAll(); break;
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
  PostJob([this, &clock = context_.clock(), path = path_, key](const SendQueue::Cancelled&, JobSink& sink,
                                                                winui::WindowLink& window) {
    const PictureOutcome outcome = DefineNvGraphics(sink, clock, DecodeImageFile(path), key.kc1, key.kc2);
    ShowOutcomeLater(window, outcome, sink, IDC_NVLOGO_STATUS, IDC_NVLOGO_DEFINE);
  });
}

void CDlgNvlogo2::OnPrint() {
  const KeyCode key = ReadKeyCode();
  if (KeyCodeRefused(key)) return;
  Enable(IDC_NVLOGO_PRINT, false);
  const int sizeMode = RadioIndex(IDC_NVLOGO_SIZE_NORMAL);
  const bool cut = Checked(IDC_NVLOGO_CUT);
  PostJob([this, &clock = context_.clock(), key, sizeMode, cut](const SendQueue::Cancelled&, JobSink& sink,
                                                                 winui::WindowLink& window) {
    const PictureOutcome outcome = PrintNvGraphics(sink, clock, sizeMode, key.kc1, key.kc2, cut);
    ShowOutcomeLater(window, outcome, sink, IDC_NVLOGO_STATUS, IDC_NVLOGO_PRINT);
  });
}

void CDlgNvlogo2::OnDeleteOne() {
  const KeyCode key = ReadKeyCode();
  PostJob([this, key](const SendQueue::Cancelled&, JobSink& sink, winui::WindowLink& window) {
    ShowOutcomeLater(window, DeleteNvGraphics(sink, key.kc1, key.kc2), sink, IDC_NVLOGO_STATUS, 0, Language::English);
  });
}

void CDlgNvlogo2::OnDeleteAll() {
  PostJob([this](const SendQueue::Cancelled&, JobSink& sink, winui::WindowLink& window) {
    ShowOutcomeLater(window, DeleteAllNvGraphics(sink), sink, IDC_NVLOGO_STATUS, 0);
  });
}

}  // namespace

void ShowNvLogoDialog(HWND owner, Context& context) {
  CDlgNvlogo2 dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
