// Records read from and written to the workbook stream: the factory's classes, CONTINUE
// chains, companion records, records that are dropped on save, and size bookkeeping.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUBiffOtherRecords.h"

using namespace xlstest;

namespace {
// The stream as it should come back from a save: records the engine rebuilds or leaves out
// are dropped, everything else stays byte for byte.
std::vector<Byte> WithoutDroppedRecords(const std::vector<Byte>& stream, size_t length) {
  static const std::vector<Word> dropped = {0x0059, 0x005A, 0x00D7, 0x00ED, 0x00FF, 0x013D, 0x01C1, 0x020B, 0x1060};
  std::vector<Byte> out;
  size_t pos = 0;
  while (pos + 4 <= length) {
    Word id = stream[pos] | (stream[pos + 1] << 8);
    size_t size = stream[pos + 2] | (stream[pos + 3] << 8);
    if (std::find(dropped.begin(), dropped.end(), id) == dropped.end())
      out.insert(out.end(), stream.begin() + pos, stream.begin() + pos + 4 + size);
    pos += 4 + size;
  }
  return out;
}

const TBaseRecord* FindRecord(const std::vector<std::unique_ptr<TBaseRecord>>& records, Word id) {
  for (auto& r : records)
    if (r->Id == id) return r.get();
  return nullptr;
}
}  // namespace

TEST(BiffRecords, FixturesSurviveALoadAndSaveByteForByte) {
  for (const char* name : {"small_grid.xls", "long_strings.xls", "rich_text.xls"}) {
    SCOPED_TRACE(name);
    std::string compound = Fixture(name);
    std::vector<Byte> original = StreamOf(compound, u"Workbook");
    auto records = RecordsOf(compound);
    EXPECT_EQ(records.front()->Id, BiffId::BOF);
    EXPECT_EQ(records.back()->Id, BiffId::EOF_);
    EXPECT_EQ(SavedStream(records), WithoutDroppedRecords(original, original.size()));
  }
}

TEST(BiffRecords, FactoryMakesTheClassOfEachRecord) {
  auto records = RecordsOf(Fixture("rich_text.xls"));
  EXPECT_NE(dynamic_cast<const TBOFRecord*>(records.front().get()), nullptr);
  int boundSheets = 0, windows2 = 0, cells = 0, ignored = 0;
  for (auto& r : records) {
    boundSheets += dynamic_cast<const TBoundSheetRecord*>(r.get()) != nullptr;
    windows2 += dynamic_cast<const TWindow2Record*>(r.get()) != nullptr;
    cells += dynamic_cast<const TCellRecord*>(r.get()) != nullptr;
    ignored += dynamic_cast<const TIgnoreRecord*>(r.get()) != nullptr;
  }
  EXPECT_EQ(boundSheets, 2);
  EXPECT_EQ(windows2, 2);
  EXPECT_EQ(cells, 3);  // the rich text and the number on the first sheet, the x on the second
  EXPECT_GT(ignored, 0);
  EXPECT_NE(dynamic_cast<const TSetupRecord*>(FindRecord(records, 0x00A1)), nullptr);
  // A record without a class of its own (CODEPAGE) is a plain record.
  const TBaseRecord* codepage = FindRecord(records, 0x0042);
  ASSERT_NE(codepage, nullptr);
  EXPECT_EQ(typeid(*codepage), typeid(TBaseRecord));
}

TEST(BiffRecords, ContinueChainsAreReadCountedCopiedAndWrittenInOrder) {
  auto records = RecordsOf(Fixture("long_strings.xls"));
  const TBaseRecord* sst = FindRecord(records, 0x00FC);
  ASSERT_NE(sst, nullptr);
  int links = 0;
  Integer bytes = sst->DataSize();
  for (const TContinueRecord* c = sst->Continue.get(); c; c = c->Continue.get()) {
    ++links;
    bytes += c->DataSize();
  }
  EXPECT_EQ(links, 7);
  EXPECT_EQ(sst->TotalSizeNoHeaders(), bytes);
  EXPECT_EQ(sst->TotalSize(), bytes + 4 * 8);

  std::unique_ptr<TBaseRecord> copy = TBaseRecord::CopyTo(sst);
  EXPECT_NE(dynamic_cast<TSSTRecord*>(copy.get()), nullptr);
  EXPECT_NE(copy->Continue.get(), sst->Continue.get());
  EXPECT_EQ(copy->TotalSize(), sst->TotalSize());
  EXPECT_EQ(TBaseRecord::CopyTo(nullptr), nullptr);

  TBaseRecord record(0x00FC, {1, 2});
  record.AddContinue(std::make_unique<TContinueRecord>(0x003C, ArrayOfByte{3}));
  EXPECT_EQ(MessageOf([&] { record.AddContinue(std::make_unique<TContinueRecord>(0x003C, ArrayOfByte{4})); }),
            "Trying to add more than one CONTINUE record to the same record");
}

