// What the installer shows, word for word (UTF-8).
#pragma once

#include <string>
#include <string_view>

namespace drvsetup {

inline constexpr std::string_view kNoSeriesChosen = "Please select a printer series !";
inline constexpr std::string_view kInstallFailed = "Install Failed ! ";
inline constexpr std::string_view kConfigureQuestion = "Succeed !\nDo you want to configure printer now?";
inline constexpr std::string_view kTestPageQuestion = "Succeed !\nDo you want to printing test page?";
inline constexpr std::string_view kNoUsbPrinter = "Have not found a USB printer device !";

// Messages of the driver installation, by the user's display language.
inline constexpr unsigned kSimplifiedChinese = 2052;
inline constexpr unsigned kUsEnglish = 1033;
std::string_view CopyFailedMessage(int windowsChoice, bool chinese);
std::string_view DriverFailedMessage(bool chinese);
// Steps around the installation that fail where the system gives no sign of
// its own: a program that did not start, a default printer that was not set.
std::string StartFailedMessage(std::string_view program, bool chinese);
std::string_view DefaultFailedMessage(bool chinese);

}  // namespace drvsetup
