// What the updater shows, word for word (UTF-8), and its launch gate.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fwflash {

inline constexpr std::string_view kWindowCaption = "Atualização Firmware";
inline constexpr std::string_view kPathPlaceholder = "(Insira o Firmware Aqui)";
inline constexpr std::string_view kPortGroupCaption = "Seleção Porta";
inline constexpr std::string_view kNetRadioText = "Ethernet";
inline constexpr std::string_view kComRadioText = "COM";
inline constexpr std::string_view kFileGroupCaption = "2. Select the firmware upgrade file";
inline constexpr std::string_view kBrowseText = "Buscar Firmware";
inline constexpr std::string_view kStartText = "lniciar Atualização";  // sic: lower-case L
inline constexpr std::string_view kStartGroupCaption = "3. Start the firmware upgrade";
inline constexpr std::string_view kOpenDialogTitle = "Open the FMW firmware upgrade file";
inline constexpr std::string_view kOpenDialogFilterName = "fmwFile";
inline constexpr std::string_view kOpenDialogFilterPattern = "*.fmw";

inline constexpr std::string_view kSelectSingleFile = "Please select a single file";
inline constexpr std::string_view kSelectCorrectFile = "Please select the correct file";
inline constexpr std::string_view kSelectValidFile = "Please select a valid file";
// A valid file that this 32-bit process cannot hold in memory.
inline constexpr std::string_view kFileTooLargeForMemory = "Not enough memory to load the firmware file";
// Closing the window is refused while an upgrade runs: a printer left with
// part of an image may not start again.
inline constexpr std::string_view kCloseRefusedDuringUpgrade =
    "Atualização em andamento: aguarde o fim para fechar.\n"
    "An upgrade is running: wait for it to end before closing.";

inline constexpr std::string_view kLaunchToken = "MerrowByQuint";

// True when the arguments after the program name are exactly the launch
// token, compared case-sensitively.
inline bool IsLaunchCommandLine(const std::vector<std::string>& argumentsAfterProgram) {
  return argumentsAfterProgram.size() == 1 && argumentsAfterProgram[0] == kLaunchToken;
}

}  // namespace fwflash
