// Which USB printers the updater talks to: the vendor part of a device path
// must match one of ten accepted keys; the program's own file name can add one.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace fwflash {

class AcceptedVendors {
 public:
  static constexpr size_t kSlots = 10;
  static constexpr size_t kKeyLength = 8;  // "vid_" and four hexadecimal digits

  AcceptedVendors();
  // True when `key` equals a non-empty slot, ignoring ASCII letter case.
  bool Matches(std::string_view key) const;
  std::string Slot(size_t index) const;
  void SetSlot0(std::string_view key);  // `key` is kKeyLength characters

 private:
  std::array<std::array<char, kKeyLength + 1>, kSlots> slots_{};
};

// The folder-less, extension-less name of a program path such as
// "C:\\Tools\\fwflash_vid_0519.exe" -> "fwflash_vid_0519".
std::u16string ProgramStem(std::u16string_view path);

// The eight characters from the first "vid_" of `stem`, each reduced to its
// low byte; nullopt when there is no "vid_" or fewer than eight characters
// follow from it to the end of the name (nothing past the name is read).
std::optional<std::string> VendorKeyFromProgramName(std::u16string_view stem);

// Characters 8 to 15 of a USB device path ("\\\\?\\usb#vid_0483&pid_...": "vid_0483");
// nullopt when the path is shorter.
std::optional<std::string> DeviceVendorKey(std::string_view path);

}  // namespace fwflash
