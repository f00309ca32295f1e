// EnCodeQr.dll, the QR preview library prtbench loads: SetQrConFile names the
// settings file whose [QR] keys choose the level and scale, EnQrText encodes
// a text and writes TempQr.bmp beside the program that loaded the library.
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "encodeqr/Bitmap.h"
#include "encodeqr/Settings.h"
#include "winui/ProgramFolder.h"

namespace {

std::mutex g_mutex;
std::string g_settingsPath;  // as SetQrConFile gave it, backslashes undoubled

std::string ReadKey(const char* key, const char* defaultValue) {
  char value[32] = {};
  GetPrivateProfileStringA("QR", key, defaultValue, value, sizeof value, g_settingsPath.c_str());
  return value;
}

// TempQr.bmp in the folder of the calling program's file.
std::wstring BitmapPath() { return winui::ProgramFolder() + L"\\TempQr.bmp"; }

bool WriteWhole(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

}  // namespace

extern "C" {

// `path`: the settings file, ANSI, with every backslash doubled. Kept for the
// following EnQrText calls; a null path forgets it (the keys' defaults apply).
void __cdecl SetQrConFile(const char* path) {
  std::lock_guard lock(g_mutex);
  g_settingsPath = path ? encodeqr::UndoubleBackslashes(path) : std::string();
}

// Encodes the bytes of `text` (NUL-terminated, ANSI) in byte mode at the
// [QR] ECCLevel of the settings file, draws it at Scale pixels a module
// with a four-module quiet zone, and writes TempQr.bmp beside the calling
// program. `reserved` is not used. Returns "TempQr.bmp" (a static text) on
// success, null when the text is null, does not fit version 40 at that level
// or the file cannot be written.
const char* __cdecl EnQrText(const char* text, const char* /*reserved*/) {
  if (!text) return nullptr;
  std::lock_guard lock(g_mutex);
  const encodeqr::Ecc ecc = encodeqr::EccFromText(ReadKey("ECCLevel", "25%"));
  const int scale = encodeqr::ScaleFromText(ReadKey("Scale", "2"));
  const std::string data(text);
  const auto symbol = encodeqr::EncodeBytes({reinterpret_cast<const std::uint8_t*>(data.data()), data.size()}, ecc);
  if (!symbol) return nullptr;
  if (!WriteWhole(BitmapPath(), encodeqr::SymbolBitmap(*symbol, scale))) return nullptr;
  return "TempQr.bmp";
}

}  // extern "C"
