// The allocation tables as units of their own: chains followed and checked, and the find
// cache that makes sequential reading cost one link per sector.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUOle2FAT.h"

using namespace xlstest;

namespace {

TEST(Ole2Tables, ChainsAreFollowedAndChecked) {
  TOle2FAT fat;
  fat.Entries = {1, 2, -2, 0, 3};  // 0 -> 1 -> 2 -> end; 4 -> 3 -> 0 -> ...
  EXPECT_EQ(fat.FollowChain(0, 0, true, 5), (std::vector<Integer>{0, 1, 2}));
  EXPECT_EQ(fat.FollowChain(4, 3, false, 5), (std::vector<Integer>{4, 3, 0}));
  EXPECT_EQ(fat.FollowChain(4, 0, true, 5), (std::vector<Integer>{4, 3, 0, 1, 2}));
  EXPECT_EQ(MessageOf([&] { fat.FollowChain(4, 0, true, 4); }), "Error reading Excel records. File invalid");
  EXPECT_EQ(MessageOf([&] { fat.FollowChain(0, 6, false, 5); }), "Error reading Excel records. File invalid");
  fat.Entries = {1, 0};  // a cycle
  EXPECT_EQ(MessageOf([&] { fat.FollowChain(0, 0, true, 2); }), "Error reading Excel records. File invalid");

  TOle2MiniFAT mini;
  mini.Entries = {2, -2, 1};
  EXPECT_EQ(mini.FollowChain(0, 3, 3), (std::vector<Integer>{0, 2, 1}));
  EXPECT_EQ(MessageOf([&] { mini.FollowChain(0, 3, 2); }), "Error reading Excel records. File invalid");
  EXPECT_EQ(mini.FindSector(0, 2), 1);
}

TEST(Ole2Tables, FindSectorWalksOnFromItsLastAnswer) {
  TOle2FAT fat;
  for (Integer i = 0; i < 1000; ++i) fat.Entries.push_back(i + 1);
  fat.Entries.back() = -2;
  for (Integer k = 0; k < 1000; ++k) ASSERT_EQ(fat.FindSector(0, k), k);
  EXPECT_EQ(fat.FindSector(0, 10), 10);  // going back starts again from the chain's start
  EXPECT_EQ(fat.FindSector(5, 3), 8);
  EXPECT_EQ(MessageOf([&] { fat.FindSector(0, 1001); }), "Error reading Excel records. File invalid");
}

}  // namespace
