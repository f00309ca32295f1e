// Modeless dialogs: the subclass sees its window go however its owner lets
// go, and workers may watch hwnd().
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "TestDialogs.h"
#include "winui/Dialog.h"

namespace {

// Counts its OnDestroy calls.
class DestroyCounter : public winui::Dialog {
 public:
  explicit DestroyCounter(int& destroyed) : Dialog(IDD_TEST_CONTROLS), destroyed_(destroyed) {}

 protected:
  void OnDestroy() override { ++destroyed_; }

 private:
  int& destroyed_;
};

using Owned = std::unique_ptr<winui::Modeless<DestroyCounter>>;

// Only Modeless<T> creates modeless windows, so no plain dialog can be
// deleted while its window lives.
template <class T>
concept CreatesModeless = requires(T& dialog) { dialog.Create(HWND{}); };
static_assert(!CreatesModeless<DestroyCounter>);
static_assert(!CreatesModeless<winui::Dialog>);
static_assert(CreatesModeless<winui::Modeless<DestroyCounter>>);

TEST(Modeless, SubclassOnDestroyRunsOnceHoweverTheOwnerLetsGo) {
  const struct {
    const char* how;
    std::function<void(Owned&)> letGo;
  } cases[] = {
      {"owner deleted", [](Owned& d) { d.reset(); }},
      {"deleted through Dialog*", [](Owned& d) { std::unique_ptr<winui::Dialog>(d.release()).reset(); }},
      {"closed, then deleted", [](Owned& d) { d->Close(); d.reset(); }},
      {"ended, then deleted", [](Owned& d) { d->EndDialog(IDOK); d.reset(); }},
  };
  for (const auto& c : cases) {
    int destroyed = 0;
    auto dialog = std::make_unique<winui::Modeless<DestroyCounter>>(destroyed);
    const HWND window = dialog->Create(nullptr);
    ASSERT_NE(window, nullptr) << c.how;
    c.letGo(dialog);
    EXPECT_EQ(destroyed, 1) << c.how;
    EXPECT_FALSE(IsWindow(window)) << c.how;
  }
}

TEST(Modeless, LeavingScopeDestroysTheWindowThroughTheSubclass) {
  int destroyed = 0;
  HWND window = nullptr;
  {
    winui::Modeless<DestroyCounter> dialog(destroyed);
    window = dialog.Create(nullptr);
    ASSERT_NE(window, nullptr);
  }
  EXPECT_EQ(destroyed, 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST(Modeless, WorkerSeesTheWindowComeAndGo) {
  int destroyed = 0;
  winui::Modeless<DestroyCounter> dialog(destroyed);
  std::atomic<HWND> seen = nullptr;
  std::atomic<bool> sawItGo = false;
  std::thread worker([&] {
    while (!dialog.hwnd()) Sleep(1);
    seen = dialog.hwnd();
    while (dialog.hwnd()) Sleep(1);
    sawItGo = true;
  });
  const HWND window = dialog.Create(nullptr);
  while (!seen) Sleep(1);
  dialog.Close();
  worker.join();
  EXPECT_EQ(seen.load(), window);
  EXPECT_TRUE(sawItGo);
}

}  // namespace
