// Finds a window of this thread by its title: the installer's tests look for
// their dialogs among their own windows, never another process's.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

struct TitleSearch {
  const std::wstring* title;
  HWND found;
};

// a named CALLBACK: a lambda does not convert to the 32-bit stdcall type
inline BOOL CALLBACK MatchTitle(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TitleSearch*>(data);
  wchar_t caption[128] = {};
  GetWindowTextW(window, caption, 128);
  if (*search->title != caption) return TRUE;
  search->found = window;
  return FALSE;
}

inline HWND ThreadWindowTitled(const std::wstring& title) {
  TitleSearch search{&title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace testsupport
