// Constant cells: the RK encoding in both directions (table and a million random doubles read
// back bit for bit), Boolean and error cells, the expansion of MULRK and MULBLANK, and the
// joining of blank and RK runs when a row is saved.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "XlsTestHelpers.h"
#include "xls/vavUBiffBaseRecordLists.h"
#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffRecordFactory.h"

using namespace xlstest;

namespace {

TEST(CellValues, RKTable) {
  struct Case {
    double value;
    bool encodable;
    Cardinal rk;
  } cases[] = {
      {1.0, true, 0x3FF00000},        {1.5, true, 0x3FF80000},        {-1.0, true, 0xBFF00000},
      {0.0, true, 0x00000000},        {0.1, true, 0x40240001},        {12.34, true, 0x40934801},
      {1048577, true, 0x00400006},    {123456789, true, 0x1D6F3456},  {-536870912, true, 0xC1C00000},
      {-536870913, false, 0},         {3.14159, false, 0},            {1e300, false, 0},
  };
  for (const auto& c : cases) {
    Cardinal rk = 0;
    ASSERT_EQ(EncodeRK(c.value, rk), c.encodable) << c.value;
    if (!c.encodable) continue;
    EXPECT_EQ(rk, c.rk) << c.value;
    EXPECT_EQ(std::bit_cast<uint64_t>(DecodeRK(rk)), std::bit_cast<uint64_t>(c.value)) << c.value;
  }
  EXPECT_EQ(DecodeRK(0x00400006), 1048577.0);
  EXPECT_EQ(DecodeRK(0x40934801), 12.34);
  EXPECT_EQ(DecodeRK(0), 0.0);
}

// Stores a double as a cell would (RK when encodable, else NUMBER) and reads the record back.
double StoreAndRead(double x) {
  std::unique_ptr<TCellRecord> cell;
  if (IsRKEncodable(x)) cell = TRKRecord::CreateFromData(0, 0, 15);
  else cell = TNumberRecord::CreateFromData(0, 0, 15);
  cell->SetValue(Variant(x));
  auto copy = CreateRecord(cell->Id, cell->Data);
  return static_cast<TCellRecord*>(copy.get())->GetValue().AsDouble();
}

TEST(CellValues, MillionRandomDoublesReadBackBitIdentical) {
  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int> kind(0, 5);
  int rk = 0, mismatches = 0;
  for (int i = 0; i < 1000000; ++i) {
    double x = 0;
    switch (kind(rng)) {
      case 0: x = std::bit_cast<double>(rng()); break;                                          // any bit pattern
      case 1: x = static_cast<double>(static_cast<int64_t>(rng() % 2000000000) - 1000000000); break;  // integers
      case 2: x = static_cast<double>(static_cast<int64_t>(rng() % 20000001) - 10000000) / 100.0; break;  // cents
      case 3: x = std::bit_cast<double>(rng() & 0xFFFFFFFC00000000ull); break;                 // RK-shaped doubles
      case 4: x = std::nextafter(static_cast<double>(static_cast<int64_t>(rng() % 20001)) / 100.0, 1e9); break;
      default: x = std::ldexp(static_cast<double>(rng() >> 11), -static_cast<int>(rng() % 80)); break;
    }
    if (IsRKEncodable(x)) ++rk;
    double back = StoreAndRead(x);
    if (std::bit_cast<uint64_t>(back) != std::bit_cast<uint64_t>(x)) ++mismatches;
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(rk, 300000);  // the RK path is exercised, not just NUMBER
}

TEST(CellValues, HundredthsThatDoNotReadBackAreNotRK) {
  // 0.07 + one step: times 100 it rounds to 7, whose hundredth is 0.07 itself, not this value.
  const double x = std::nextafter(0.07, 1.0);
  EXPECT_FALSE(IsRKEncodable(x));
  auto rk = TRKRecord::CreateFromData(0, 0, 15);
  EXPECT_EQ(MessageOf([&] { rk->SetValue(Variant(x)); }), "Invalid cell value: \"0.07\"");
}

TEST(CellValues, BoolErrValues) {
  auto cell = TBoolErrRecord::CreateFromData(0, 0, 15);
  cell->SetValue(Variant(true));
  EXPECT_EQ(cell->Data[6], 1);
  EXPECT_EQ(cell->Data[7], 0);
  EXPECT_EQ(cell->GetValue().VType(), varBoolean);
  EXPECT_TRUE(cell->GetValue().AsBoolean());

  const char* texts[] = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"};
  const Byte codes[] = {0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A};
  for (int i = 0; i < 7; ++i) {
    cell->SetValue(Variant(String(texts[i])));
    EXPECT_EQ(cell->Data[6], codes[i]);
    EXPECT_EQ(cell->Data[7], 1);
    EXPECT_EQ(cell->GetValue().AsString(), texts[i]);
  }
  cell->Data[6] = 0x99;
  EXPECT_EQ(cell->GetValue().AsString(), "#NULL!");

  cell->SetValue(Variant(false));
  EXPECT_EQ(MessageOf([&] { cell->SetValue(Variant(String("#OOPS"))); }), "Invalid cell error code: \"#OOPS\"");
  EXPECT_EQ(MessageOf([&] { cell->SetValue(Variant::Null()); }), "Invalid cell value: \"\"");
  EXPECT_EQ(MessageOf([&] { cell->SetValue(Variant(2.5)); }), "Invalid cell value: \"2.5\"");
  EXPECT_FALSE(cell->GetValue().AsBoolean());  // unchanged by the refusals
  EXPECT_EQ(cell->Data[7], 0);
}

TEST(CellValues, ShortCellRecordsAreRefused) {
  EXPECT_EQ(MessageOf([] { CreateRecord(0x0203, ArrayOfByte(3)); }), "Record with ID 0x203 is invalid");
  EXPECT_EQ(MessageOf([] { CreateRecord(0x0203, ArrayOfByte(13)); }), "Record with ID 0x203 is invalid");
  EXPECT_EQ(MessageOf([] { CreateRecord(0x0205, ArrayOfByte(7)); }), "Record with ID 0x205 is invalid");
  EXPECT_EQ(MessageOf([] { CreateRecord(0x027E, ArrayOfByte(9)); }), "Record with ID 0x27E is invalid");
  EXPECT_EQ(MessageOf([] { CreateRecord(0x0201, ArrayOfByte(5)); }), "Record with ID 0x201 is invalid");
}

std::vector<std::unique_ptr<TCellRecord>> Expand(TMultipleValueRecord& r) {
  std::vector<std::unique_ptr<TCellRecord>> cells;
  while (!r.Eof()) {
    auto c = r.ExtractOneRecord();
    if (c) cells.push_back(std::move(c));
  }
  return cells;
}

TEST(CellValues, MultiCellRecordsExpandIntoSingleCells) {
  // MULRK: row 3, first column 2, three cells, last column 4.
  auto mulrk = CreateRecord(0x00BD, Join({Bytes16(3), Bytes16(2), Bytes16(20), Bytes32(0x3FF00000), Bytes16(21),
                                          Bytes32(0x40934801), Bytes16(22), Bytes32(0x00400006), Bytes16(4)}));
  auto cells = Expand(*static_cast<TMultipleValueRecord*>(mulrk.get()));
  ASSERT_EQ(cells.size(), 3u);
  const double values[] = {1.0, 12.34, 1048577.0};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(cells[i]->Id, 0x027E);
    EXPECT_EQ(cells[i]->Row(), 3);
    EXPECT_EQ(cells[i]->Column(), 2 + i);
    EXPECT_EQ(cells[i]->XF(), 20 + i);
    EXPECT_EQ(cells[i]->GetValue().AsDouble(), values[i]);
  }
  auto mulblank = CreateRecord(0x00BE, Join({Bytes16(1), Bytes16(5), Bytes16(30), Bytes16(31), Bytes16(6)}));
  cells = Expand(*static_cast<TMultipleValueRecord*>(mulblank.get()));
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[1]->Column(), 6);
  EXPECT_EQ(cells[1]->XF(), 31);
  EXPECT_EQ(cells[1]->Id, 0x0201);

