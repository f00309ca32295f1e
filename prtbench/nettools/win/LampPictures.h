// The monitor's three lamp pictures, loaded from their files and drawn
// stretched over a lamp.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "prtbench/nettools/Status.h"

namespace prtbench {

// "red", "green", "black": a lamp's colour as its control's text says it.
const char* LampName(LampColour colour);

class LampPictures {
 public:
  // Loads Red.bmp, Green.bmp and Black.bmp from `folder`.
  explicit LampPictures(const std::wstring& folder);
  ~LampPictures();
  LampPictures(const LampPictures&) = delete;
  LampPictures& operator=(const LampPictures&) = delete;

  bool loaded(LampColour colour) const { return bitmaps_[static_cast<int>(colour)] != nullptr; }
  // The picture over the whole of `area`; a plain lamp colour when its
  // picture could not be loaded.
  void Draw(HDC dc, const RECT& area, LampColour colour) const;

 private:
  std::array<HBITMAP, 3> bitmaps_{};
};

}  // namespace prtbench
