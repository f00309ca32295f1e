// The accepted vendor table and the keys taken from file names and device paths.
#include "fwflash/Vendors.h"

#include <algorithm>

namespace fwflash {
namespace {

constexpr const char* kInitialKeys[AcceptedVendors::kSlots] = {
    "vid_XXXX", "vid_067b", "vid_0416", "vid_1cbe", "vid_0483", "vid_0471", "vid_1FC9", "vid_314B", "vid_2D84", "",
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower(x) == Lower(y);
         });
}

}  // namespace

AcceptedVendors::AcceptedVendors() {
  for (size_t i = 0; i < kSlots; ++i) {
    const std::string_view key(kInitialKeys[i]);
    std::copy(key.begin(), key.end(), slots_[i].begin());
  }
}

bool AcceptedVendors::Matches(std::string_view key) const {
  return std::any_of(slots_.begin(), slots_.end(), [&](const auto& slot) {
    const std::string_view stored(slot.data());
    return !stored.empty() && EqualIgnoringCase(stored, key);
  });
}

std::string AcceptedVendors::Slot(size_t index) const { return std::string(slots_.at(index).data()); }

void AcceptedVendors::SetSlot0(std::string_view key) {
  slots_[0].fill('\0');
  std::copy_n(key.begin(), std::min(key.size(), kKeyLength), slots_[0].begin());
}

std::u16string ProgramStem(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"\\/");
  std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of(u'.');
  if (dot != std::u16string_view::npos) name = name.substr(0, dot);
  return std::u16string(name);
}

std::optional<std::string> VendorKeyFromProgramName(std::u16string_view stem) {
  const size_t start = stem.find(u"vid_");
  if (start == std::u16string_view::npos || stem.size() - start < AcceptedVendors::kKeyLength) return std::nullopt;
  std::string key;
  for (char16_t c : stem.substr(start, AcceptedVendors::kKeyLength)) key += static_cast<char>(c & 0xFF);
  return key;
}

std::optional<std::string> DeviceVendorKey(std::string_view path) {
  constexpr size_t kPrefixLength = 8;  // "\\?\usb#"
  if (path.size() < kPrefixLength + AcceptedVendors::kKeyLength) return std::nullopt;
  return std::string(path.substr(kPrefixLength, AcceptedVendors::kKeyLength));
}

}  // namespace fwflash
