// The imaging dialog tests' helpers.
#include "ImagingDriver.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "support/Unix.h"
#include "tests/support/BmpFile.h"
#include "winui/Utf.h"

namespace imagingtest {

void RunModal(const std::function<void()>& show, const std::function<void(HWND)>& script) {
  testsupport::WhenModal([script](HWND dialog) {
    script(dialog);
    Close(dialog);
  });
  show();
}

void TypeInto(HWND dialog, int id, const std::string& utf8) {
  SendDlgItemMessageW(dialog, id, EM_SETSEL, 0, -1);
  SendDlgItemMessageW(dialog, id, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(winui::Widen(utf8).c_str()));
}
void Close(HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }
void Command(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
void SetChecked(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

SIZE ControlSize(HWND dialog, int id) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void Settle(testsupport::TestContext& app) {
  app.Drain();
  testsupport::PumpWaiting();
}

std::vector<std::string> Sends(const linktest::FakeLinkDevices& devices, size_t first) {
  std::vector<std::string> sends;
  std::map<std::intptr_t, size_t> taken;
  for (const std::string& entry : devices.Log()) {
    std::istringstream fields(entry);
    std::string kind, arrow, result;
    std::intptr_t handle = 0;
    size_t size = 0;
    if (!(fields >> kind >> handle >> size >> arrow >> result) || (kind != "write" && kind != "send")) continue;
    const size_t count = result == "fail" ? 0 : static_cast<size_t>(std::max(0, std::stoi(result)));
    sends.push_back(devices.Received(handle).substr(taken[handle], count));
    taken[handle] += count;
  }
  sends.erase(sends.begin(), sends.begin() + static_cast<std::ptrdiff_t>(std::min(first, sends.size())));
  return sends;
}

std::string AsString(const prtbench::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

prtbench::DecodedImage Picture(std::uint32_t width, std::uint32_t height,
                               const std::function<bool(std::uint32_t, std::uint32_t)>& black) {
  prtbench::DecodedImage image{width, height, {}};
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      image.pixels.push_back(black(x, y) ? prtbench::MakeColour(0, 0, 0) : prtbench::MakeColour(255, 255, 255));
    }
  }
  return image;
}

std::string WriteBmp(const std::string& unixPath, const prtbench::DecodedImage& image) {
  testsupport::WriteFile(unixPath, testsupport::BmpFile(image));
  return winui::Narrow(testsupport::WindowsPath(unixPath));
}

}  // namespace imagingtest
