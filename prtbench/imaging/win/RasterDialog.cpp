// CDlg1d76: open a picture, choose the print width, print it with GS v 0.
#include "prtbench/imaging/win/RasterDialog.h"

#include "prtbench/imaging/PictureSends.h"
#include "prtbench/imaging/RasterPrint.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/PictureDialog.h"
#include "prtbench/res/resource.h"

namespace prtbench {
namespace {

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
  PostJob([this, &clock = context_.clock(), path = path_, position](const SendQueue::Cancelled&, JobSink& sink,
                                                                     winui::WindowLink& window) {
    const PictureOutcome outcome = PrintRaster(sink, clock, DecodeImageFile(path), position);
    ShowOutcomeLater(window, outcome, sink, IDC_RASTER_INFO, IDC_RASTER_PRINT);
  });
}

}  // namespace

void ShowRasterDialog(HWND owner, Context& context) {
  CDlg1d76 dialog(context);
  dialog.DoModal(owner);
}

}  // namespace prtbench
