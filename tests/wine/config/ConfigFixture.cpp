// The configuration fixture: the LPT link's writes cut back into sends.
#include "ConfigFixture.h"

#include <map>
#include <sstream>
#include <utility>

namespace configtest {

void WhenShown(const std::string& caption, std::function<void(HWND)> script) {
  WhenModal([caption, script = std::move(script)](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), caption);
    script(dialog);
  });
}

void Close(HWND dialog) { SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

COLORREF StaticBackground(HWND dialog, int id) {
  HDC dc = GetDC(dialog);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, id))));
  ReleaseDC(dialog, dc);
  LOGBRUSH info{};
  if (!brush || !GetObjectW(brush, sizeof info, &info)) return CLR_INVALID;
  return info.lbColor;
}

bool IsOwnerDrawn(HWND dialog, int id) {
  return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

ConfigDialogTest::ConfigDialogTest()
    : statusWindow_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
      statusLink_(std::make_shared<winui::WindowLink>(statusWindow_)) {
  app_.link.UpdateSettings([](prtbench::ConnectionSettings& s) { s.portType = prtbench::kPortLpt; });
  app_.context.SetLanguage(prtbench::Language::English);
  app_.status.Attach(statusLink_, [this](const std::string& text) { shown_.push_back(text); });
}

ConfigDialogTest::~ConfigDialogTest() {
  app_.status.Attach(nullptr, {});
  statusLink_->Detach();
  DestroyWindow(statusWindow_);
}

std::vector<std::string> ConfigDialogTest::ShownInStatusLine() {
  app_.Drain();
  statusLink_->RunPending();
  return shown_;
}

// Each write of the scripted device is logged "write <handle> <size> -> <taken>";
// the bytes taken follow one another in Received(handle).
std::vector<prtbench::Bytes> ConfigDialogTest::Sends() {
  app_.Drain();
  std::map<long long, size_t> offsets;
  std::vector<prtbench::Bytes> sends;
  for (const std::string& entry : app_.devices.Log()) {
    std::istringstream in(entry);
    std::string word, arrow, taken;
    long long handle = 0;
    size_t size = 0;
    if (!(in >> word >> handle >> size >> arrow >> taken) || word != "write" || taken == "fail") continue;
    const std::string bytes = app_.devices.Received(handle).substr(offsets[handle], std::stoul(taken));
    offsets[handle] += bytes.size();
    sends.emplace_back(bytes.begin(), bytes.end());
  }
  return sends;
}

std::string ConfigDialogTest::Stored(const std::string& section, const std::string& key) const {
  const std::string* value = app_.settings.Find(section, key);
  return value ? *value : "<missing>";
}

}  // namespace configtest
