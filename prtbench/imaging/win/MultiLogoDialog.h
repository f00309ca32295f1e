// The multiple logo download: up to six pictures stored as NV images 1 to n
// with one FS q.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner`. Download sends through the send
// queue and shows its outcome in a plain message box.
void ShowMultiLogoDialog(HWND owner, Context& context);

// Stores the pictures of the non-empty `paths` (blanks at both ends cut) as
// NV images 1, 2, ... in box order: 1C 71 n, then per picture its size and
// column raster, 200 ms apart. Every file must exist, decode and fit FS q's
// fields before anything is sent, so a bad one never leaves the printer
// inside a definition. True on success; on failure the status text says why
// (no picture, a missing file, one that did not load or is too large, or
// the send that failed). `cancelled` is looked at once, before 1C 71 n:
// after it only a failed send stops the images.
bool DownloadLogos(const Context& context, const std::vector<std::string>& paths,
                   const std::function<bool()>& cancelled);

}  // namespace prtbench