  // A run from a damaged file that would pass column 255 stops at 255.
  std::vector<Byte> wide = Join({Bytes16(0), Bytes16(250)});
  for (int i = 0; i < 20; ++i) wide = Join({wide, Bytes16(15)});
  auto damaged = CreateRecord(0x00BE, Join({wide, Bytes16(269)}));
  cells = Expand(*static_cast<TMultipleValueRecord*>(damaged.get()));
  ASSERT_EQ(cells.size(), 6u);
  EXPECT_EQ(cells.back()->Column(), 255);
}

// Saves a row's cells for a range and gives the records written (header and data).
std::vector<Byte> SaveRow(const TCellRecordList& row, const TXlsCellRange& range, Int64& counted) {
  std::vector<std::unique_ptr<TBaseRecord>> none;
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  counted = row.TotalRangeSize(range, false);
  row.SaveRangeToStream(file, range);
  EXPECT_EQ(file.Position(), counted);
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  stream.resize(static_cast<size_t>(counted));
  return stream;
}

std::unique_ptr<TRKRecord> RK(Word col, double v) {
  auto r = TRKRecord::CreateFromData(0, col, 15);
  r->SetValue(Variant(v));
  return r;
}

TEST(CellValues, RunsOfRKAndBlankCellsJoinWhenSaved) {
  const TXlsCellRange all = TCellRecordList::WholeSheet;
  Int64 size = 0;
  {
    TCellRecordList row;
    row.Add(RK(4, 3));
    row.Add(RK(2, 1));
    row.Add(RK(3, 2));
    row.Sort();
    auto bytes = SaveRow(row, all, size);
    EXPECT_EQ(size, 28);
    EXPECT_EQ(bytes, Join({Bytes16(0x00BD), Bytes16(24), Bytes16(0), Bytes16(2), Bytes16(15), Bytes32(0x3FF00000),
                           Bytes16(15), Bytes32(0x40000000), Bytes16(15), Bytes32(0x40080000), Bytes16(4)}));
    EXPECT_EQ(row.TotalSize(), 28);
    // A save range whose right column is 3 leaves column 4 out: a MULRK of two cells.
    SaveRow(row, TXlsCellRange{0, 0, 3, 65535}, size);
    EXPECT_EQ(size, 4 + 4 + 12 + 2);
  }
  {
    // An RK next to a NUMBER: two records.
    TCellRecordList row;
    row.Add(RK(2, 1));
    auto number = TNumberRecord::CreateFromData(0, 3, 15);
    number->SetValue(Variant(3.14159));
    row.Add(std::move(number));
    SaveRow(row, all, size);
    EXPECT_EQ(size, 14 + 18);
  }
  {
    // Blanks at 0, 1, 2 join; a gap at 3 breaks the run; 4 stands alone.
    TCellRecordList row;
    for (Word c : {0, 1, 2, 4}) row.Add(TBlankRecord::CreateFromData(0, c, static_cast<Word>(20 + c)));
    auto bytes = SaveRow(row, all, size);
    EXPECT_EQ(size, (4 + 4 + 6 + 2) + 10);
    EXPECT_EQ(bytes, Join({Bytes16(0x00BE), Bytes16(12), Bytes16(0), Bytes16(0), Bytes16(20), Bytes16(21), Bytes16(22),
                           Bytes16(2), Bytes16(0x0201), Bytes16(6), Bytes16(0), Bytes16(4), Bytes16(24)}));
  }
}

