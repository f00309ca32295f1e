// The report of the COM ports a virtual serial port installation created.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "drvsetup/SerialPorts.h"

using namespace drvsetup;

TEST(SerialPorts, ReportsAddedPortsOfTheDeviceOnly) {
  const std::vector<SerialEntry> before{{"\\Device\\Serial0", "COM1"}, {"\\Device\\Serial1", "COM2"}};
  struct Case {
    std::string what;
    std::vector<SerialEntry> after;
    std::vector<std::string> devicePorts;
    std::optional<std::string> report;
  };
  const std::vector<Case> cases{
      {"nothing added", before, {"COM5"}, std::nullopt},
      {"one added", {before[0], before[1], {"\\Device\\VCP0", "COM5"}}, {"COM5"}, "The created COM port is:COM5;"},
      {"two of the device",
       {before[0], before[1], {"\\Device\\VCP0", "COM5"}, {"\\Device\\VCP1", "COM6"}},
       {"COM5", "COM6"},
       "The created COM port is:COM5;COM6;"},
      {"another device's port is not named",
       {before[0], before[1], {"\\Device\\VCP0", "COM5"}, {"\\Device\\Other", "COM9"}},
       {"COM5"},
       "The created COM port is:COM5;"},
      {"added but not of the device", {before[0], before[1], {"\\Device\\Other", "COM9"}}, {}, "The created COM port is:"},
      // the list order changed and a port left while one came: still found
      {"reordered with one gone", {{"\\Device\\VCP0", "COM5"}, before[1]}, {"COM5"}, "The created COM port is:COM5;"},
      {"a device port that existed before is not new", {before[0], before[1]}, {"COM2"}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(CreatedComPortsReport(before, c.after, c.devicePorts), c.report) << c.what;
}

TEST(SerialPorts, PackageInstallerByArchitectureBesideTheCurrentDirectory) {
  const std::vector<std::pair<std::string, PackageInstaller>> cases{
      {"x64", {R"(C:\Setup\Windows x64\DPInst64.exe)", R"(C:\Setup\Windows x64\)"}},
      {"x86", {R"(C:\Setup\Windows NT x86\DPInst32.exe)", R"(C:\Setup\Windows NT X86\)"}},
      {"Unknown", {R"(C:\Setup\Windows NT x86\DPInst32.exe)", R"(C:\Setup\Windows NT X86\)"}},
  };
  for (const auto& [architecture, installer] : cases) {
    EXPECT_EQ(PackageInstallerFor(R"(C:\Setup)", architecture), installer) << architecture;
  }
}
