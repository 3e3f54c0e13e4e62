// Merged ranges (growing over overlaps, following inserted, deleted and copied rows, split over
// records of 513 ranges) and column information (one entry per column, equal neighbours
// written as one record, nothing past column 255).
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUBiffColInfo.h"
#include "xls/vavUBiffOtherRecords.h"
#include "xls/vavUBiffRangeRecords.h"

using namespace xlstest;

namespace {

// Bytes a save writes, checked against the size counted for it.
template <class Save>
std::vector<Byte> Written(Int64 counted, Save save) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  save(file);
  EXPECT_EQ(file.Position(), counted);
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  stream.resize(static_cast<size_t>(counted));
  return stream;
}

TXlsCellRange Area(Integer left, Integer top, Integer right, Integer bottom) { return {left, top, right, bottom}; }

void Merge(TMergedCells& m, Integer r1, Integer c1, Integer r2, Integer c2) {
  m.PreMerge(r1, c1, c2, r2);
  m.MergeCells(r1, c1, c2, r2);
}

TEST(Merges, OverlappingMergesGrowIntoOne) {
  TMergedCells m;
  Merge(m, 0, 0, 1, 1);  // A1:B2
  Merge(m, 1, 1, 2, 2);  // B2:C3
  ASSERT_EQ(m.MergedCount(), 1);
  EXPECT_EQ(m.MergedCell(0), Area(0, 0, 2, 2));  // A1:C3
  TXlsCellRange bounds;
  EXPECT_TRUE(m.CheckCell(2, 1, bounds));
  EXPECT_EQ(bounds, Area(0, 0, 2, 2));
  EXPECT_FALSE(m.CheckCell(3, 0, bounds));
  // A single cell or an area past the last row adds nothing.
  Merge(m, 5, 5, 5, 5);
  m.MergeCells(10, 0, 1, 65536);
  EXPECT_EQ(m.MergedCount(), 1);
  m.UnMergeCells(0, 0, 2, 2);
  EXPECT_EQ(m.MergedCount(), 0);
}

TEST(Merges, SixHundredRangesAreTwoRecords) {
  TMergedCells m;
  for (Integer i = 0; i < 600; ++i) m.MergeCells(2 * i % 65000, 0, 1, 2 * i % 65000 + 1);
  const Int64 size = m.TotalSize();
  EXPECT_EQ(size, 4 + 4106 + 4 + 698);
  auto bytes = Written(size, [&](TOle2File& f) { m.SaveToStream(f); });
  EXPECT_EQ(GetWord(bytes, 0), 0x00E5);
  EXPECT_EQ(GetWord(bytes, 2), 4106);
  EXPECT_EQ(GetWord(bytes, 4), 513);
  EXPECT_EQ(GetWord(bytes, 4110), 0x00E5);
  EXPECT_EQ(GetWord(bytes, 4112), 698);
  EXPECT_EQ(GetWord(bytes, 4114), 87);

  // Read back through the record reader's classes.
  TMergedCells loaded;
  auto first = std::make_unique<TCellMergingRecord>(0x00E5, ArrayOfByte(bytes.begin() + 4, bytes.begin() + 4110));
  loaded.LoadFromStream(std::move(first));
  ASSERT_EQ(loaded.MergedCount(), 513);
  EXPECT_EQ(loaded.MergedCell(1), m.MergedCell(1));

  TMergedCells empty;
  EXPECT_EQ(empty.TotalSize(), 0);
  // Only the areas wholly inside a save range are written.
  const Int64 part = m.TotalRangeSize(Area(0, 0, 1, 9));
  EXPECT_EQ(part, 4 + 2 + 5 * 8);
  auto some = Written(part, [&](TOle2File& f) { m.SaveRangeToStream(f, Area(0, 0, 1, 9)); });
  EXPECT_EQ(GetWord(some, 4), 5);
}

TEST(Merges, RowsInsertedDeletedAndCopied) {
  TSheetInfo info;
  TMergedCells m;
  m.MergeCells(2, 0, 1, 3);   // A3:B4
  m.MergeCells(1, 0, 1, 4);   // A2:B5
  m.MergeCells(3, 0, 0, 4);   // A4:A5
  m.DeleteRowsOrCols(2, 2, false, info);  // rows 3-4
  ASSERT_EQ(m.MergedCount(), 1);
  EXPECT_EQ(m.MergedCell(0), Area(0, 1, 1, 2));  // A2:B3

  TMergedCells ins;
  ins.MergeCells(11, 0, 1, 12);  // A12:B13
  ins.MergeCells(4, 0, 1, 19);   // A5:B20
  ins.InsertAndCopyRowsOrCols(0, 2, false, info, 0, 10);  // no copies
  ins.RangeValuesList->ArrangeInsertRowsAndCols(10, 3, 0, 0);
  EXPECT_EQ(ins.MergedCell(0), Area(0, 14, 1, 15));
  EXPECT_EQ(ins.MergedCell(1), Area(0, 4, 1, 22));

  TMergedCells copy;
  copy.MergeCells(0, 0, 1, 1);  // A1:B2
  copy.InsertAndCopyRowsOrCols(0, 1, false, info, 2, 2);
  ASSERT_EQ(copy.MergedCount(), 3);
  EXPECT_EQ(copy.MergedCell(1), Area(0, 2, 1, 3));
  EXPECT_EQ(copy.MergedCell(2), Area(0, 4, 1, 5));
}

