// CAboutDlg: the template says everything; OK and close end it.
#include "prtbench/console/win/AboutDialog.h"

#include "prtbench/res/resource.h"
#include "winui/Dialog.h"

namespace prtbench {
namespace {

class CAboutDlg : public winui::Dialog {
 public:
  CAboutDlg() : Dialog(IDD_ABOUT) {}
};

}  // namespace

void ShowAboutDialog(HWND owner) {
  CAboutDlg about;
  about.DoModal(owner);
}

}  // namespace prtbench
