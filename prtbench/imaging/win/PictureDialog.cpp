// The picture dialogs' shared handlers.
#include "prtbench/imaging/win/PictureDialog.h"

#include "prtbench/imaging/win/ImageFile.h"

namespace prtbench {

void PictureDialog::OpenPicture(const std::string& path) {
  path_ = path;
  LoadPreviewBitmap(*this, context_, preview_, path_, place_);
}

void PictureDialog::OpenChosen(const std::string& initialFolder) {
  if (const auto chosen = ChooseBitmapFile(hwnd(), context_, initialFolder)) OpenPicture(*chosen);
}

void PictureDialog::Refuse(Msg message, winui::MessageIcon icon) {
  const std::string text(context_.Text(message));
  context_.link().shared().status.Set(text);
  context_.prompts().Message(hwnd(), text, icon);
}

void PictureDialog::PostJob(Job job) {
  context_.Post([job = std::move(job), &link = context_.link(), window = windowLink()](
                    const SendQueue::Cancelled& cancelled) {
    JobSink sink(link);
    job(cancelled, sink, *window);
  });
}

void PictureDialog::ShowOutcomeLater(winui::WindowLink& window, const PictureOutcome& outcome, const JobSink& sink,
                                     int boxId, int buttonId, Language language) {
  const std::string text = sink.TextOf(outcome, language);
  window.Call([this, refused = outcome.refused, message = outcome.message, text, boxId, buttonId] {
    if (refused) {
      Refuse(*message);
    } else if (!text.empty()) {
      context_.status().Show(text);
      SetText(boxId, text);
    }
    if (buttonId != 0) Enable(buttonId, true);
  });
}

bool PictureDialog::OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
  if (id != place_.previewId) return Dialog::OnDrawItem(id, item);
  DrawPreview(item, preview_, path_);
  return true;
}

}  // namespace prtbench
