// The main window's files part: New, Open, Save, Save As, Close and Select
// all on the content box, files dropped on it, and the question before the
// window closes on unsaved edits. A file keeps the encoding it was opened in
// (Encoding.h); Save writes the current file, which Open and a drop set and
// Close, New and a language command forget.
#pragma once

#include <optional>
#include <string>

#include "prtbench/console/Encoding.h"
#include "prtbench/console/win/DropEdit.h"
#include "prtbench/console/win/MainWindow.h"

namespace prtbench {

class MainFiles {
 public:
  explicit MainFiles(MainWindow& window) : window_(window) {}

  // The content box takes dropped files from now on.
  void AttachContentBox();

  void OnFileNew();
  void OnFileOpen();
  void OnFileSave(bool askForPath);
  void OnFileClose();
  void OnSelectAll();
  // The box holds another text (a greeting): Save must not overwrite the file.
  void ForgetCurrentFile();
  // Before the window closes: true when nothing is lost by closing, after
  // asking whether to save edits of the current file (Cancel: false).
  bool MayClose();
  // Save and Close in the menu name the current file, if there is one.
  void TitleFileItems();

 private:
  void OnContentDropped(const std::string& path);
  // The file's text, or nothing after a message box saying why not.
  std::optional<FileContent> ReadContentFile(const std::string& path);
  // Writes the box's text to `path`; false after a message box.
  bool WriteContent(const std::string& path);
  // `path`, opened in `encoding`, is the file Save writes; the box's text
  // is its text as saved.
  void MakeCurrent(const std::string& path, TextEncoding encoding);
  void Tell(Msg message, const std::string& path);

  MainWindow& window_;
  std::string currentFile_;  // UTF-8
  TextEncoding fileEncoding_ = TextEncoding::Ansi;
  std::string savedText_;  // the current file's text as last opened or saved
  CDropEdit contentBox_;
};

}  // namespace prtbench
