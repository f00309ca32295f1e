// A dialog's WindowLink: work from other threads runs on the window's thread
// in order, and once the window is gone nothing runs and nothing waits.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TestDialogs.h"
#include "support/DialogDriver.h"
#include "winui/Dialog.h"

namespace {

class PlainDialog : public winui::Dialog {
 public:
  PlainDialog() : Dialog(IDD_TEST_CONTROLS) {}
};

using testsupport::PumpFor;

TEST(WindowLink, WorkFromAWorkerRunsOnTheWindowThreadInOrder) {
  winui::Modeless<PlainDialog> dialog;
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  const DWORD windowThread = GetCurrentThreadId();
  std::vector<int> order;
  std::atomic<bool> elsewhere{false};
  std::thread worker([link = dialog.windowLink(), &order, &elsewhere, windowThread] {
    for (int i = 0; i < 50; ++i) {
      link->Call([i, &order, &elsewhere, windowThread] {
        if (GetCurrentThreadId() != windowThread) elsewhere = true;
        order.push_back(i);
      });
    }
  });
  worker.join();
  PumpFor(50);
  ASSERT_EQ(order.size(), 50u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(order[i], i);
  EXPECT_FALSE(elsewhere);
  DestroyWindow(dialog.hwnd());
}

TEST(WindowLink, AfterTheWindowIsDestroyedWorkIsDroppedUnrun) {
  winui::Modeless<PlainDialog> dialog;
  ASSERT_NE(dialog.Create(nullptr), nullptr);
  const auto link = dialog.windowLink();
  bool ran = false;
  EXPECT_TRUE(link->Call([&] { ran = true; }));  // waiting when the window goes
  DestroyWindow(dialog.hwnd());
  EXPECT_FALSE(link->Call([&] { ran = true; }));
  EXPECT_FALSE(link->Post(WM_NULL));
  PumpFor(20);
  EXPECT_FALSE(ran);
}

}  // namespace
