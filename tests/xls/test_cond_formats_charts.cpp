// Conditional formats (CONDFMT with its CF records) and chart records: loading, writing with
// the counted sizes, bounds and condition formulas that follow inserted and deleted rows, and
// the chart's cache of AI records with their series formulas.
#include <gtest/gtest.h>

#include "WorkbookTestHelpers.h"
#include "xls/vavUBiffChart.h"
#include "xls/vavUBiffCondFmt.h"
#include "xls/vavUBiffRecordFactory.h"

using namespace xlstest;

namespace {

using Bytes = std::vector<Byte>;

// A CF record "formula is true": the formatting block of a fill, and the formula $A$<Row+1>.
Bytes ConditionOn(Word Row) {
  const Bytes formula = {0x44, static_cast<Byte>(Row), static_cast<Byte>(Row >> 8), 0, 0};
  return Join({{0x02, 0x00},
               Bytes16(static_cast<unsigned>(formula.size())),
               Bytes16(0),
               Bytes32(0x2038FFFF),
               Bytes16(0),
               {0x00, 0x04, 0x1F, 0x15},
               formula});
}

Bytes CondFmtBody(Word CFCount, Word R1, Word R2, std::initializer_list<std::array<Word, 4>> Ranges) {
  Bytes body = Join({Bytes16(CFCount), Bytes16(1), Bytes16(R1), Bytes16(R2), Bytes16(0), Bytes16(1),
                     Bytes16(static_cast<unsigned>(Ranges.size()))});
  for (const auto& r : Ranges)
    for (Word w : r) body = Join({body, Bytes16(w)});
  return body;
}

std::unique_ptr<TCondFmt> Format(const Bytes& Body, std::initializer_list<Bytes> Conditions) {
  auto format = std::make_unique<TCondFmt>();
  format->LoadFromStream(std::make_unique<TBaseRecord>(TCondFmt::Id_, Body));
  for (const Bytes& c : Conditions) format->CFs.Add(std::make_unique<TCFRecord>(TCFRecord::Id_, c));
  return format;
}

Word FormulaRow(const TCFRecord& Record) { return GetWord(Record.Data, Record.Data.size() - 4); }

TSheetInfo ThisSheet() {
  TSheetInfo info;
  info.InsSheet = 0;
  info.FormulaSheet = 0;
  return info;
}

// An AI record whose formula is the area of rows R1..R2 in column A, stored absolute.
Bytes AIWithArea(Word R1, Word R2) {
  return Join(
      {Bytes16(0x0201), Bytes32(0), Bytes16(9), {0x25}, Bytes16(R1), Bytes16(R2), Bytes16(0), Bytes16(0), {0, 0}});
}

}  // namespace

TEST(CondFmt, LoadedAndWrittenWithItsConditions) {
  const Bytes body = CondFmtBody(2, 5, 9, {{5, 9, 0, 1}});
  const Bytes sheet =
      Join({Rec(0x023E, Bytes(18, 0)), Rec(0x01B0, body), Rec(0x01B1, ConditionOn(5)), Rec(0x01B1, ConditionOn(7))});
  const std::string file = CompoundWithStream(OneSheetWorkbook(Join({Filler(), MinimalFormats()}), sheet));
  auto wb = LoadWorkbook(file);
  TRangeList& ranges = wb->WorkSheetAt(0).Ranges();
  ASSERT_EQ(ranges.Count(), 1);
  auto* format = dynamic_cast<TCondFmt*>(ranges[0]);
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->CFs.Count(), 2);
  EXPECT_EQ(format->TotalSize(), 18 + 8 + format->CFs.TotalSize());
  EXPECT_EQ(WrittenBytes([&](TOle2File& f) { format->SaveToStream(f); }, format->TotalSize()),
            Join({Rec(0x01B0, body), Rec(0x01B1, ConditionOn(5)), Rec(0x01B1, ConditionOn(7))}));
  // Saved whole, the sheet holds the same records.
  const std::vector<Byte> saved = StreamOf(SaveWorkbook(*wb, file), u"Workbook");
  size_t found = 0;
  for (const TPlainRecord& r : PlainRecords(saved)) found += r.Id == 0x01B0 || r.Id == 0x01B1;
  EXPECT_EQ(found, 3u);

  // Something else where a condition belongs.
  const Bytes broken =
      Join({Rec(0x023E, Bytes(18, 0)), Rec(0x01B0, body), Rec(0x01B1, ConditionOn(5)), Rec(0x0042, {0, 0})});
  EXPECT_EQ(MessageOf([&] {
              LoadWorkbook(CompoundWithStream(OneSheetWorkbook(Join({Filler(), MinimalFormats()}), broken)));
            }),
            "Invalid conditional format record");
  // A condition shorter than its formula lengths.
  EXPECT_EQ(MessageOf([&] {
              TCFRecord(TCFRecord::Id_, Join({{2, 0}, Bytes16(9), Bytes16(0), {0x44}}));
            }),
            "Error reading record");
}

