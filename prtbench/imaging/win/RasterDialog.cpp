// CDlg1d76: open a picture, choose the print width, print it with GS v 0.
#include "prtbench/imaging/win/RasterDialog.h"

#include "common/Pause.h"
#include "prtbench/imaging/Fit.h"
#include "prtbench/imaging/RasterPrint.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/PictureDialog.h"
#include "prtbench/res/resource.h"

namespace prtbench {
namespace {

constexpr unsigned kShowPauseMs = 200;   // before the outcome is shown
constexpr unsigned kAfterPrintMs = 700;  // lets the printer take the picture in

class CDlg1d76 : public PictureDialog {
 public:
  explicit CDlg1d76(Context& context)
      : PictureDialog(IDD_RASTER, context, {IDC_RASTER_PREVIEW, IDC_RASTER_INFO, InfoSizeText::WithLimit}) {}

 protected:
  bool OnInit() override;
  void OnCommand(int id, int code) override;

 private:
  void OnPrint();
};

bool CDlg1d76::OnInit() {
  for (const PrintWidth& width : kPrintWidths) ComboAdd(IDC_RASTER_WIDTH, width.listText);
  return true;
}

void CDlg1d76::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case IDC_RASTER_OPEN: OpenChosen(LogoSampleFolder()); break;
    case IDC_RASTER_PRINT: OnPrint(); break;
  }
}

void CDlg1d76::OnPrint() {
  const int position = ComboIndex(IDC_RASTER_WIDTH);
  if (const auto refusal = RasterRefusalBeforeDecode(position, !path_.empty())) {
    Refuse(*refusal);
    return;
  }
  Enable(IDC_RASTER_PRINT, false);
  PostJob([this, &c = context_, path = path_, position](const SendQueue::Cancelled&, winui::WindowLink& window) {
    c.link().CloseNet();
    const DecodedImage image = DecodeImageFile(path);
    // an unread picture (0 x 0) counts as too narrow; a too tall one would
    // announce fewer rows than it sends
    const std::optional<Msg> refusal = RasterWideEnough(position, image.width)
                                           ? PictureRefusal(image, PictureCommand::Raster)
                                           : Msg::RasterTooNarrow;
    if (!refusal) {
      c.link().SendData(RasterImageCommand(image));
      kit::Pause(kShowPauseMs);
      ShowStatusLater(this, window, c, IDC_RASTER_INFO);
    } else {
      window.Call([this, refusal] { Refuse(*refusal); });
    }
    c.link().CloseNet();
    kit::Pause(kAfterPrintMs);
    window.Call([this] { Enable(IDC_RASTER_PRINT, true); });
  });
}

}  // namespace

void ShowRasterDialog(HWND owner, Context& context) {
  CDlg1d76 dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
