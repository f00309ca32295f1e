// The yardstick for start-up: the least a Win32 dialog program does, one
// empty modal dialog from an in-memory template.
#include <windows.h>

namespace {

INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) EndDialog(dialog, 0);
  return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  alignas(DWORD) WORD dialogTemplate[32] = {};
  auto* header = reinterpret_cast<DLGTEMPLATE*>(dialogTemplate);
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  header->cx = 200;
  header->cy = 100;
  // no menu, the default class, an empty title: three zero words after the header
  DialogBoxIndirectW(instance, header, nullptr, Procedure);
  return 0;
}
