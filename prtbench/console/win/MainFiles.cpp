// The main window's text-file commands on the content box (New, Open, Save,
// Save As, Close, Select all), files dropped on it, and the question before
// the window closes on unsaved edits. A file keeps the encoding it was
// opened in (Encoding.h).
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
  // an empty box is no longer that file: Save must not overwrite it
  ForgetCurrentFile();
}

void CKALDRODlg::OnFileOpen() {
  const std::optional<std::string> path = prompts_.OpenFile(hwnd(), TextFileDialog("打开文件", ""));
  if (!path) return;
  std::optional<FileContent> file = ReadContentFile(*path);
  if (!file) return;
  ReadWindow(false);
  content_ = std::move(file->text);
  ShowValues();
  MakeCurrent(*path, file->encoding);
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
  if (WriteContent(path) && path == currentFile_) savedText_ = content_;
}

bool CKALDRODlg::WriteContent(const std::string& path) {
  // in the current file's encoding; with no file open in ANSI as ever
  if (WriteWholeFile(path, FileFromContent(content_, fileEncoding_))) return true;
  prompts_.Message(hwnd(), Fill(Text(Msg::FileWriteFailed), {path}), winui::MessageIcon::Information);
  return false;
}

bool CKALDRODlg::MayClose() {
  // throw-away text typed with no file open closes without a question
  if (currentFile_.empty()) return true;
  ReadWindow(false);
  if (content_ == savedText_) return true;
  switch (prompts_.YesNoCancel(hwnd(), Fill(Text(Msg::SaveChangesQuestion), {currentFile_}))) {
    case winui::Answer::Yes: return WriteContent(currentFile_);
    case winui::Answer::No: return true;
    case winui::Answer::Cancel: break;
  }
  return false;
}

void CKALDRODlg::OnFileClose() {
  if (currentFile_.empty()) return;
  ReadWindow(false);
  content_.clear();
  ShowValues();
  ForgetCurrentFile();
}

void CKALDRODlg::MakeCurrent(const std::string& path, TextEncoding encoding) {
  currentFile_ = path;
  fileEncoding_ = encoding;
  // as the box holds it, so an unchanged text never counts as an edit
  savedText_ = Dialog::Text(IDC_MAIN_CONTENT);
  TitleFileItems();
}

void CKALDRODlg::ForgetCurrentFile() {
  currentFile_.clear();
  fileEncoding_ = TextEncoding::Ansi;
  savedText_.clear();
  TitleFileItems();
}

void CKALDRODlg::OnSelectAll() {
  SendDlgItemMessageW(hwnd(), IDC_MAIN_CONTENT, EM_SETSEL, 0, -1);
  SendDlgItemMessageW(hwnd(), IDC_MAIN_CONTENT, EM_SCROLLCARET, 0, 0);
}

void CKALDRODlg::OnContentDropped(const std::string& path) {
  // folders and paths that lead nowhere are ignored
  if (!IsRegularFile(path)) return;
  const std::optional<FileContent> file = ReadContentFile(path);
  if (!file) return;
  SetText(IDC_MAIN_CONTENT, file->text);
  MakeCurrent(path, file->encoding);
}

std::optional<FileContent> CKALDRODlg::ReadContentFile(const std::string& path) {
  const FileRead read = ReadWholeFile(path, kMaxContentFileBytes);
  Msg message = read.error == FileReadError::TooLarge ? Msg::FileTooLarge : Msg::FileReadFailed;
  if (read.error == FileReadError::None) {
    FileContent file = ContentFromFile(read.bytes);
    if (file.ok) return file;
    message = Msg::FileHasZeroBytes;
  }
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
