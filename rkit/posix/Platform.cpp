// rkit's services on Linux.
#include "rkit/Platform.h"

#include <unistd.h>

#include "rkit/posix/PictureFile.h"
#include "rkit/posix/PosixDatagrams.h"
#include "rkit/posix/PosixDevices.h"

namespace rkit {
namespace {

class PosixPlatform final : public Platform {
 public:
  prtbench::LinkDevices& devices() override { return devices_; }
  prtbench::DatagramSockets& datagrams() override { return datagrams_; }
  DeviceReads* deviceReads() override { return &devices_; }
  // Link reads every serial and USB device here.
  std::unique_ptr<UpgradePort> UpgradePortFor(const LinkChoice&, kit::Clock&) override { return nullptr; }
  std::optional<prtbench::DecodedImage> ReadPicture(const std::string& path) override { return ReadPictureFile(path); }
  bool ErrorIsTerminal() const override { return isatty(STDERR_FILENO) == 1; }

 private:
  PosixDevices devices_;
  PosixDatagrams datagrams_;
};

}  // namespace

std::unique_ptr<Platform> MakePlatform() { return std::make_unique<PosixPlatform>(); }

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

}  // namespace rkit
