// How the preview library reads the dialog's [QR] keys and the settings path
// it is handed.
#pragma once

#include <string>
#include <string_view>

#include "encodeqr/Encoder.h"

namespace encodeqr {

inline constexpr int kDefaultScale = 2;
inline constexpr int kMaxScale = 16;

// ECCLevel: "7%" Low, "15%" Medium, "25%" Quartile, "30%" High; anything
// else reads as the dialog's default "25%".
Ecc EccFromText(std::string_view text);

// Scale: the pixels a module takes, "1" to "16"; anything else (blank,
// words, 0, above 16) reads as the default 2.
int ScaleFromText(std::string_view text);

// The path as SetQrConFile receives it, every backslash doubled, back to
// the file's own path: each pair of backslashes becomes one.
std::string UndoubleBackslashes(std::string_view doubled);

}  // namespace encodeqr
