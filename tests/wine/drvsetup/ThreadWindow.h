// Finds a window of this thread by its title: the installer's tests look for
// their dialogs among their own windows, never another process's.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

inline HWND ThreadWindowTitled(const std::wstring& title) {
  struct Search {
    const std::wstring* title;
    HWND found;
  } search{&title, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        wchar_t caption[128] = {};
        GetWindowTextW(window, caption, 128);
        if (*s->title != caption) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace testsupport
