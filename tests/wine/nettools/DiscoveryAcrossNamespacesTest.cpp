// The Auto Set IP dialog on real Winsock, run by tests/support/netns-pair in
// a network namespace of its own whose veth leads only to a second one where
// two virtual printers answer on UDP 9000: both are found, Save reaches only
// the chosen one, port 9000 already taken is said, and a closed dialog
// leaves the port free.
#include <winsock2.h>

#include <gtest/gtest.h>
#include <sstream>
#include <windows.h>

#include "SystemContext.h"
#include "prtbench/nettools/win/AutoIpDialog.h"
#include "prtbench/nettools/win/WinsockDatagrams.h"
#include "prtbench/res/resource.h"
#include "support/DialogDriver.h"
#include "support/Unix.h"
#include "support/VPrinter.h"
#include "winui/Utf.h"

namespace {

using namespace prtbench;
using namespace nettest;
using namespace testsupport;
using testsupport::VPrinter;

int Lines(HWND dialog) { return static_cast<int>(SendDlgItemMessageW(dialog, IDC_AUTOIP_LIST, LB_GETCOUNT, 0, 0)); }

std::string Line(HWND dialog, int index) {
  wchar_t text[64] = {};
  SendDlgItemMessageW(dialog, IDC_AUTOIP_LIST, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return winui::Narrow(text);
}

void ChooseLine(HWND dialog, int index) {
  SendDlgItemMessageW(dialog, IDC_AUTOIP_LIST, LB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_AUTOIP_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_AUTOIP_LIST)));
}

// A Winsock UDP socket on port 9000, as another program would hold it.
class PortHolder {
 public:
  PortHolder() {
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(9000);
    bound_ = bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0;
  }
  ~PortHolder() { closesocket(socket_); }
  bool bound() const { return bound_; }

 private:
  SOCKET socket_;
  bool bound_ = false;
};

// Whether anything in this namespace has UDP 9000 bound, read from the
// kernel's table: a probe that binds would take the port from a search that
// has not bound yet.
bool PortInUse() {
  std::istringstream table(testsupport::ReadFile("/proc/net/udp"));
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string slot, local;
    fields >> slot >> local;
    if (local.ends_with(":2328")) return true;
  }
  return false;
}

class DiscoveryAcrossNamespacesTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(testsupport::Env("KIT_PRINTER_NETNS").empty()) << "run through tests/support/netns-pair --wine";
  }
  void Show(std::function<void(HWND)> script) {
    WhenModal(std::move(script));
    ShowAutoIpDialog(nullptr, app_.context, sockets_);
    app_.Drain();
  }

  WinsockDatagramSockets sockets_;  // outlives the sends app_ runs
  SystemContext app_;
};

TEST_F(DiscoveryAcrossNamespacesTest, FindsBothPrintersAndSaveChangesOnlyTheChosenOne) {
  VPrinter first(
      "--no-render --tcp 127.0.0.1:0 --udp 0.0.0.0:9000 --mac 02-00-5E-00-00-0A --ip 10.77.0.21 "
      "--mask 255.255.255.0 --gateway 10.77.0.1");
  VPrinter second(
      "--no-render --tcp 127.0.0.2:0 --udp 0.0.0.0:9000 --mac 02-00-5E-00-00-0B --ip 10.77.0.22 "
      "--mask 255.255.255.0 --gateway 10.77.0.1 --net-port 80");
  ASSERT_TRUE(first.ready()) << first.Log();
  ASSERT_TRUE(second.ready()) << second.Log();
  Show([&](HWND dialog) {
    Click(dialog, IDC_AUTOIP_SEARCH);
    ASSERT_TRUE(PumpUntil([dialog] { return Lines(dialog) == 2; })) << Lines(dialog);
    EXPECT_EQ(Line(dialog, 0), "02-00-5E-00-00-0A");
    EXPECT_EQ(Line(dialog, 1), "02-00-5E-00-00-0B");
    ChooseLine(dialog, 1);
    EXPECT_EQ(IpAddress(dialog, IDC_AUTOIP_IP), MakeIpv4(10, 77, 0, 22));
    EXPECT_EQ(Text(dialog, IDC_AUTOIP_PORT), "80");
    TypeIpAddress(dialog, IDC_AUTOIP_IP, MakeIpv4(10, 77, 0, 99));
    Click(dialog, IDC_AUTOIP_SAVE);
    ASSERT_TRUE(PumpUntil([&] {
      return testsupport::ReadFile(second.dir() + "/discovery").find("ip 10.77.0.99 ") != std::string::npos;
    })) << testsupport::ReadFile(second.dir() + "/discovery");
    // a new search shows the printer at its new address
    Click(dialog, IDC_AUTOIP_SEARCH);
    ASSERT_TRUE(PumpUntil([dialog] { return Lines(dialog) == 2; }));
    ChooseLine(dialog, 1);
    EXPECT_EQ(IpAddress(dialog, IDC_AUTOIP_IP), MakeIpv4(10, 77, 0, 99));
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(testsupport::ReadFile(second.dir() + "/discovery"),
            "mac 02-00-5E-00-00-0B ip 10.77.0.99 mask 255.255.255.0 gateway 10.77.0.1 port 80 dhcp 0\n");
  EXPECT_EQ(testsupport::ReadFile(first.dir() + "/discovery"),
            "mac 02-00-5E-00-00-0A ip 10.77.0.21 mask 255.255.255.0 gateway 10.77.0.1 port 9100 dhcp 0\n");
  EXPECT_TRUE(app_.prompts.records().empty());
}

TEST_F(DiscoveryAcrossNamespacesTest, APortAlreadyTakenIsSaidAndAClosedDialogLeavesThePortFree) {
  {
    PortHolder other;
    ASSERT_TRUE(other.bound());
    Show([this](HWND dialog) {
      Click(dialog, IDC_AUTOIP_SEARCH);
      ASSERT_TRUE(PumpUntil([this] { return !app_.prompts.records().empty(); }));
      SendMessageW(dialog, WM_CLOSE, 0, 0);
    });
    const auto records = app_.prompts.records();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].text.rfind("UDP port 9000 is in use by another program", 0), 0u) << records[0].text;
  }
  Show([](HWND dialog) {
    Click(dialog, IDC_AUTOIP_SEARCH);
    // the search holds the port while it runs
    EXPECT_TRUE(PumpUntil(PortInUse));
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  PortHolder after;
  EXPECT_TRUE(after.bound());
}

}  // namespace
