// CDlgMultFlashDown: six path boxes with browse buttons and one download.
#include "prtbench/imaging/win/MultiLogoDialog.h"

#include <array>

#include "prtbench/app/win/Relabel.h"
#include "prtbench/imaging/PictureSends.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/JobSink.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

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
    JobSink sink(c.link());
    const PictureOutcome outcome = DownloadLogos(sink, c.clock(), paths, ReadImageFile, cancelled);
    window->Call([this, text = sink.TextOf(outcome, c.language())] {
      if (!text.empty()) {
        context_.status().Show(text);
        context_.prompts().Message(hwnd(), text, winui::MessageIcon::None);
      }
      Enable(IDC_MULTILOGO_DOWNLOAD, true);
    });
  });
}

}  // namespace

void ShowMultiLogoDialog(HWND owner, Context& context) {
  CDlgMultFlashDown dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
