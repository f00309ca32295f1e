// The release package of the build under test, as scripts/package.sh leaves
// it in KIT_PACKAGE (build/package/<preset>): the whole-program tests run the
// programs from it, unzipped where a technician might put it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/Unix.h"

namespace e2e {

// Spaces and a letter outside ASCII, as in a folder a technician names.
inline constexpr char kKitFolder[] = "Kit de impressão";

// The shipped package, of the i686 build, beside this build's: scripts/test.sh
// makes it on every machine, also where only this build's programs can run.
inline std::string ShippedPackage() {
  const std::string package = testsupport::Env("KIT_PACKAGE");
  return package.substr(0, package.rfind('/')) + "/windows";
}

// The zip of `package` (a folder scripts/package.sh filled) unpacked into a
// fresh "<temp>/Kit de impressão"; its Unix path, or "" (with a test failure)
// when there is no package.
inline std::string UnpackKit(const std::string& package = testsupport::Env("KIT_PACKAGE")) {
  const std::string dir = testsupport::MakeTempDir() + "/" + kKitFolder;
  const std::string q = testsupport::ShellQuote(dir);
  const std::string zip = testsupport::ShellQuote(package) + "/receipt-kit-*.zip";
  // the zip holds one folder named as the package: its contents go up one level
  const int status = testsupport::RunShell("mkdir -p " + q + " && cd " + q + " && cmake -E tar xf " + zip +
                                               " && mv receipt-kit-*/* . && rmdir receipt-kit-*",
                                           30000);
  if (status != 0) {
    ADD_FAILURE() << "no package in '" << package << "': run scripts/package.sh for its preset";
    return {};
  }
  return dir;
}

// The installer of the package; its Unix path.
inline std::string SetupProgram() {
  const std::string list = testsupport::MakeTempDir() + "/setup";
  testsupport::RunShell("ls " + testsupport::ShellQuote(testsupport::Env("KIT_PACKAGE")) +
                        "/receipt-kit-*-setup.exe >" + testsupport::ShellQuote(list));
  std::string path = testsupport::ReadFile(list);
  while (!path.empty() && path.back() == '\n') path.pop_back();
  return path;
}

}  // namespace e2e
