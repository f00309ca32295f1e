// The dialogs' test fixture: a TestContext on LPT1 in English (its pauses
// recorded), a scratch folder, and the fixed expectations every dialog shares.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ImagingDriver.h"
#include "prtbench/link/ConnectionSettings.h"
#include "support/Unix.h"

namespace imagingtest {

class ImagingTest : public testing::Test {
 protected:
  ImagingTest() : dir_(testsupport::MakeTempDir()) {
    app_.link.UpdateSettings([](prtbench::ConnectionSettings& s) {
      s.portType = prtbench::kPortLpt;
      s.lptName = "LPT1";
    });
    app_.shared.language = prtbench::Language::English;
  }

  std::string Status() const { return app_.shared.status.Get(); }
  // A picture file in the scratch folder; its Windows path.
  std::string Bmp(const std::string& name, const prtbench::DecodedImage& image) {
    return WriteBmp(dir_ + "/" + name, image);
  }
  // Makes the printer unreachable: LPT1 is closed and cannot be opened again.
  void LinkDown() {
    app_.devices.missingPaths.insert("LPT1");
    app_.link.CloseLpt();
  }

  // The texts of the first and the last message box ("" when none showed).
  std::string FirstMessage() const {
    const auto texts = app_.prompts.messages();
    return texts.empty() ? std::string() : texts.front();
  }
  std::string LastMessage() const {
    const auto texts = app_.prompts.messages();
    return texts.empty() ? std::string() : texts.back();
  }

  testsupport::TestContext app_;
  std::string dir_;
};

}  // namespace imagingtest