std::unique_ptr<TColInfoRecord> ColInfo(Word first, Word last, Word width, Word xf = 15, Word options = 0) {
  return std::make_unique<TColInfoRecord>(
      0x007D, Join({Bytes16(first), Bytes16(last), Bytes16(width), Bytes16(xf), Bytes16(options), Bytes16(0)}));
}

std::vector<std::array<Word, 3>> Records(const std::vector<Byte>& bytes) {
  std::vector<std::array<Word, 3>> out;
  for (size_t p = 0; p + 16 <= bytes.size(); p += 16) {
    EXPECT_EQ(GetWord(bytes, p), 0x007D);
    EXPECT_EQ(GetWord(bytes, p + 2), 12);
    out.push_back({GetWord(bytes, p + 4), GetWord(bytes, p + 6), GetWord(bytes, p + 8)});
  }
  return out;
}

std::vector<std::array<Word, 3>> Saved(TColInfoList& list) {
  return Records(Written(list.TotalSize(), [&](TOle2File& f) { list.SaveToStream(f); }));
}

TEST(ColumnInfo, RunsOfEqualColumnsJoin) {
  TColInfoList list;
  list.AddRecord(ColInfo(2, 4, 3000));
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(Saved(list), (std::vector<std::array<Word, 3>>{{2, 4, 3000}}));

  TColInfoList gaps;
  gaps.AddRecord(ColInfo(5, 5, 3000));
  gaps.AddRecord(ColInfo(2, 3, 3000));
  gaps.AddRecord(ColInfo(7, 7, 2000));
  gaps.AddRecord(ColInfo(8, 8, 2100));
  EXPECT_EQ(Saved(gaps), (std::vector<std::array<Word, 3>>{{2, 3, 3000}, {5, 5, 3000}, {7, 7, 2000}, {8, 8, 2100}}));

  TColInfoList range;
  range.AddRecord(ColInfo(0, 20, 1000));
  EXPECT_EQ(range.TotalRangeSize(Area(5, 0, 9, 0)), 16);
  auto bytes = Written(16, [&](TOle2File& f) { range.SaveRangeToStream(f, Area(5, 0, 9, 0)); });
  EXPECT_EQ(Records(bytes), (std::vector<std::array<Word, 3>>{{5, 9, 1000}}));
  EXPECT_EQ(range.TotalRangeSize(Area(30, 0, 40, 0)), 0);
}

TEST(ColumnInfo, NothingPastColumn255IsWritten) {
  TColInfoList list;
  list.AddRecord(ColInfo(254, 255, 900));
  list.Add(std::make_unique<TColInfo>(256, 900, 15, 0));
  list.Add(std::make_unique<TColInfo>(300, 900, 15, 0));
  EXPECT_EQ(Saved(list), (std::vector<std::array<Word, 3>>{{254, 255, 900}}));
  EXPECT_EQ(list.TotalSize(), 16);
  // A record from a damaged file that runs past the last column is cut there.
  TColInfoList damaged;
  damaged.AddRecord(ColInfo(250, 65535, 900));
  EXPECT_EQ(damaged.Count(), 6);
}

TEST(ColumnInfo, FindCopyInsertAndOutline) {
  TColInfoList list;
  list.AddRecord(ColInfo(5, 5, 500));
  list.AddRecord(ColInfo(1, 2, 100));
  Integer index = 0;
  EXPECT_FALSE(list.Find(3, index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(list.Find(5, index));

  TSheetInfo info;
  list.Add(std::make_unique<TColInfo>(11, 999, 15, 0));
  list.CopyCols(1, 2, 10, 2, info);
  std::vector<std::pair<Word, Word>> got;
  list.Sort();
  for (Integer i = 0; i < list.Count(); ++i) got.push_back({list[i]->Column, list[i]->Width});
  EXPECT_EQ(got, (std::vector<std::pair<Word, Word>>{{1, 100}, {2, 100}, {5, 500}, {10, 100}, {11, 100}, {12, 100}, {13, 100}}));

  list.ArrangeInsertCols(5, 3, info);
  EXPECT_TRUE(list.Find(8, index));
  EXPECT_FALSE(list.Find(5, index));

  TColInfo c(0, 0, 0, 0);
  c.SetColOutlineLevel(9);
  EXPECT_EQ(c.GetColOutlineLevel(), 1);
  c.SetColOutlineLevel(3);
  list.Add(std::make_unique<TColInfo>(c));
  TGutsRecord guts(0x0080, ArrayOfByte(8, 0));
  list.CalcGuts(guts);
  EXPECT_EQ(guts.ColLevel(), 4);
}

}  // namespace
