// The picture jobs as they reach the printer: logo download, print and blank
// (FS q / FS p), NV graphics by key code (GS 8 L / GS ( L), GS v 0 raster
// and the multiple logo download, each with its pauses, over any PrintSink.
// Pictures come decoded: reading files is the caller's business. Each job
// returns its own outcome, so what it shows never depends on what another
// thread reported meanwhile.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Pause.h"
#include "prtbench/base/Messages.h"
#include "prtbench/imaging/Image.h"
#include "prtbench/link/PrintSink.h"

namespace prtbench {

struct PictureOutcome {
  // Nothing was sent: `message` says why, in a message box.
  bool refused = false;
  // The printer took every send the job made.
  bool sent = false;
  // The job's own text; nullopt where the sink's report of the job's last
  // send (or nothing, when there was none) is what the job says.
  std::optional<Msg> message;
  bool operator==(const PictureOutcome&) const = default;
};

// Stores `image` as NV image 1 (LogoDownloadCommand). Refused before any
// byte when it did not decode or does not fit FS q (FS q replaces every
// stored image). Else: EndJob, the send, 200 ms, EndJob, 700 ms.
PictureOutcome DownloadLogo(PrintSink& sink, kit::Clock& clock, const DecodedImage& image);

// FS p of NV image `image` (1 to the count stored) in `sizeMode` (0..3;
// another sends nothing), then, only when the printer took it, the feed tail
// and with `cut` the cut tail; LogoPrintSent after them. 100 ms at the end.
PictureOutcome PrintLogo(PrintSink& sink, kit::Clock& clock, int sizeMode, bool cut, std::uint8_t image = 1);

// NV image 1 overwritten by a blank 8 x 8, then EndJob: LogoClearSuccess or
// LogoClearFailure.
PictureOutcome BlankLogo(PrintSink& sink);

// GS 8 L of `image` under kc1 kc2 (kc1 checked by the caller: IsNvKeyCode).
// Refused like DownloadLogo; else EndJob, the send, 200 ms, EndJob, 700 ms.
PictureOutcome DefineNvGraphics(PrintSink& sink, kit::Clock& clock, const DecodedImage& image, unsigned kc1,
                                unsigned kc2);

// GS ( L printing kc1 kc2 in `sizeMode` (0..3; another sends nothing), the
// tails as PrintLogo, LogoPrintSent, 100 ms at the end.
PictureOutcome PrintNvGraphics(PrintSink& sink, kit::Clock& clock, int sizeMode, unsigned kc1, unsigned kc2, bool cut);

// GS ( L deleting kc1 kc2, or all of them: LogoClearSuccess or
// LogoClearFailure (the caller picks the language).
PictureOutcome DeleteNvGraphics(PrintSink& sink, unsigned kc1, unsigned kc2);
PictureOutcome DeleteAllNvGraphics(PrintSink& sink);

// GS v 0 of `image` at the print width list position `position` (0..3,
// checked before: RasterRefusalBeforeDecode). EndJob; refused with
// RasterTooNarrow (an unread picture counts as 0 dots wide) or
// PictureTooLarge, else the send and 200 ms; then EndJob and 700 ms either way.
PictureOutcome PrintRaster(PrintSink& sink, kit::Clock& clock, const DecodedImage& image, int position);

// Reads the picture at `path`: nullopt when there is no such file; a file
// that does not decode gives a 0 x 0 picture.
using PictureLoader = std::function<std::optional<DecodedImage>(const std::string& path)>;

// The multiple download, between EndJob before and EndJob and 700 ms after:
// the non-empty `paths` (blanks at both ends cut) as NV images 1, 2, ... in
// their order. Every picture is loaded and checked first (refused with
// MultiLogoSelectPicture, MultiLogoFileMissing, BitmapLoadFailed or
// PictureTooLarge: nothing sent), and `cancelled` is asked once, after that.
// Then one send of 1C 71 n with the n definitions: from 1C 71 n on the
// printer reads n images as one definition, so nothing may stop or fail
// between them. MultiLogoDownloaded when the printer took it; nullopt when
// not, or when cancelled.
PictureOutcome DownloadLogos(PrintSink& sink, kit::Clock& clock, const std::vector<std::string>& paths,
                             const PictureLoader& load, const std::function<bool()>& cancelled);

}  // namespace prtbench
