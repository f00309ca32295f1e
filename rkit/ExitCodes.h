// rkit's exit statuses, so a shell script can branch on what happened. The
// README lists them; keep the two together.
#pragma once

namespace rkit {

inline constexpr int kExitOk = 0;
inline constexpr int kExitInput = 1;      // a file or text to send cannot be read or is not valid
inline constexpr int kExitUsage = 2;      // the command line is wrong
inline constexpr int kExitLinkOpen = 3;   // the link cannot be opened or connected
inline constexpr int kExitLinkSend = 4;   // the printer did not take every byte
inline constexpr int kExitNoStatus = 5;   // the status port gave no status word
inline constexpr int kExitPaperOut = 10;  // status: paper out (checked first)
inline constexpr int kExitCoverOpen = 11; // status: cover open
inline constexpr int kExitOffline = 12;   // status: offline for another reason
// A failed upgrade step: this plus the updater's failure number (0 to 23,
// the NN of "Falha na Atualização: NN!").
inline constexpr int kExitUpgradeBase = 30;

}  // namespace rkit
