// LoadLibrary by full path, never the system's search: a stray copy elsewhere
// on the search path is never run.
#include "prtbench/imaging/win/QrPreviewLibrary.h"

#include <windows.h>

#include "prtbench/base/CodePage.h"
#include "prtbench/imaging/Qr.h"
#include "winui/Utf.h"

namespace prtbench {

bool RunQrPreviewLibrary(const std::wstring& libraryPath, const std::wstring& settingsPath, const std::string& ansiText) {
  HMODULE library = LoadLibraryW(libraryPath.c_str());
  if (!library) return false;
  const auto setConFile = reinterpret_cast<SetQrConFileFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "SetQrConFile")));
  const auto enQrText = reinterpret_cast<EnQrTextFunction>(reinterpret_cast<void*>(GetProcAddress(library, "EnQrText")));
  bool made = false;
  if (setConFile && enQrText) {
    const std::string path = ToCodePage(DoubleBackslashes(winui::Narrow(settingsPath)), CodePage::SystemAnsi);
    setConFile(path.c_str());
    made = QrResultSucceeded(enQrText(ansiText.c_str(), ""));
  }
  FreeLibrary(library);
  return made;
}

bool WriteQrTextFile(const std::wstring& path, const std::string& ansiText) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(ansiText.size() + 1);  // with the NUL
  const BOOL ok = WriteFile(file, ansiText.c_str(), size, &written, nullptr);
  CloseHandle(file);
  return ok && written == size;
}

}  // namespace prtbench
