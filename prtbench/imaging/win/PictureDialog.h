// What the raster, logo and NV graphics dialogs share: a picture path, its
// preview with the info line, messages that become the status text, and
// picture jobs posted to the queue with their outcomes shown back on the
// dialog's thread.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "prtbench/app/win/Context.h"
#include "prtbench/imaging/PictureSends.h"
#include "prtbench/imaging/win/JobSink.h"
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
  void ShowStatusIn(int id) { SetText(id, context_.link().shared().status.Get()); }

  // Runs `job` on the send queue with the link as its sink. The job must
  // not touch this dialog; what it hands to `window` runs on the dialog's
  // thread while the dialog is open.
  using Job = std::function<void(const SendQueue::Cancelled&, JobSink& sink, winui::WindowLink& window)>;
  void PostJob(Job job);
  // From a job: what `outcome` says (its message in `language`, else the
  // report of the sink's last send) becomes the status text, shown in box
  // `boxId`; a refusal shows in a message box instead. Then button
  // `buttonId` (0: none) is enabled again.
  void ShowOutcomeLater(winui::WindowLink& window, const PictureOutcome& outcome, const JobSink& sink, int boxId,
                        int buttonId, Language language);
  void ShowOutcomeLater(winui::WindowLink& window, const PictureOutcome& outcome, const JobSink& sink, int boxId,
                        int buttonId) {
    ShowOutcomeLater(window, outcome, sink, boxId, buttonId, context_.language());
  }

  bool OnDrawItem(int id, const DRAWITEMSTRUCT& item) override;
  void OnDestroy() override { preview_.Clear(); }

  Context& context_;
  std::string path_;

 private:
  PreviewPlace place_;
  PreviewBitmap preview_;
};

}  // namespace prtbench
