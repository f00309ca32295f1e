// EnCodeQr.dll as the QR dialog calls it: loaded by full path from the
// program's folder for each preview, two cdecl exports, unloaded again.
#pragma once

#include <string>

namespace prtbench {

// The exports' signatures; both use the C calling convention.
using SetQrConFileFunction = void(__cdecl*)(const char* doubledSettingsPath);
using EnQrTextFunction = const char*(__cdecl*)(const char* text, const char* reserved);

// Loads the library at `libraryPath`, calls SetQrConFile with
// `settingsPath` (ANSI, every backslash doubled) and then EnQrText with
// `ansiText` and an empty text, unloads it, and judges the result
// (QrResultSucceeded). False also when the library or an export is missing.
bool RunQrPreviewLibrary(const std::wstring& libraryPath, const std::wstring& settingsPath, const std::string& ansiText);

// Writes `ansiText` and its terminating NUL to `path`, replacing what was
// there; false when the file cannot be written.
bool WriteQrTextFile(const std::wstring& path, const std::string& ansiText);

}  // namespace prtbench
