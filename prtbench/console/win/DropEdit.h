// The content box (CDropEdit): an edit control that takes files dropped on it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

namespace prtbench {

class CDropEdit {
 public:
  CDropEdit() = default;
  ~CDropEdit();  // lets go of the edit control if it still exists
  CDropEdit(const CDropEdit&) = delete;
  CDropEdit& operator=(const CDropEdit&) = delete;

  // Makes `edit` accept dropped files from now on. `dropped` runs on the
  // window thread with the first dropped file's whole path (UTF-8), a shell
  // shortcut replaced by its target.
  void Attach(HWND edit, std::function<void(const std::string&)> dropped);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR self);
  void OnDrop(HDROP drop);

  HWND edit_ = nullptr;
  std::function<void(const std::string&)> dropped_;
};

// The target of the shell shortcut at `path` (at most 260 characters); empty
// when `path` is no shortcut or its target cannot be read.
std::wstring ShortcutTarget(const std::wstring& path);

}  // namespace prtbench
