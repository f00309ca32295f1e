// DlgSettingSavePaper: a radio group and an apply button per function.
#include "prtbench/config/win/SavePaperDialog.h"

#include "prtbench/app/win/Relabel.h"
#include "prtbench/config/SavePaper.h"
#include "prtbench/app/win/PostSend.h"
#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

struct Group {
  int apply;
  int firstButton;
  SavePaperFunction function;
};
constexpr Group kGroups[] = {
    {IDC_SAVEPAPER_TOP_BLANK_APPLY, IDC_SAVEPAPER_TOP_BLANK_OFF, SavePaperFunction::TopBlank},
    {IDC_SAVEPAPER_MIDDLE_BLANK_APPLY, IDC_SAVEPAPER_MIDDLE_BLANK_0, SavePaperFunction::MiddleBlank},
    {IDC_SAVEPAPER_LINE_SPACE_APPLY, IDC_SAVEPAPER_LINE_SPACE_0, SavePaperFunction::LineSpace},
    {IDC_SAVEPAPER_BARCODE_HEIGHT_APPLY, IDC_SAVEPAPER_BARCODE_HEIGHT_0, SavePaperFunction::BarcodeHeight},
};

constexpr Label kLabels[] = {
    {IDC_SAVEPAPER_TOP_BLANK_GROUP, Msg::SavePaperTopBlankGroup},
    {IDC_SAVEPAPER_MIDDLE_BLANK_GROUP, Msg::SavePaperMiddleBlankGroup},
    {IDC_SAVEPAPER_LINE_SPACE_GROUP, Msg::SavePaperLineSpaceGroup},
    {IDC_SAVEPAPER_BARCODE_HEIGHT_GROUP, Msg::SavePaperBarcodeGroup},
    {IDC_SAVEPAPER_TOP_BLANK_OFF, Msg::SavePaperOff},
    {IDC_SAVEPAPER_TOP_BLANK_ON, Msg::SavePaperOn},
    {IDC_SAVEPAPER_TOP_BLANK_APPLY, Msg::SavePaperApply},
    {IDC_SAVEPAPER_MIDDLE_BLANK_APPLY, Msg::SavePaperApply},
    {IDC_SAVEPAPER_LINE_SPACE_APPLY, Msg::SavePaperApply},
    {IDC_SAVEPAPER_BARCODE_HEIGHT_APPLY, Msg::SavePaperApply},
};

class DlgSettingSavePaper : public winui::Dialog {
 public:
  explicit DlgSettingSavePaper(Context& context) : Dialog(IDD_SAVEPAPER), context_(context) {}

 protected:
  bool OnInit() override {
    for (const Group& group : kGroups) SetRadioIndex(group.firstButton, 0);
    Relabel(*this, kLabels, context_.language());
    return true;
  }
  void OnCommand(int id, int code) override {
    if (code != BN_CLICKED) return;
    for (const Group& group : kGroups) {
      if (id == group.apply) Apply(group);
    }
  }

 private:
  void Apply(const Group& group) {
    const int index = RadioIndex(group.firstButton);
    if (index >= 0) PostSilently(context_, SavePaperCommand(group.function, index));
  }

  Context& context_;
};

}  // namespace

void ShowSavePaperDialog(HWND owner, Context& context) { DlgSettingSavePaper(context).DoModal(owner); }

}  // namespace prtbench
