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
  context_.status().SetText(text);
  context_.prompts().Message(hwnd(), text, icon);
}

void PictureDialog::PostJob(Job job) {
  context_.Post([job = std::move(job), window = windowLink()](const SendQueue::Cancelled& cancelled) {
    job(cancelled, *window);
  });
}

void PictureDialog::ShowStatusLater(PictureDialog* dialog, winui::WindowLink& window, const Context& context,
                                    int id) {
  window.Call([dialog, id, text = context.status().Text()] { dialog->SetText(id, text); });
}

bool PictureDialog::RefusedLater(winui::WindowLink& window, std::optional<Msg> refusal, int buttonId) {
  if (!refusal) return false;
  window.Call([this, message = *refusal, buttonId] {
    Refuse(message);
    Enable(buttonId, true);
  });
  return true;
}

bool PictureDialog::OnDrawItem(int id, const DRAWITEMSTRUCT& item) {
  if (id != place_.previewId) return Dialog::OnDrawItem(id, item);
  DrawPreview(item, preview_, path_);
  return true;
}

}  // namespace prtbench
