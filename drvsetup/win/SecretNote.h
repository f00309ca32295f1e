// The note every fifth double-click on the hint shows. The program keeps it
// enciphered (XOR with a repeating three-byte key) until it is shown.
#pragma once

#include <string>

namespace drvsetup {

// The deciphered 52-byte note.
std::string SecretNote();

}  // namespace drvsetup
