// The accepted vendor table, slot 0 from the program's name, keys of device paths.
#include "fwflash/Vendors.h"

#include <gtest/gtest.h>

namespace {

using fwflash::AcceptedVendors;
using fwflash::VendorKeyFromProgramName;

TEST(AcceptedVendors, StartsWithTheFixedKeys) {
  const AcceptedVendors vendors;
  const std::vector<std::string> expected = {"vid_XXXX", "vid_067b", "vid_0416", "vid_1cbe", "vid_0483",
                                             "vid_0471", "vid_1FC9", "vid_314B", "vid_2D84", ""};
  for (size_t i = 0; i < AcceptedVendors::kSlots; ++i) EXPECT_EQ(vendors.Slot(i), expected[i]) << i;
}

TEST(AcceptedVendors, MatchIgnoresLetterCase) {
  const AcceptedVendors vendors;
  EXPECT_TRUE(vendors.Matches("vid_0483"));
  EXPECT_TRUE(vendors.Matches("VID_1fc9"));
  EXPECT_TRUE(vendors.Matches("vid_2d84"));
  EXPECT_TRUE(vendors.Matches("VID_067B"));
  EXPECT_FALSE(vendors.Matches("vid_0519"));
  EXPECT_FALSE(vendors.Matches("vid_048"));
  EXPECT_FALSE(vendors.Matches("vid_04830"));
}

TEST(AcceptedVendors, EmptySlotMatchesNothing) {
  const AcceptedVendors vendors;
  EXPECT_FALSE(vendors.Matches(""));
}

TEST(AcceptedVendors, Slot0TakesTheKeyFromTheName) {
  AcceptedVendors vendors;
  EXPECT_FALSE(vendors.Matches("vid_0519"));
  vendors.SetSlot0("vid_0519");
  EXPECT_EQ(vendors.Slot(0), "vid_0519");
  EXPECT_TRUE(vendors.Matches("VID_0519"));
}

TEST(ProgramName, StemDropsFolderAndExtension) {
  EXPECT_EQ(fwflash::ProgramStem(u"C:\\kit\\myTitle\\fwflash_vid_0519.exe"), u"fwflash_vid_0519");
  EXPECT_EQ(fwflash::ProgramStem(u"Z:/tmp/x.y/fwflash.exe"), u"fwflash");
  EXPECT_EQ(fwflash::ProgramStem(u"fwflash"), u"fwflash");
  EXPECT_EQ(fwflash::ProgramStem(u"C:\\a.b\\tool_vid_0519.v2.exe"), u"tool_vid_0519.v2");
}

TEST(ProgramName, KeyIsTheEightCharactersFromTheFirstVid) {
  EXPECT_EQ(VendorKeyFromProgramName(u"fwflash_vid_0519"), "vid_0519");
  EXPECT_EQ(VendorKeyFromProgramName(u"vid_1234_vid_5678"), "vid_1234");
  EXPECT_EQ(VendorKeyFromProgramName(u"fwflash_vid_0519_pid_0001"), "vid_0519");
  EXPECT_EQ(VendorKeyFromProgramName(u"fwflash"), std::nullopt);
  EXPECT_EQ(VendorKeyFromProgramName(u"fwflash_VID_0519"), std::nullopt);  // "vid_" is looked up as written
}

TEST(ProgramName, VidTooCloseToTheEndGivesNoKey) {
  EXPECT_EQ(VendorKeyFromProgramName(u"fwflash_vid_051"), std::nullopt);
  EXPECT_EQ(VendorKeyFromProgramName(u"fwflash_vid_"), std::nullopt);
  EXPECT_EQ(VendorKeyFromProgramName(u"vid_"), std::nullopt);
  EXPECT_EQ(VendorKeyFromProgramName(u"vid_0519"), "vid_0519");  // exactly eight characters is enough
}

TEST(ProgramName, EachCharacterIsReducedToItsLowByte) {
  // U+0130 and U+0131 have the low bytes 0x30 ('0') and 0x31 ('1')
  EXPECT_EQ(VendorKeyFromProgramName(u"vid_\u01305\u01319"), "vid_0519");
}

TEST(DeviceVendorKey, IsCharacters8To15OfThePath) {
  EXPECT_EQ(fwflash::DeviceVendorKey("\\\\?\\usb#vid_0483&pid_5720#6&2b1b9f2e&0&1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}"),
            "vid_0483");
  EXPECT_EQ(fwflash::DeviceVendorKey("\\\\?\\usb#vid_048"), std::nullopt);
  EXPECT_EQ(fwflash::DeviceVendorKey("\\\\?\\usb#vid_0483"), "vid_0483");
}

}  // namespace