TEST(CondFmt, ManyRangesAndSavedRanges) {
  auto format = Format(CondFmtBody(1, 0, 599, {}), {ConditionOn(1)});
  for (Integer i = 0; i < 600; ++i) format->RangeValuesList->AddNewRange(i, 0, 1, i);
  const Bytes stream = WrittenBytes([&](TOle2File& f) { format->SaveToStream(f); }, format->TotalSize());
  std::vector<std::pair<Word, size_t>> records;
  for (const TPlainRecord& r : PlainRecords(stream))
    records.emplace_back(r.Id, r.Id == 0x01B0 ? GetWord(r.Data, 12) : 0);
  EXPECT_EQ(records, (std::vector<std::pair<Word, size_t>>{{0x01B0, 513}, {0x01B1, 0}, {0x01B0, 87}, {0x01B1, 0}}));
  // Only the ranges inside a saved range; none inside: nothing.
  const TXlsCellRange part{0, 0, 255, 9};
  const Bytes some =
      WrittenBytes([&](TOle2File& f) { format->SaveRangeToStream(f, part); }, format->TotalRangeSize(part));
  EXPECT_EQ(GetWord(PlainRecords(some)[0].Data, 12), 10);
  EXPECT_EQ(format->TotalRangeSize({5, 0, 255, 9}), 0);
  // Without ranges the format and its conditions are dropped.
  auto none = Format(CondFmtBody(1, 0, 0, {}), {ConditionOn(1)});
  EXPECT_EQ(none->TotalSize(), 0);
}

TEST(CondFmt, BoundsAndFormulasFollowRows) {
  auto format = Format(CondFmtBody(1, 5, 9, {{5, 9, 0, 1}}), {ConditionOn(5)});
  format->ArrangeInsertRowsAndCols(2, 3, ThisSheet(), 0, 0);
  EXPECT_EQ(format->AllRange.R1, 8);
  EXPECT_EQ(format->AllRange.R2, 12);
  EXPECT_EQ((*format->RangeValuesList)[0], (TRangeItem{8, 12, 0, 1}));
  EXPECT_EQ(FormulaRow(*format->CFs[0]), 8);
  // Ten rows deleted at the top: the bounds are limited to what is left, not refused.
  auto low = Format(CondFmtBody(1, 5, 9, {{5, 9, 0, 1}}), {ConditionOn(5)});
  low->ArrangeInsertRowsAndCols(0, -10, ThisSheet(), 0, 0);
  EXPECT_EQ(low->AllRange.R1, 0);
  EXPECT_EQ(low->AllRange.R2, 0);
  // Rows copied below a format that ends right above them: it grows over the copies.
  auto copied = Format(CondFmtBody(1, 0, 3, {{0, 3, 0, 1}}), {ConditionOn(0)});
  copied->InsertAndCopyRowsOrCols(2, 3, false, ThisSheet(), 2, 4);
  EXPECT_EQ((*copied->RangeValuesList)[0], (TRangeItem{0, 7, 0, 1}));
  EXPECT_EQ(copied->AllRange.R2, 7);
  // A condition without formulas is left as it is; an unknown token is reported.
  const Bytes plain = Join({{1, 5}, Bytes16(0), Bytes16(0), Bytes32(0x2038FFFF), Bytes16(0), {0, 4, 0x1F, 0x15}});
  auto bare = Format(CondFmtBody(1, 5, 9, {{5, 9, 0, 1}}), {plain});
  bare->ArrangeInsertRowsAndCols(0, 3, ThisSheet(), 0, 0);
  EXPECT_EQ(bare->CFs[0]->Data, plain);
  Bytes unknown = ConditionOn(5);
  unknown[unknown.size() - 5] = 0xFF;
  auto bad = Format(CondFmtBody(1, 5, 9, {{5, 9, 0, 1}}), {unknown});
  EXPECT_EQ(MessageOf([&] { bad->ArrangeInsertRowsAndCols(0, 3, ThisSheet(), 0, 0); }),
            "Bad Conditional format. Token Id: 0xFF");
}

