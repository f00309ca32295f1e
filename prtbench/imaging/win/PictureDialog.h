// What the raster, logo and NV graphics dialogs share: a picture path, its
// preview with the info line, messages that become the status text, and
// sends posted to the queue with results shown back on the dialog's thread.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "prtbench/app/win/Context.h"
#include "prtbench/imaging/win/Preview.h"
#include "winui/Dialog.h"

namespace prtbench {

class PictureDialog : public winui::Dialog {
 protected:
  PictureDialog(int templateId, Context& context, PreviewPlace place)
      : Dialog(templateId), context_(context), place_(place) {}

  // Stores `path` and loads its preview; the path stays when the load fails.
  void OpenPicture(const std::string& path);
  // The file dialog from `initialFolder` (empty: the system's choice), then
  // OpenPicture with the choice; a cancel changes nothing.
  void OpenChosen(const std::string& initialFolder);

  // `message` becomes the status text and shows in a message box.
  void Refuse(Msg message, winui::MessageIcon icon = winui::MessageIcon::Information);
  // The status text as the last operation left it, shown in box `id`.
  void ShowStatusIn(int id) { SetText(id, context_.status().Text()); }

  // Runs `job` on the send queue. The job must not touch this dialog; what
  // it hands to `window` runs on the dialog's thread while the dialog is open.
  using Job = std::function<void(const SendQueue::Cancelled&, winui::WindowLink& window)>;
  void PostJob(Job job);
  // From a job: the status text as it is now, shown in `dialog`'s box `id`
  // on its thread (if it is still open).
  static void ShowStatusLater(PictureDialog* dialog, winui::WindowLink& window, const Context& context, int id);
  // From a job, before it sends a picture: when there is a `refusal`, shows
  // it on the dialog's thread, enables button `buttonId` again and gives true.
  bool RefusedLater(winui::WindowLink& window, std::optional<Msg> refusal, int buttonId);

  bool OnDrawItem(int id, const DRAWITEMSTRUCT& item) override;
  void OnDestroy() override { preview_.Clear(); }

  Context& context_;
  std::string path_;

 private:
  PreviewPlace place_;
  PreviewBitmap preview_;
};

}  // namespace prtbench
