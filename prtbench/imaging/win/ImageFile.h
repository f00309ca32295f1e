// Reading picture files: the print-time decoder (GDI+, any format it reads)
// and the choice of a file.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "prtbench/app/win/Context.h"
#include "prtbench/imaging/Image.h"

namespace prtbench {

// Decodes the file at `path` (UTF-8; BMP, PNG, JPEG, GIF, TIFF...) into its
// colours, read in bulk. A file that cannot be read, or whose size is beyond
// PictureSizeAllowed (checked on the header's declared size before decoding
// where the format allows), gives a 0 x 0 image and no message. Any thread.
DecodedImage DecodeImageFile(const std::string& path);
// DecodeImageFile, or nullopt when `path` is no file (the multiple
// download's PictureLoader).
std::optional<DecodedImage> ReadImageFile(const std::string& path);

// The open-file dialog for a picture: "Open File" / "打开文件" by the
// language, filters "Bmp Files(*.bmp)" (first) and "All Files(*.*)", no
// default extension, read-only box hidden, starting in `initialFolder`
// (empty: the system's choice). The chosen path, or nullopt on cancel.
std::optional<std::string> ChooseBitmapFile(HWND owner, const Context& context, const std::string& initialFolder = {});

// The "Logo_Sample" folder beside the program, where the raster and NV
// graphics dialogs start their file choice.
std::string LogoSampleFolder();

}  // namespace prtbench