TEST(BiffRecords, ReadContinuedMemGoesOnIntoTheContinueRecord) {
  TBaseRecord record(0x00FC, {0, 1, 2, 3, 4, 5, 6, 7});
  record.AddContinue(std::make_unique<TContinueRecord>(0x003C, ArrayOfByte{10, 11, 12, 13, 14, 15, 16, 17}));
  const TBaseRecord* at = &record;
  Integer ofs = 4;
  std::vector<Byte> dest(10);
  ReadContinuedMem(at, ofs, 10, dest.data());
  EXPECT_EQ(dest, (std::vector<Byte>{4, 5, 6, 7, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(at, record.Continue.get());
  EXPECT_EQ(ofs, 6);
  ReadContinuedMem(at, ofs, 2, nullptr);  // skipping
  EXPECT_EQ(ofs, 8);
  EXPECT_EQ(MessageOf([&] { ReadContinuedMem(at, ofs, 1, dest.data()); }), "Error reading record");
}

TEST(BiffRecords, StreamEndsAndEmptyRecords) {
  // 1 to 3 stray bytes after the last record read as if an EOF record followed; a record of
  // size 0 saves as its 4-byte header.
  for (int stray = 0; stray <= 3; ++stray) {
    SCOPED_TRACE(stray);
    std::vector<Byte> stream = Join({Filler(), Rec(0x0042, {}), std::vector<Byte>(stray, 0x5A)});
    auto records = RecordsOf(CompoundWithStream(stream));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1]->DataSize(), 0);
    EXPECT_EQ(records[1]->TotalSize(), 4);
    EXPECT_EQ(records[2]->Id, BiffId::EOF_);
  }
}

TEST(BiffRecords, CompanionRecordsMustFollowTheirOwner) {
  std::vector<Byte> number = Rec(0x0203, std::vector<Byte>(14, 0));
  std::vector<Byte> formula = Rec(0x0006, std::vector<Byte>(26, 0));
  std::vector<Byte> shrfmla = Rec(0x04BC, std::vector<Byte>(10, 0));
  std::vector<Byte> string = Rec(0x0207, {1, 0, 0, 'x'});
  std::vector<Byte> eof = Rec(0x000A, {});
  struct Case { const char* what; std::vector<Byte> stream; const char* message; };
  const Case cases[] = {
      {"TABLE after NUMBER", Join({Filler(), number, Rec(0x0236, std::vector<Byte>(16, 0)), eof}), "Error reading Excel records. File invalid"},
      {"ARRAY after NUMBER", Join({Filler(), number, Rec(0x0221, std::vector<Byte>(14, 0)), eof}), "Error reading Excel records. File invalid"},
      {"STRING after NUMBER", Join({Filler(), number, string, eof}), "Error reading Excel records. File invalid"},
      {"screen tip without HLINK", Join({Filler(), number, Rec(0x0800, std::vector<Byte>(12, 0)), eof}), "Error reading Excel records. File invalid"},
      {"TABLE after FORMULA", Join({Filler(), formula, Rec(0x0236, std::vector<Byte>(16, 0)), eof}), "(no error)"},
      {"STRING after SHRFMLA", Join({Filler(), formula, shrfmla, string, eof}), "(no error)"},
      {"encrypted workbook", Join({Filler(), Rec(0x002F, std::vector<Byte>(54, 0)), eof}), "File is password protected"},
      {"short NUMBER", Join({Filler(), Rec(0x0203, {0, 0, 0}), eof}), "Record with ID 0x203 is invalid"},
      {"Excel 5 BOF", Join({Filler(), Rec(0x0809, {0, 5, 0x10, 0, 0, 0, 0, 0}), eof}), "Template file is saved with an invalid Excel version"},
      {"record past the end", Join({Filler(), Rec(0x0042, {}), {0x42, 0, 0x10, 0, 1, 2}}), "End of stream reached with 14 bytes left to read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string compound = CompoundWithStream(c.stream);
    EXPECT_EQ(MessageOf([&] { RecordsOf(compound); }), c.message);
  }
}

TEST(BiffRecords, FormulaStringIsKeptByteForByte) {
  std::vector<Byte> formula = Rec(0x0006, std::vector<Byte>(26, 0));
  std::vector<Byte> string = Rec(0x0207, {3, 0, 0, 'a', 'b', 'c'});
  auto records = RecordsOf(CompoundWithStream(Join({Filler(), formula, string, Rec(0x000A, {})})));
  ASSERT_EQ(records.size(), 4u);
  auto* cached = dynamic_cast<const TStringRecord*>(records[2].get());
  ASSERT_NE(cached, nullptr);
  EXPECT_EQ(cached->Value(), u"abc");
  // The formula's cached text goes back with it: a saved string formula keeps its result. A
  // formula read from a file is marked to be calculated when the file is opened.
  EXPECT_EQ(cached->TotalSize(), 10);
  std::vector<Byte> recalculated = std::vector<Byte>(26, 0);
  recalculated[14] = 0x02;
  EXPECT_EQ(SavedStream(records), Join({Filler(), Rec(0x0006, recalculated), string, Rec(0x000A, {})}));
}
