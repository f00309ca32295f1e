// The enciphered note, enciphered at compile time so its plain text is never
// in the program's file.
#include "drvsetup/win/SecretNote.h"

#include <array>

namespace drvsetup {
namespace {

constexpr std::array<unsigned char, 3> kKey{0x5A, 0xC3, 0x17};
constexpr char kPlain[] = "drvsetup V7.17: made by the receipt kit's own crew!!";
constexpr size_t kLength = sizeof kPlain - 1;
static_assert(kLength == 52);

constexpr std::array<unsigned char, kLength> Encipher() {
  std::array<unsigned char, kLength> out{};
  for (size_t i = 0; i < kLength; ++i) out[i] = static_cast<unsigned char>(kPlain[i]) ^ kKey[i % kKey.size()];
  return out;
}

constexpr std::array<unsigned char, kLength> kEnciphered = Encipher();

}  // namespace

std::string SecretNote() {
  std::string note(kLength, '\0');
  for (size_t i = 0; i < kLength; ++i) note[i] = static_cast<char>(kEnciphered[i] ^ kKey[i % kKey.size()]);
  return note;
}

}  // namespace drvsetup