TEST(ChartRecords, TheCacheFollowsTheList) {
  TChartRecordList list;
  const Bytes records[] = {Rec(0x1033, {}), Rec(0x1051, AIWithArea(0, 3)),
                           Rec(0x1051, Join({Bytes16(0), Bytes32(0), Bytes16(0)})), Rec(0x1034, {})};
  for (const Bytes& r : records) list.Add(CreateRecord(GetWord(r, 0), Bytes(r.begin() + 4, r.end())));
  EXPECT_NE(dynamic_cast<TBeginRecord*>(list[0]), nullptr);
  EXPECT_NE(dynamic_cast<TEndRecord*>(list[3]), nullptr);
  ASSERT_EQ(list.AICache.Count(), 2);
  EXPECT_EQ(WrittenBytes([&](TOle2File& f) { list.SaveToStream(f); }, list.TotalSize()),
            Join({records[0], records[1], records[2], records[3]}));
  TChartRecordList copy;
  copy.CopyFrom(&list);
  EXPECT_EQ(copy.AICache.Count(), 2);
  EXPECT_NE(copy.AICache[0], list.AICache[0]);
  // A deleted AI record leaves the cache before it is freed; arranging skips it.
  list.Delete(1);
  ASSERT_EQ(list.AICache.Count(), 1);
  EXPECT_EQ(list.AICache[0], list[1]);
  list.ArrangeInsertRowsAndCols(0, 5, 0, 0, ThisSheet());
  EXPECT_EQ(list[1]->Data, Join({Bytes16(0), Bytes32(0), Bytes16(0)}));
}

TEST(ChartRecords, SeriesFormulasFollowRowsAndCopies) {
  TChartAIRecord ai(0x1051, AIWithArea(1, 4));
  ai.ArrangeInsertRowsAndCols(2, 3, 0, 0, ThisSheet());
  EXPECT_EQ(GetWord(ai.Data, 9), 1);
  EXPECT_EQ(GetWord(ai.Data, 11), 7);
  // Copied cells: absolute references move too.
  ai.ArrangeCopyRowsAndCols(2, 1);
  EXPECT_EQ(GetWord(ai.Data, 9), 3);
  EXPECT_EQ(GetWord(ai.Data, 11), 9);
  EXPECT_EQ(GetWord(ai.Data, 13), 1);
  Bytes unknown = AIWithArea(1, 4);
  unknown[8] = 0xFF;
  TChartAIRecord bad(0x1051, unknown);
  EXPECT_EQ(MessageOf([&] { bad.ArrangeInsertRowsAndCols(0, 1, 0, 0, ThisSheet()); }),
            "Error in Chart formula. Token Id: 0xFF");
  EXPECT_EQ(MessageOf([&] {
              TChartAIRecord(0x1051, Join({Bytes16(0), Bytes32(0), Bytes16(20), {0x25}}));
            }),
            "Error reading record");
}
