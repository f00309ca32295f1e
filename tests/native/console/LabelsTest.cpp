#include "prtbench/console/Labels.h"

#include <gtest/gtest.h>

#include <set>

#include "prtbench/res/resource.h"

TEST(MainWindowLabels, EachControlOnceWithBothTexts) {
  std::set<int> ids;
  for (const auto& label : prtbench::MainWindowLabels()) {
    EXPECT_TRUE(ids.insert(label.id).second) << label.id;
    EXPECT_FALSE(prtbench::MessageText(label.text, prtbench::Language::English).empty());
    EXPECT_FALSE(prtbench::MessageText(label.text, prtbench::Language::Chinese).empty());
  }
  EXPECT_EQ(ids.count(IDC_MAIN_PORT_USB), 0u);  // USB keeps its name
  EXPECT_EQ(ids.count(IDC_MAIN_SERIAL_WRITE), 0u);  // the serial number button keeps its write caption
}

TEST(MainWindowLabels, PrintButtonAndOddTextsAreKept) {
  for (const auto& label : prtbench::MainWindowLabels()) {
    if (label.id == IDC_MAIN_PRINT) {
      EXPECT_EQ(prtbench::MessageText(label.text, prtbench::Language::English), "Print");
      EXPECT_EQ(prtbench::MessageText(label.text, prtbench::Language::Chinese), "打印");
    }
    if (label.id == IDC_MAIN_NEW_ID_LABEL) {
      EXPECT_EQ(prtbench::MessageText(label.text, prtbench::Language::Chinese), "新的ID:");
    }
  }
}

TEST(Greeting, BothLanguagesEndWithCrLf) {
  for (auto text : {prtbench::TemplateGreeting(), prtbench::Greeting(prtbench::Language::English),
                    prtbench::Greeting(prtbench::Language::Chinese)}) {
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  }
}
