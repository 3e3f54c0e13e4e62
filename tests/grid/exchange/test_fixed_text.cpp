// Fixed-width text and the aligned text table.
#include <gtest/gtest.h>

#include <cstdio>

#include "grid/model/RivErodovOzar.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

TEST(FixedWidthText, SaveFillsMissingWidthsAndLoadCutsAtPositions) {
  auto grid = MakeGrid(3, 3);
  grid->SaveFixedCells = false;
  grid->SetCells(1, 1, "abc");
  grid->SetCells(2, 1, "Ωμέγα");
  grid->SetCells(1, 2, "toolongtext");
  grid->SetCells(2, 2, "x");
  TIntList widths(0, 0);
  widths.Add(5);
  const String path = TempPath(".txt");
  grid->SaveToFixed(path, &widths);
  ASSERT_EQ(widths.Count(), 2);
  EXPECT_EQ(widths.Items(1), 6) << "the longest text of the column plus one";
  EXPECT_EQ(ReadBytes(path), "abc  Ωμέγα \r\ntoolox     \r\n") << "widths count characters";

  TIntList positions(0, 0);
  for (int p : {10, 1, 5}) positions.Add(p);
  WriteBytes(path, "ABCDEFGHIJKL\r\nab cdef\r\n");
  auto loaded = MakeGrid(3, 2);
  loaded->SaveFixedCells = false;
  loaded->LoadFromFixed(path, &positions, true, -1);
  EXPECT_EQ(positions.StrValue(), "1,5,10") << "the positions are sorted in place";
  EXPECT_EQ(loaded->ColCount(), 3);
  EXPECT_EQ(loaded->Cells(1, 1), "ABCD");
  EXPECT_EQ(loaded->Cells(2, 1), "EFGHI");
  EXPECT_EQ(loaded->Cells(1, 2), "ab c") << "trimmed: nothing to trim inside";
  EXPECT_EQ(loaded->Cells(2, 2), "def");

  auto one = MakeGrid(3, 2);
  one->SaveFixedCells = false;
  one->LoadFromFixed(path, &positions, true, 1);
  EXPECT_EQ(one->Cells(1, 2), "") << "MaxRows stops after that many lines";
  std::remove(path.c_str());
  EXPECT_THROW(one->LoadFromFixed(path, &positions, true, -1), ERivGridError);
}

TEST(AlignedText, ColumnsAlignAndMultiLineCellsContinueBelow) {
  auto grid = MakeGrid(3, 3);
  grid->SaveFixedCells = false;
  grid->Multilinecells = true;
  grid->SetCells(1, 1, "7");
  grid->SetCells(1, 2, "123");
  grid->SetCellAlignment(1, 1, taRightJustify);
  grid->SetCellAlignment(1, 2, taRightJustify);
  grid->SetCells(2, 1, "top\r\nmore");
  grid->SetCells(2, 2, "Ω");
  const String path = TempPath(".txt");
  grid->SaveToASCII(path);
  EXPECT_EQ(ReadBytes(path),
            "  7 top  \r\n"
            "    more \r\n"
            "123 Ω    \r\n");
  grid->AppendToASCII(path);
  EXPECT_EQ(ReadBytes(path).find("123 Ω    \r\n  7 top"), 22U) << "appended after the old lines";
  std::remove(path.c_str());
}

}  // namespace
