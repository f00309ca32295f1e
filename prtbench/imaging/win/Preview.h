// The preview of the picture dialogs: a BMP loaded into a device-independent
// bitmap, shown inside the owner-drawn control 1106, which is its frame (at
// its natural size, or scaled down to fit), with the bitmap info line in the
// dialog's information box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "prtbench/app/win/Context.h"
#include "prtbench/imaging/InfoLine.h"
#include "winui/Dialog.h"

namespace prtbench {

class PreviewBitmap {
 public:
  PreviewBitmap() = default;
  ~PreviewBitmap() { Clear(); }
  PreviewBitmap(const PreviewBitmap&) = delete;
  PreviewBitmap& operator=(const PreviewBitmap&) = delete;
  // Takes over `other`'s bitmap, dropping its own.
  PreviewBitmap& operator=(PreviewBitmap&& other) noexcept;

  // Loads the BMP at `path` (UTF-8), dropping any previous one first; false
  // (and no bitmap) when the file is missing or no BMP.
  bool Load(const std::string& path);
  void Clear();

  bool loaded() const { return bitmap_ != nullptr; }
  std::uint32_t width() const { return width_; }
  std::uint32_t height() const { return height_; }
  // Draws the bitmap from the top-left corner of `frame`, at its natural
  // size when it fits, else scaled down to fit (FitInside).
  void Draw(HDC dc, const RECT& frame) const;

 private:
  HBITMAP bitmap_ = nullptr;
  std::uint32_t width_ = 0;
  std::uint32_t height_ = 0;
};

// Where a dialog shows its preview and info line.
struct PreviewPlace {
  int previewId;  // the owner-drawn picture control (1106)
  int infoId;     // the information box
  InfoSizeText size;
};

// Loads `path` into `preview`. On success the info line becomes the status
// text and shows in the information box, and the control repaints (it keeps
// its size: a large picture must not cover the dialog's other controls); on
// failure the load-failure box shows and the control is left empty.
bool LoadPreviewBitmap(winui::Dialog& dialog, const Context& context, PreviewBitmap& preview,
                       const std::string& path, const PreviewPlace& place);

// For a dialog's WM_DRAWITEM of the preview control: the dialog's own
// background, then the bitmap while `path` is not empty.
void DrawPreview(const DRAWITEMSTRUCT& item, const PreviewBitmap& preview, const std::string& path);

}  // namespace prtbench
