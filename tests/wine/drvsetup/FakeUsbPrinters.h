// The USB printer seam's double: a scripted list, prints recorded.
#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "drvsetup/win/UsbPrinterPorts.h"

namespace testsupport {

class FakeUsbPrinters : public drvsetup::UsbPrinterAccess {
 public:
  drvsetup::AcceptedPrinters List(bool modernWindows) override {
    std::lock_guard lock(mutex_);
    listedModern_.push_back(modernWindows);
    return accepted;
  }
  void StartRawPrint(const std::wstring& path, const std::string& bytes) override {
    std::lock_guard lock(mutex_);
    prints_.emplace_back(path, bytes);
  }
  std::vector<std::pair<std::wstring, std::string>> prints() const {
    std::lock_guard lock(mutex_);
    return prints_;
  }
  std::vector<bool> listedModern() const {
    std::lock_guard lock(mutex_);
    return listedModern_;
  }

  drvsetup::AcceptedPrinters accepted;

 private:
  mutable std::mutex mutex_;
  std::vector<std::pair<std::wstring, std::string>> prints_;
  std::vector<bool> listedModern_;
};

}  // namespace testsupport
