// CDlgMultFlashDown: six path boxes with browse buttons and one download.
#include "prtbench/imaging/win/MultiLogoDialog.h"

#include <array>

#include "common/Pause.h"
#include "prtbench/app/win/Relabel.h"
#include "prtbench/imaging/Fit.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

constexpr unsigned kBetweenPicturesMs = 200;
constexpr unsigned kAfterDownloadMs = 700;

struct Row {
  int path;
  int browse;
};
constexpr std::array<Row, 6> kRows{{{IDC_MULTILOGO_PATH_1, IDC_MULTILOGO_BROWSE_1},
                                    {IDC_MULTILOGO_PATH_2, IDC_MULTILOGO_BROWSE_2},
                                    {IDC_MULTILOGO_PATH_3, IDC_MULTILOGO_BROWSE_3},
                                    {IDC_MULTILOGO_PATH_4, IDC_MULTILOGO_BROWSE_4},
                                    {IDC_MULTILOGO_PATH_5, IDC_MULTILOGO_BROWSE_5},
                                    {IDC_MULTILOGO_PATH_6, IDC_MULTILOGO_BROWSE_6}}};

constexpr Label kLabels[] = {{IDC_MULTILOGO_LABEL_1, Msg::MultiLogoFirst},  {IDC_MULTILOGO_LABEL_2, Msg::MultiLogoSecond},
                             {IDC_MULTILOGO_LABEL_3, Msg::MultiLogoThird},  {IDC_MULTILOGO_LABEL_4, Msg::MultiLogoFourth},
                             {IDC_MULTILOGO_LABEL_5, Msg::MultiLogoFifth},  {IDC_MULTILOGO_LABEL_6, Msg::MultiLogoSixth},
                             {IDC_MULTILOGO_DOWNLOAD, Msg::MultiLogoDownloadButton}};

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(winui::Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SetStatus(const Context& context, Msg message) {
  context.status().SetText(std::string(context.Text(message)));
}

class CDlgMultFlashDown : public winui::Dialog {
 public:
  explicit CDlgMultFlashDown(Context& context) : Dialog(IDD_MULTILOGO), context_(context) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  void OnBrowse(int pathBox);
  void OnDownload();

  Context& context_;
};

bool CDlgMultFlashDown::OnInit() {
  UseLightBackground();
  for (const Row& row : kRows) AttachXPButton(row.browse);
  AttachXPButton(IDC_MULTILOGO_DOWNLOAD);
  Relabel(*this, kLabels, context_.language());
  return true;
}

void CDlgMultFlashDown::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == IDC_MULTILOGO_DOWNLOAD) OnDownload();
  for (const Row& row : kRows) {
    if (id == row.browse) OnBrowse(row.path);
  }
}

void CDlgMultFlashDown::OnBrowse(int pathBox) {
  // a cancel empties the box
  SetText(pathBox, ChooseBitmapFile(hwnd(), context_).value_or(std::string()));
}

void CDlgMultFlashDown::OnDownload() {
  std::vector<std::string> paths;
  for (const Row& row : kRows) paths.push_back(Text(row.path));
  Enable(IDC_MULTILOGO_DOWNLOAD, false);
  context_.Post([this, &c = context_, paths, window = windowLink()](const SendQueue::Cancelled& cancelled) {
    c.link().CloseNet();
    if (DownloadLogos(c, paths, cancelled)) SetStatus(c, Msg::MultiLogoDownloaded);
    window->Call([this, text = c.status().Text()] {
      context_.prompts().Message(hwnd(), text, winui::MessageIcon::None);
      Enable(IDC_MULTILOGO_DOWNLOAD, true);
    });
    c.link().CloseNet();
    kit::Pause(kAfterDownloadMs);
  });
}

}  // namespace

bool DownloadLogos(const Context& context, const std::vector<std::string>& paths,
                   const std::function<bool()>& cancelled) {
  std::vector<std::string> chosen;
  for (const std::string& path : paths) {
    if (std::string trimmed = Trimmed(path); !trimmed.empty()) chosen.push_back(std::move(trimmed));
  }
  if (chosen.empty()) {
    SetStatus(context, Msg::MultiLogoSelectPicture);
    return false;
  }
  std::vector<DecodedImage> images;
  for (const std::string& path : chosen) {
    if (!IsFile(path)) {
      SetStatus(context, Msg::MultiLogoFileMissing);
      return false;
    }
    images.push_back(DecodeImageFile(path));
    if (const std::optional<Msg> refusal = PictureRefusal(images.back(), PictureCommand::NvImage)) {
      SetStatus(context, *refusal);
      return false;
    }
  }
  if (cancelled()) return false;
  // from 1C 71 n on the printer waits for n images: once begun, all are sent
  PrinterLink& link = context.link();
  if (!link.SendData(MultiLogoHeader(static_cast<std::uint8_t>(images.size())))) return false;
  for (const DecodedImage& image : images) {
    if (!link.SendData(NvImageDefinition(image))) return false;
    kit::Pause(kBetweenPicturesMs);
  }
  return true;
}

void ShowMultiLogoDialog(HWND owner, Context& context) {
  CDlgMultFlashDown dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
