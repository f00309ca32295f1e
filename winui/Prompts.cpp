// Win32Prompts: MessageBoxW and the common file dialogs.
#include "winui/Prompts.h"

#include <commdlg.h>

#include "winui/Utf.h"

namespace winui {
namespace {

// "Name\0pattern\0...\0\0" as the common dialogs want it.
std::wstring FilterString(const FileDialogOptions& options) {
  std::wstring filter;
  for (const auto& [name, pattern] : options.filters) {
    filter += Widen(name) + L'\0' + Widen(pattern) + L'\0';
  }
  return filter + L'\0';
}

std::optional<std::string> RunFileDialog(HWND owner, const FileDialogOptions& options, bool save) {
  std::wstring path(MAX_PATH * 4, L'\0');
  const std::wstring filter = FilterString(options);
  const std::wstring title = Widen(options.title);
  const std::wstring folder = Widen(options.initialFolder);
  const std::wstring extension = Widen(options.defaultExtension);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | (options.hideReadOnly ? OFN_HIDEREADONLY : 0) |
              (save ? OFN_OVERWRITEPROMPT : 0);
  const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return std::nullopt;
  return Narrow(path.c_str());
}

}  // namespace

void Win32Prompts::Message(HWND owner, std::string_view text, MessageIcon icon) {
  const UINT style = MB_OK | (icon == MessageIcon::Information ? MB_ICONINFORMATION : 0);
  MessageBoxW(owner, Widen(text).c_str(), Widen(caption_).c_str(), style);
}

bool Win32Prompts::YesNo(HWND owner, std::string_view text) {
  return MessageBoxW(owner, Widen(text).c_str(), Widen(caption_).c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

Answer Win32Prompts::YesNoCancel(HWND owner, std::string_view text) {
  switch (MessageBoxW(owner, Widen(text).c_str(), Widen(caption_).c_str(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return Answer::Yes;
    case IDNO: return Answer::No;
    default: return Answer::Cancel;
  }
}

std::optional<std::string> Win32Prompts::OpenFile(HWND owner, const FileDialogOptions& options) {
  return RunFileDialog(owner, options, false);
}

std::optional<std::string> Win32Prompts::SaveFile(HWND owner, const FileDialogOptions& options) {
  return RunFileDialog(owner, options, true);
}

void Win32Prompts::WaitCursor() { SetCursor(LoadCursorW(nullptr, IDC_WAIT)); }

}  // namespace winui
