// The grid's own line format in files and streams, and AssignCells.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "classlib/Streams.h"
#include "grid/model/RivErodovOzar.h"
#include "ExchangeFixture.h"

namespace {

using namespace exchange;

// Texts that a format must carry: tabs, line breaks of each kind, quotes, commas, non-Latin.
const std::vector<String> kTexts = {"plain", "tab\there", "two\r\nlines", "lone\nLF", "\"quoted\", with comma",
                                    "Ωμέγα 漢字 😀", "trailing space ", "3,14"};

void FillTexts(TRivErodovOzar& Grid) {
  for (size_t i = 0; i < kTexts.size(); ++i)
    Grid.SetCells(static_cast<int>(1 + i % 3), static_cast<int>(1 + i / 3), kTexts[i]);
}

TEST(OwnTextFormat, FileRoundTripKeepsTextsPositionsGapsAndWidths) {
  for (const bool unicode : {false, true}) {
    auto source = MakeGrid(4, 5);
    source->Multilinecells = true;
    FillTexts(*source);
    source->SetColWidths(2, 123);
    const String path = TempPath(".txt");
    source->SaveToFile(path, unicode);
    EXPECT_EQ(ReadBytes(path).rfind("\xFF\xFE", 0) == 0, unicode) << "byte-order mark only with Unicode";

    auto target = MakeGrid(1, 1);
    target->Multilinecells = true;
    target->SetCells(0, 0, "kept");
    target->SetCells(3, 3, "gap stays");
    target->LoadFromFile(path);
    EXPECT_EQ(target->ColCount(), 4);
    EXPECT_EQ(target->RowCount(), 5);
    EXPECT_EQ(target->ColWidths(2), 123);
    for (size_t i = 0; i < kTexts.size(); ++i)
      EXPECT_EQ(target->Cells(static_cast<int>(1 + i % 3), static_cast<int>(1 + i / 3)), kTexts[i]) << i << unicode;
    EXPECT_EQ(target->Cells(0, 0), "kept") << "an empty cell has no line and leaves the loading grid's cell";
    std::remove(path.c_str());
  }
}

TEST(OwnTextFormat, MultiLineCellsAndTheirDocumentedLimits) {
  auto source = MakeGrid(2, 2);
  source->SetCells(0, 0, "first\r\nsecond");
  source->SetCells(1, 0, "tab\tand\r\nbreak");
  source->SetCells(1, 1, "tab\tonly");
  const String path = TempPath(".txt");
  source->SaveToFile(path);

  auto single = MakeGrid(1, 1);
  single->LoadFromFile(path);
  EXPECT_EQ(single->Cells(0, 0), "first") << "without Multilinecells only the first line";

  auto multi = MakeGrid(1, 1);
  multi->Multilinecells = true;
  multi->LoadFromFile(path);
  EXPECT_EQ(multi->Cells(0, 0), "first\r\nsecond");
  EXPECT_EQ(multi->Cells(1, 0), "tab\rand\r\nbreak") << "a TAB in a multi-line text comes back as CR";
  EXPECT_EQ(multi->Cells(1, 1), "tab\tonly");
  std::remove(path.c_str());
}

TEST(OwnTextFormat, FileErrors) {
  auto grid = MakeGrid(3, 3);
  const String path = TempPath(".txt");
  std::ofstream(path, std::ios::binary) << "0,0\r\n0,0,x\r\n";
  grid->SaveFixedCells = true;
  EXPECT_THROW(grid->LoadFromFile(path), ERivGridError);
  EXPECT_EQ(grid->ColCount(), 3) << "a refused file leaves the grid's size";

  // An empty first line keeps the dimensions and still loads the cells that fit.
  std::ofstream(path, std::ios::binary) << "\r\n1,1,in\r\n9,9,out\r\ncw 0,40\r\n";
  grid->SetColCount(3);
  grid->SetRowCount(3);
  grid->LoadFromFile(path);
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(grid->Cells(1, 1), "in");
  EXPECT_EQ(grid->ColWidths(0), 40);
  std::remove(path.c_str());
  EXPECT_THROW(grid->LoadFromFile(path), EFOpenError);
}

TEST(OwnTextFormat, StreamRoundTripIsRelativeAndStopsBeforeForeignData) {
  auto source = MakeGrid(4, 4);
  source->SaveFixedCells = false;
  source->Multilinecells = true;
  source->SetCells(0, 0, "fixed, not saved");
  source->SetCells(1, 1, "a\r\nb");
  source->SetCells(3, 2, "Ωμέγα");
  TMemoryStream stream;
  source->SaveToStream(&stream);
  const Int64 gridEnd = stream.Position();
  stream.WriteString("TRAILER");
  stream.SetPosition(0);

  auto target = MakeGrid(2, 2);
  target->SaveFixedCells = false;
  target->Multilinecells = true;
  target->LoadFromStream(&stream);
  EXPECT_EQ(stream.Position(), gridEnd) << "the stream stands at the data after the grid's lines";
  EXPECT_EQ(target->ColCount(), 4);
  EXPECT_EQ(target->RowCount(), 4);
  EXPECT_EQ(target->Cells(1, 1), "a\r\nb");
  EXPECT_EQ(target->Cells(3, 2), "Ωμέγα");
  EXPECT_EQ(target->Cells(0, 0), "");
}

TEST(OwnTextFormat, MalformedStreamNumbersRaise) {
  TStringStream stream(String("x\0,\0" "1\0\r\0\n\0", 10));
  auto grid = MakeGrid(2, 2);
  EXPECT_THROW(grid->LoadFromStream(&stream), EConvertError);
}

TEST(AssignCellsTest, CopiesTextsPropertiesGraphicsAndSizes) {
  auto source = MakeGrid(3, 3);
  source->SetCells(1, 1, "a\tb\r\nc");
  source->SetCellBackColor(1, 1, clRed);
  source->SetColWidths(1, 99);
  source->SetRowHeights(2, 41);
  source->AddCheckBox(2, 2, true, false);
  auto target = MakeGrid(1, 1);
  target->AssignCells(source.get());
  EXPECT_EQ(target->Cells(1, 1), "a\tb\r\nc");
  EXPECT_EQ(target->GetCellBackColor(1, 1), clRed);
  EXPECT_EQ(target->ColWidths(1), 99);
  EXPECT_EQ(target->RowHeights(2), 41);
  bool state = false;
  EXPECT_TRUE(target->GetCheckBoxState(2, 2, state));
  EXPECT_TRUE(state);
}

}  // namespace
