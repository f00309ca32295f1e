#include "prtbench/console/win/MainFiles.h"

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

void MainFiles::AttachContentBox() {
  contentBox_.Attach(window_.dialog().Item(IDC_MAIN_CONTENT), [this](const std::string& path) { OnContentDropped(path); });
}

void MainFiles::OnFileNew() {
  window_.ReadWindow(false);
  window_.fields().content.clear();
  window_.ShowValues();
  // an empty box is no longer that file: Save must not overwrite it
  ForgetCurrentFile();
}

void MainFiles::OnFileOpen() {
  const std::optional<std::string> path = window_.prompts().OpenFile(window_.hwnd(), TextFileDialog("打开文件", ""));
  if (!path) return;
  std::optional<FileContent> file = ReadContentFile(*path);
  if (!file) return;
  window_.ReadWindow(false);
  window_.fields().content = std::move(file->text);
  window_.ShowValues();
  MakeCurrent(*path, file->encoding);
}

void MainFiles::OnFileSave(bool askForPath) {
  window_.ReadWindow(false);
  // a path chosen here is written once; it does not become the current file
  std::string path = askForPath ? std::string() : currentFile_;
  if (path.empty()) {
    const std::optional<std::string> chosen =
        window_.prompts().SaveFile(window_.hwnd(), TextFileDialog(askForPath ? "另存为" : "保存", "txt"));
    if (!chosen) return;
    path = *chosen;
  }
  if (WriteContent(path) && path == currentFile_) savedText_ = window_.fields().content;
}

bool MainFiles::WriteContent(const std::string& path) {
  // in the current file's encoding; with no file open in ANSI as ever
  if (WriteWholeFile(path, FileFromContent(window_.fields().content, fileEncoding_))) return true;
  Tell(Msg::FileWriteFailed, path);
  return false;
}

bool MainFiles::MayClose() {
  // throw-away text typed with no file open closes without a question
  if (currentFile_.empty()) return true;
  window_.ReadWindow(false);
  if (window_.fields().content == savedText_) return true;
  switch (window_.prompts().YesNoCancel(window_.hwnd(), Fill(window_.Text(Msg::SaveChangesQuestion), {currentFile_}))) {
    case winui::Answer::Yes: return WriteContent(currentFile_);
    case winui::Answer::No: return true;
    case winui::Answer::Cancel: break;
  }
  return false;
}

void MainFiles::OnFileClose() {
  if (currentFile_.empty()) return;
  window_.ReadWindow(false);
  window_.fields().content.clear();
  window_.ShowValues();
  ForgetCurrentFile();
}

void MainFiles::MakeCurrent(const std::string& path, TextEncoding encoding) {
  currentFile_ = path;
  fileEncoding_ = encoding;
  // as the box holds it, so an unchanged text never counts as an edit
  savedText_ = window_.dialog().Text(IDC_MAIN_CONTENT);
  TitleFileItems();
}

void MainFiles::ForgetCurrentFile() {
  currentFile_.clear();
  fileEncoding_ = TextEncoding::Ansi;
  savedText_.clear();
  TitleFileItems();
}

void MainFiles::OnSelectAll() {
  SendDlgItemMessageW(window_.hwnd(), IDC_MAIN_CONTENT, EM_SETSEL, 0, -1);
  SendDlgItemMessageW(window_.hwnd(), IDC_MAIN_CONTENT, EM_SCROLLCARET, 0, 0);
}

void MainFiles::OnContentDropped(const std::string& path) {
  // folders and paths that lead nowhere are ignored
  if (!IsRegularFile(path)) return;
  const std::optional<FileContent> file = ReadContentFile(path);
  if (!file) return;
  window_.dialog().SetText(IDC_MAIN_CONTENT, file->text);
  MakeCurrent(path, file->encoding);
}

std::optional<FileContent> MainFiles::ReadContentFile(const std::string& path) {
  const FileRead read = ReadWholeFile(path, kMaxContentFileBytes);
  Msg message = read.error == FileReadError::TooLarge ? Msg::FileTooLarge : Msg::FileReadFailed;
  if (read.error == FileReadError::None) {
    FileContent file = ContentFromFile(read.bytes);
    if (file.ok) return file;
    message = Msg::FileHasZeroBytes;
  }
  Tell(message, path);
  return std::nullopt;
}

void MainFiles::TitleFileItems() {
  HMENU menu = GetMenu(window_.hwnd());
  if (!menu) return;
  const bool named = !currentFile_.empty();
  SetMenuText(menu, IDM_FILE_SAVE, named ? Fill(window_.Text(Msg::MenuSaveFile), {currentFile_}) : window_.Text(Msg::MenuSave));
  SetMenuText(menu, IDM_FILE_CLOSE, named ? Fill(window_.Text(Msg::MenuCloseFile), {currentFile_}) : window_.Text(Msg::MenuClose));
}

void MainFiles::Tell(Msg message, const std::string& path) {
  window_.prompts().Message(window_.hwnd(), Fill(window_.Text(message), {path}), winui::MessageIcon::Information);
}

}  // namespace prtbench
