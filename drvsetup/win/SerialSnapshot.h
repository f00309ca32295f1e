// The registry reads of the virtual serial port installation: the system's
// serial port list, and the ports the virtual COM device's instances got.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drvsetup/SerialPorts.h"

namespace drvsetup {

inline constexpr wchar_t kSerialCommKey[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
inline constexpr wchar_t kVirtualComDeviceKey[] = L"SYSTEM\\CurrentControlSet\\Enum\\USB\\VID_1CBE&PID_0002";

// The values of `key` under HKEY_LOCAL_MACHINE, at most 256, names and data
// of up to 255 characters; nullopt when the key cannot be opened.
std::optional<std::vector<SerialEntry>> SnapshotSerialPorts(const wchar_t* key = kSerialCommKey);

// "PortName" of each instance of the device `key`, by instance position
// (empty where an instance has none, or no "Device Parameters"), at most
// 256; nullopt when the device has no instances.
std::optional<std::vector<std::string>> ListVirtualComPorts(const wchar_t* key = kVirtualComDeviceKey);

}  // namespace drvsetup
