// Manual page breaks: the sorted lists without duplicates, loading and writing their records,
// breaks following inserted and deleted rows and columns, and the workbook file's operations.
#include <gtest/gtest.h>

#include "WorkbookTestHelpers.h"
#include "xls/vavUBiffPageBreaks.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

using Bytes = std::vector<Byte>;

std::vector<Integer> Keys(const THPageBreakList& List) {
  std::vector<Integer> out;
  for (Integer i = 0; i < List.Count(); ++i) out.push_back(List[i]->Key());
  return out;
}

void AddBreaks(THPageBreakList& List, std::initializer_list<Integer> Rows) {
  for (Integer r : Rows) List.AddBreak(r);
}

Bytes Entry(Word Key, Word From, Word To) { return Join({Bytes16(Key), Bytes16(From), Bytes16(To)}); }

}  // namespace

TEST(PageBreakList, AddedLoadedAndWrittenInOrder) {
  THPageBreakList list;
  list.AddBreak(10);
  list.AddBreak(10);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0]->BreakData.Words(), (std::array<Word, 3>{10, 0, 255}));
  TVPageBreakList columns;
  columns.AddBreak(3);
  EXPECT_EQ(columns[0]->BreakData.Words(), (std::array<Word, 3>{3, 0, 65535}));
  EXPECT_EQ(MessageOf([&] { columns.AddBreak(256); }), "Invalid Column (256)");

  // Rows 20, 5 and 20 as stored: two breaks, the first 20 kept, written back in row order.
  THPageBreakList loaded;
  loaded.AddRecord(std::make_unique<THPageBreakRecord>(
      0x001B, Join({Bytes16(3), Entry(20, 0, 100), Entry(5, 0, 255), Entry(20, 1, 2)})));
  EXPECT_EQ(Keys(loaded), (std::vector<Integer>{5, 20}));
  EXPECT_EQ(WrittenBytes([&](TOle2File& f) { loaded.SaveToStream(f); }, loaded.TotalSize()),
            Rec(0x001B, Join({Bytes16(2), Entry(5, 0, 255), Entry(20, 0, 100)})));
  // A count larger than the record is refused rather than read past it.
  THPageBreakList damaged;
  EXPECT_EQ(MessageOf([&] {
              damaged.AddRecord(std::make_unique<THPageBreakRecord>(0x001B, Join({Bytes16(2), Entry(1, 0, 255)})));
            }),
            "Error reading record");

  // Nothing for an empty list; a range writes the breaks of its rows.
  THPageBreakList empty;
  EXPECT_EQ(empty.TotalSize(), 0);
  EXPECT_TRUE(WrittenBytes([&](TOle2File& f) { empty.SaveToStream(f); }, 0).empty());
  THPageBreakList three;
  AddBreaks(three, {5, 12, 30});
  const TXlsCellRange rows{0, 10, 255, 20};
  EXPECT_EQ(WrittenBytes([&](TOle2File& f) { three.SaveRangeToStream(f, rows); }, three.TotalRangeSize(rows)),
            Rec(0x001B, Join({Bytes16(1), Entry(12, 0, 255)})));
  EXPECT_EQ(three.TotalRangeSize({0, 13, 255, 29}), 0);
}

TEST(PageBreakList, RowsInsertedAndDeletedAndTheLimits) {
  THPageBreakList list;
  AddBreaks(list, {4, 5, 9});
  list.InsertRows(5, 3);
  EXPECT_EQ(Keys(list), (std::vector<Integer>{4, 8, 12}));
  THPageBreakList deleted;
  AddBreaks(deleted, {4, 6, 9});
  deleted.DeleteRows(5, 3);
  EXPECT_EQ(Keys(deleted), (std::vector<Integer>{4, 6}));

  TVPageBreakList columns;
  columns.AddBreak(250);
  EXPECT_EQ(MessageOf([&] { columns.InsertCols(0, 10); }),
            "Too many entries for this kind of record (260 out of a maximum of 255)");

  THPageBreakList full;
  for (Integer r = 0; r < 1026; ++r) full.AddBreak(r);
  EXPECT_EQ(MessageOf([&] { full.AddBreak(5000); }), "Too many manual Page breaks for this sheet");
  EXPECT_EQ(MessageOf([&] { full.AddBreak(3); }), "Too many manual Page breaks for this sheet");
  EXPECT_EQ(full.Count(), 1026);
}

TEST(PageBreakFile, BreaksFollowTheSheetsRowsAndColumns) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->NewFile(1);
  book->SetActiveSheet(1);
  book->InsertHPageBreak(20);
  book->InsertVPageBreak(4);
  EXPECT_TRUE(book->HasHPageBreak(20));
  EXPECT_FALSE(book->HasHPageBreak(21));
  // Three copies of rows 4..5 (interface) inserted at row 10 move the break from 20 to 26.
  book->InsertAndCopyRows(4, 5, 10, 3, false);
  EXPECT_TRUE(book->HasHPageBreak(26));
  EXPECT_FALSE(book->HasHPageBreak(20));
  book->DeleteCols(1, 2);
  EXPECT_TRUE(book->HasVPageBreak(2));
  book->DeleteHPageBreak(26);
  EXPECT_FALSE(book->HasHPageBreak(26));
  // A break in deleted rows goes with them.
  book->InsertHPageBreak(8);
  book->DeleteRows(9, 1);
  EXPECT_FALSE(book->HasHPageBreak(8));
}
