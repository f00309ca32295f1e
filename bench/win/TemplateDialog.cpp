// The floor under prtbench's start-up: its main window's own template, read
// from the prtbench.exe in the same folder, shown with the same common
// controls and manifest and no start-up work at all. What prtbench
// takes beyond this is its own doing; what this takes beyond the trivial
// dialog is the window's controls.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "prtbench/res/main.h"

namespace {

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) EndDialog(dialog, 0);
  return message == WM_INITDIALOG;
}

std::wstring PrtbenchBesideUs() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\') + 1);
  return folder + L"prtbench.exe";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HMODULE resources = LoadLibraryExW(PrtbenchBesideUs().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!resources) return 1;
  DialogBoxParamW(resources, MAKEINTRESOURCEW(IDD_MAIN), nullptr, Procedure, 0);
  return 0;
}
