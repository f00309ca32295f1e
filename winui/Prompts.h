// Everything a program asks or tells the user in a modal box goes through
// Prompts, so tests can record the texts and script the answers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace winui {

enum class MessageIcon { Information, None };
enum class Answer { Yes, No, Cancel };

struct FileDialogOptions {
  std::string title;
  std::vector<std::pair<std::string, std::string>> filters;  // {"Text Files(*.txt)", "*.txt"}
  std::string initialFolder;                                 // empty: the system's choice
  std::string defaultExtension;                              // without the dot; empty: none
  bool hideReadOnly = true;
};

class Prompts {
 public:
  virtual ~Prompts() = default;
  // A message box with an OK button; returns when the user closed it.
  virtual void Message(HWND owner, std::string_view text, MessageIcon icon = MessageIcon::Information) = 0;
  virtual bool YesNo(HWND owner, std::string_view text) = 0;
  // Yes, No and Cancel buttons; closing the box answers Cancel.
  virtual Answer YesNoCancel(HWND owner, std::string_view text) = 0;
  // Full path of the chosen file, or nullopt when the user cancelled.
  virtual std::optional<std::string> OpenFile(HWND owner, const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> SaveFile(HWND owner, const FileDialogOptions& options) = 0;
  // Shows the hourglass until the mouse next moves, as long work starts.
  virtual void WaitCursor() = 0;
};

// The real boxes and dialogs; message boxes carry `caption` as their title.
class Win32Prompts : public Prompts {
 public:
  explicit Win32Prompts(std::string caption) : caption_(std::move(caption)) {}
  void Message(HWND owner, std::string_view text, MessageIcon icon) override;
  bool YesNo(HWND owner, std::string_view text) override;
  Answer YesNoCancel(HWND owner, std::string_view text) override;
  std::optional<std::string> OpenFile(HWND owner, const FileDialogOptions& options) override;
  std::optional<std::string> SaveFile(HWND owner, const FileDialogOptions& options) override;
  void WaitCursor() override;

 private:
  std::string caption_;
};

}  // namespace winui
