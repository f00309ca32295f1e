// The main window's text-file commands on the content box (New, Open, Save,
// Save As, Close, Select all) and files dropped on it. Files hold text in the
// system ANSI code page.
#include "prtbench/console/win/MainDialog.h"
#include "prtbench/console/win/TextFile.h"
#include "prtbench/res/resource.h"
#include "winui/Utf.h"

namespace prtbench {
namespace {

// larger files would make the content box unusable long before memory ends
constexpr size_t kMaxContentFileBytes = 16 * 1024 * 1024;

winui::FileDialogOptions TextFileDialog(std::string title, std::string defaultExtension) {
  winui::FileDialogOptions options;
  options.title = std::move(title);
  options.filters = {{"Text Files(*.txt)", "*.txt"}, {"All Files(*.*)", "*.*"}};
  options.defaultExtension = std::move(defaultExtension);
  return options;
}

void SetMenuText(HMENU menu, int id, const std::string& text) {
  std::wstring wide = winui::Widen(text);
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = wide.data();
  SetMenuItemInfoW(menu, static_cast<UINT>(id), FALSE, &item);
}

}  // namespace

void CKALDRODlg::OnFileNew() {
  ReadWindow(false);
  content_.clear();
  ShowValues();
}

void CKALDRODlg::OnFileOpen() {
  const std::optional<std::string> path = prompts_.OpenFile(hwnd(), TextFileDialog("打开文件", ""));
  if (!path) return;
  const std::optional<std::string> text = ReadContentFile(*path);
  if (!text) return;
  ReadWindow(false);
  currentFile_ = *path;
  content_ = *text;
  ShowValues();
  TitleFileItems();
}

void CKALDRODlg::OnFileSave(bool askForPath) {
  ReadWindow(false);
  // a path chosen here is written once; it does not become the current file
  std::string path = askForPath ? std::string() : currentFile_;
  if (path.empty()) {
    const std::optional<std::string> chosen =
        prompts_.SaveFile(hwnd(), TextFileDialog(askForPath ? "另存为" : "保存", "txt"));
    if (!chosen) return;
    path = *chosen;
  }
  if (!WriteWholeFile(path, FileFromContent(content_))) {
    prompts_.Message(hwnd(), Fill(Text(Msg::FileWriteFailed), {path}), winui::MessageIcon::Information);
  }
}

void CKALDRODlg::OnFileClose() {
  if (currentFile_.empty()) return;
  ReadWindow(false);
  currentFile_.clear();
  content_.clear();
  ShowValues();
  TitleFileItems();
}

void CKALDRODlg::OnSelectAll() {
  SendDlgItemMessageW(hwnd(), IDC_MAIN_CONTENT, EM_SETSEL, 0, -1);
  SendDlgItemMessageW(hwnd(), IDC_MAIN_CONTENT, EM_SCROLLCARET, 0, 0);
}

void CKALDRODlg::OnContentDropped(const std::string& path) {
  // folders and paths that lead nowhere are ignored
  if (!IsRegularFile(path)) return;
  const std::optional<std::string> text = ReadContentFile(path);
  if (!text) return;
  currentFile_ = path;
  SetText(IDC_MAIN_CONTENT, *text);
  TitleFileItems();
}

std::optional<std::string> CKALDRODlg::ReadContentFile(const std::string& path) {
  const FileRead read = ReadWholeFile(path, kMaxContentFileBytes);
  if (read.error == FileReadError::None) return ContentFromFile(read.bytes);
  const Msg message = read.error == FileReadError::TooLarge ? Msg::FileTooLarge : Msg::FileReadFailed;
  prompts_.Message(hwnd(), Fill(Text(message), {path}), winui::MessageIcon::Information);
  return std::nullopt;
}

void CKALDRODlg::TitleFileItems() {
  HMENU menu = GetMenu(hwnd());
  if (!menu) return;
  const bool named = !currentFile_.empty();
  SetMenuText(menu, IDM_FILE_SAVE, named ? Fill(Text(Msg::MenuSaveFile), {currentFile_}) : Text(Msg::MenuSave));
  SetMenuText(menu, IDM_FILE_CLOSE, named ? Fill(Text(Msg::MenuCloseFile), {currentFile_}) : Text(Msg::MenuClose));
}

}  // namespace prtbench