TEST(CellValues, RecordListSizesFollowAddsAndDeletes) {
  TBaseRecordList list;
  list.Add(std::make_unique<TBaseRecord>(0x0042, ArrayOfByte(20)));
  EXPECT_EQ(list.TotalSize(), 24);
  list.Add(nullptr);
  list.SetItem(1, std::make_unique<TBaseRecord>(0x0042, ArrayOfByte(2)));
  EXPECT_EQ(list.TotalSize(), 30);
  list.Delete(0);
  EXPECT_EQ(list.TotalSize(), 6);
  TBaseRecordList copy;
  copy.CopyFrom(&list);
  copy.CopyFrom(nullptr);
  EXPECT_EQ(copy.TotalSize(), 6);
  auto sub = TSubListRecord::CreateAndAssign(&copy);
  EXPECT_EQ(sub->TotalSize(), 0);
  EXPECT_EQ(MessageOf([&] { sub->DoCopyTo(); }), "Sublist record can't be copied");
}

TEST(CellValues, RowRecordList) {
  TRowRecordList rows;
  TSheetInfo info;
  info.InsSheet = 0;
  info.FormulaSheet = 0;
  for (Word r = 0; r < 6; ++r) rows.AddRecord(TRowRecord::CreateStandard(r));
  EXPECT_EQ(MessageOf([&] { rows.AddRecord(TRowRecord::CreateStandard(3)); }), "Duplicated ROW record");
  rows.DeleteRows(2, 2, info);
  ASSERT_EQ(rows.Count(), 4);
  for (Integer r = 0; r < 4; ++r) EXPECT_EQ(rows.Row(r)->Row(), r);

  TRowRecordList sparse;
  sparse.AddRecord(TRowRecord::CreateStandard(5));
  EXPECT_EQ(sparse.Count(), 6);
  EXPECT_EQ(sparse.RowHeight(2), 0);
  EXPECT_TRUE(sparse.IsAutoRowHeight(2));
  EXPECT_EQ(MessageOf([&] { sparse.Row(2); }), "Missing ROW Record for row 2");
  sparse.SetRowHeight(2, 400);
  EXPECT_EQ(sparse.RowHeight(2), 400);
  EXPECT_FALSE(sparse.IsAutoRowHeight(2));
  EXPECT_EQ(sparse.TotalSize(), 40);
  EXPECT_EQ(sparse.TotalRangeSize(TXlsCellRange{0, 3, 255, 10}, false), 20);

  // Copies of rows 5 and 6 inserted twice at row 2.
  TRowRecordList copied;
  for (Word r = 0; r < 8; ++r) {
    auto row = TRowRecord::CreateStandard(r);
    row->SetHeight(static_cast<Word>(100 + r));
    copied.AddRecord(std::move(row));
  }
  copied.InsertAndCopyRows(5, 6, 2, 2, info);
  ASSERT_EQ(copied.Count(), 12);
  const Word heights[] = {100, 101, 105, 106, 105, 106, 102, 103, 104, 105, 106, 107};
  for (Integer r = 0; r < 12; ++r) {
    EXPECT_EQ(copied.Row(r)->Height(), heights[r]) << r;
    EXPECT_EQ(copied.Row(r)->Row(), r) << r;
  }
}

TEST(CellValues, BoundSheetVisibility) {
  TBoundSheetRecordList sheets;
  sheets.Add(TBoundSheetRecord::CreateNew(0x0003, u"Data"));
  EXPECT_EQ(sheets.SheetVisible(0), TXlsSheetVisible::sv_Visible);
  sheets.SetSheetVisible(0, TXlsSheetVisible::sv_VeryHidden);
  EXPECT_EQ(sheets[0]->OptionFlags(), 0x0002);
  const Int64 before = sheets.TotalSize();
  sheets.SetSheetName(0, u"Longer name");
  EXPECT_EQ(sheets.TotalSize(), before + 7);
  EXPECT_EQ(sheets.TotalSize(), sheets[0]->TotalSize());
}

}  // namespace
