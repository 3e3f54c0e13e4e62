// Column widths and order in INI files and the registry stand-in, and column-state strings.
#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/IniFiles.h"
#include "classlib/Registry.h"
#include "grid/model/RivErodovOzar.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

TEST(ColumnStates, StringListsCountWidthsOrderAndVisibility) {
  auto grid = MakeGrid(4, 2);
  for (int c = 0; c < 4; ++c) grid->SetColWidths(c, c == 1 ? 80 : c == 3 ? 120 : 64);
  EXPECT_EQ(grid->ColumnStatesToString(), "4#64,80,64,120#0,1,2,3#1,1,1,1");

  grid->HideColumn(2);
  const String states = grid->ColumnStatesToString();
  EXPECT_EQ(states.substr(states.rfind('#')), "#1,1,0,1");
  auto other = MakeGrid(2, 2);
  other->StringToColumnStates(states);
  EXPECT_EQ(other->AllColCount(), 4);
  EXPECT_TRUE(other->IsHiddenColumn(2));
  EXPECT_EQ(other->ColWidths(1), 80);

  auto untouched = MakeGrid(3, 2);
  untouched->StringToColumnStates("no separator");
  EXPECT_EQ(untouched->ColCount(), 3);
  EXPECT_THROW(untouched->StringToColumnStates("x#1#0#1"), EConvertError);
  EXPECT_EQ(untouched->ColCount(), 3) << "a damaged string changes nothing";
}

TEST(ColumnStates, WidthsInAnIniFileAndTheRegistry) {
  const String ini = TempPath(".ini");
  const String registry = TempPath(".reg");
  TRegistry::SetStoreFileName(registry);
  for (const TColumnSizeLocation location : {clIniFile, clRegistry}) {
    auto grid = MakeGrid(3, 2);
    grid->ColumnSize()->Location = location;
    grid->ColumnSize()->Key = location == clIniFile ? ini : String("Software\\Zorvan\\Test");
    grid->ColumnSize()->Section = "Grid";
    grid->SetColWidths(1, 111);
    grid->SaveColSizes();
    auto loaded = MakeGrid(3, 2);
    loaded->ColumnSize()->Assign(grid->ColumnSize());
    loaded->LoadColSizes();
    EXPECT_EQ(loaded->ColWidths(1), 111) << location;
    EXPECT_EQ(loaded->ColWidths(2), grid->ColWidths(2)) << location;
  }
  // A section holding only the first column's width changes only the first column.
  WriteBytes(ini, "[Only]\r\nCol0=33\r\n");
  auto grid = MakeGrid(3, 2);
  grid->ColumnSize()->Location = clIniFile;
  grid->ColumnSize()->Key = ini;
  grid->ColumnSize()->Section = "Only";
  const int before = grid->ColWidths(1);
  grid->LoadColSizes();
  EXPECT_EQ(grid->ColWidths(0), 33);
  EXPECT_EQ(grid->ColWidths(1), before);
  TRegistry::SetStoreFileName("");
  std::remove(ini.c_str());
  std::remove(registry.c_str());
}

TEST(ColumnStates, SaveFlagKeepsWidthsFromOneGridToTheNext) {
  const String ini = TempPath(".ini");
  auto configure = [&](TRivErodovOzar& G) {
    G.ColumnSize()->Save = true;
    G.ColumnSize()->Location = clIniFile;
    G.ColumnSize()->Key = ini;
    G.ColumnSize()->Section = "Kept";
  };
  {
    auto grid = MakeGrid(3, 2);
    configure(*grid);
    grid->SetColWidths(2, 150);
  }
  auto next = MakeGrid(3, 2);
  configure(*next);
  next->Loaded();
  EXPECT_EQ(next->ColWidths(2), 150);
  std::remove(ini.c_str());
}

}  // namespace
