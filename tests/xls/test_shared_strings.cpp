// The shared string table: one entry per distinct string with its reference count, the split
// over CONTINUE records when it is saved (checked byte for byte and by an independent
// reader), the EXTSST index, and the text cells that point into it.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffSST.h"
#include "xls/vavUBiffStrings.h"

using namespace xlstest;

namespace {

// Saves the table alone and gives the records it wrote (SST, CONTINUE..., EXTSST) as
// (id, data) pairs; checks TotalSize against the bytes written.
std::vector<std::pair<Word, std::vector<Byte>>> SaveRecords(TSST& sst) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  const Int64 expected = sst.TotalSize();
  sst.SaveToStream(file);
  EXPECT_EQ(file.Position(), expected);
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  std::vector<std::pair<Word, std::vector<Byte>>> records;
  size_t p = 0;
  while (p + 4 <= static_cast<size_t>(expected)) {
    Word id = static_cast<Word>(stream[p] | (stream[p + 1] << 8));
    Word size = static_cast<Word>(stream[p + 2] | (stream[p + 3] << 8));
    records.emplace_back(id, std::vector<Byte>(stream.begin() + p + 4, stream.begin() + p + 4 + size));
    p += 4 + size;
  }
  return records;
}

// The SST record (with its CONTINUE chain) as the record reader builds it from saved records.
std::unique_ptr<TSSTRecord> ReadBack(const std::vector<std::pair<Word, std::vector<Byte>>>& records) {
  auto sst = std::make_unique<TSSTRecord>(records[0].first, records[0].second);
  TBaseRecord* last = sst.get();
  for (size_t i = 1; i < records.size() && records[i].first == 0x003C; ++i) {
    auto c = std::make_unique<TContinueRecord>(records[i].first, records[i].second);
    TBaseRecord* next = c.get();
    last->AddContinue(std::move(c));
    last = next;
  }
  return sst;
}

WideString TextPattern(size_t n, char16_t base = u'a') {
  WideString s(n, u'\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char16_t>(base + i % 26);
  return s;
}

TEST(SharedStrings, EqualStringsShareOneEntry) {
  TSST sst;
  Integer first = sst.AddString(u"a");
  Cardinal used = sst.MemSST.UsedSize;
  EXPECT_EQ(sst.AddString(u"a"), first);
  EXPECT_EQ(sst.MemSST.UsedSize, used);
  ASSERT_EQ(sst.Count(), 1);
  EXPECT_EQ(sst.RefCount(sst.Entry(0)), 2);

  // The same text with runs, or as another width, is another entry.
  sst.AddString(u"a", {{0, 1}});
  EXPECT_EQ(sst.Count(), 2);
  sst.AddString(u"Zürich");
  sst.AddString(u"Ωmega");
  EXPECT_EQ(sst.Count(), 4);
  Integer rich = sst.AddString(u"a", {{0, 1}});
  EXPECT_EQ(sst.EntryRuns(sst.Entry(rich)), (TRTFRunList{{0, 1}}));
  EXPECT_EQ(sst.EntryText(sst.Entry(rich)), u"a");
}

TEST(SharedStrings, LongEightBitStringSplitsAfterExactly8224Bytes) {
  TSST sst;
  sst.AddString(TextPattern(10000));
  auto records = SaveRecords(sst);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].first, 0x00FC);
  EXPECT_EQ(records[0].second.size(), 8224u);
  EXPECT_EQ(records[1].first, 0x003C);
  EXPECT_EQ(records[1].second.size(), 1788u);
  EXPECT_EQ(records[1].second[0], 0x00);  // option byte of the continued characters: 8-bit
  EXPECT_EQ(records[2].first, 0x00FF);

  TSST loaded;
  loaded.Load(*ReadBack(records));
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_EQ(loaded.EntryText(loaded.Entry(0)), TextPattern(10000));
}

TEST(SharedStrings, WideStringContinuesAfterOptionByteOne) {
  TSST sst;
  WideString text = TextPattern(6000, u'α');
  sst.AddString(text);
  auto records = SaveRecords(sst);
  ASSERT_GE(records.size(), 3u);
  EXPECT_EQ(records[1].first, 0x003C);
  EXPECT_EQ(records[1].second[0], 0x01);
  TSST loaded;
  loaded.Load(*ReadBack(records));
  EXPECT_EQ(loaded.EntryText(loaded.Entry(0)), text);
}

TEST(SharedStrings, EachChunkOfAWideStringChoosesItsWidth) {
  // The characters before the split are all 8-bit, so the first chunk is written 8-bit; the
  // rest holds Greek letters and continues 16-bit.
  TSST sst;
  WideString text = TextPattern(8300) + u"λλλ";
  sst.AddString(text);
  auto records = SaveRecords(sst);
  EXPECT_EQ(records[0].second[10], 0x00);  // option byte of the first chunk
  EXPECT_EQ(records[1].second[0], 0x01);
  TSST loaded;
  loaded.Load(*ReadBack(records));
  EXPECT_EQ(loaded.EntryText(loaded.Entry(0)), text);
}

TEST(SharedStrings, StringStartsInANewRecordWhenFewerThan32BytesAreLeft) {
  TSST sst;
  // 8 bytes of counts + (3 + 8200) leave 13 bytes: the next string (the longer one, as
  // entries sort by size) starts in a CONTINUE record, with its count and no option byte first.
  sst.AddString(TextPattern(8200));
  sst.AddString(TextPattern(8201, u'b'));
  auto records = SaveRecords(sst);
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].second.size(), 8u + 3u + 8200u);
  EXPECT_EQ(records[1].first, 0x003C);
  EXPECT_EQ(records[1].second.size(), 3u + 8201u);
  EXPECT_EQ(GetWord(records[1].second, 0), 8201);
  EXPECT_EQ(records[1].second[2], 0);
  EXPECT_EQ(records[1].second[3], 'b');
}

TEST(SharedStrings, RichRunsAreCarriedThroughASave) {
  TSST sst;
  sst.AddString(TextPattern(8216), {{0, 5}, {3, 6}, {100, 7}});
  auto records = SaveRecords(sst);
  TSST loaded;
  loaded.Load(*ReadBack(records));
  EXPECT_EQ(loaded.EntryRuns(loaded.Entry(0)), (TRTFRunList{{0, 5}, {3, 6}, {100, 7}}));
  EXPECT_EQ(loaded.EntryText(loaded.Entry(0)), TextPattern(8216));
}

TEST(SharedStrings, ExtSSTBuckets) {
  struct Case {
    int strings;
    Word bucket;
    size_t size;
  } cases[] = {{0, 8, 2}, {1000, 8, 1002}, {2000, 16, 1002}, {9, 8, 18}};
  for (const auto& c : cases) {
    TSST sst;
    for (int i = 0; i < c.strings; ++i) sst.AddString(Utf8ToWide(std::to_string(i)));
    auto records = SaveRecords(sst);
    ASSERT_EQ(records.back().first, 0x00FF);
    EXPECT_EQ(records.back().second.size(), c.size) << c.strings;
    EXPECT_EQ(GetWord(records.back().second, 0), c.bucket) << c.strings;
    if (c.strings == 0) {
      EXPECT_EQ(records[0].second, (std::vector<Byte>(8, 0)));
    }
  }
}

TEST(SharedStrings, ExtSSTPointsAtTheBucketStrings) {
  TSST sst;
  for (int i = 0; i < 3000; ++i) sst.AddString(TextPattern(10 + i % 7) + Utf8ToWide(std::to_string(i)));
  auto records = SaveRecords(sst);
  // Stream positions from the start of the written stream: each bucket's first string starts
  // with its count at that position, and the record offset counts from that record's header.
  std::vector<Byte> all;
  std::vector<size_t> recordStarts;
  for (auto& r : records) {
    recordStarts.push_back(all.size());
    auto bytes = Rec(r.first, r.second);
    all.insert(all.end(), bytes.begin(), bytes.end());
  }
  const auto& ext = records.back().second;
  const Word bucket = GetWord(ext, 0);
  for (size_t b = 0; 2 + 8 * b < ext.size(); ++b) {
    Cardinal pos = GetCardinal(ext, 2 + 8 * b);
    Word ofs = GetWord(ext, 6 + 8 * b);
    Cardinal entry = sst.Entry(static_cast<Integer>(b * bucket));
    EXPECT_EQ(GetWord(all, pos), sst.EntryText(entry).size());
    EXPECT_TRUE(std::find(recordStarts.begin(), recordStarts.end(), pos - ofs) != recordStarts.end());
  }
}

TEST(SharedStrings, LoadedTableRoundTripsThroughASave) {
  auto records = RecordsOf(Fixture("long_strings.xls"));
  TSSTRecord* sstRecord = nullptr;
  for (auto& r : records)
    if (r->Id == 0x00FC) sstRecord = static_cast<TSSTRecord*>(r.get());
  ASSERT_NE(sstRecord, nullptr);
  TSST sst;
  sst.Load(*sstRecord);
  ASSERT_EQ(sst.Count(), static_cast<Integer>(sstRecord->Count()));
  std::vector<WideString> texts;
  for (Integer i = 0; i < sst.Count(); ++i) {
    texts.push_back(sst.EntryText(sst.Entry(i)));
    sst.AddRef(sst.Entry(i), 1);
  }
  auto saved = SaveRecords(sst);
  TSST again;
  again.Load(*ReadBack(saved));
  ASSERT_EQ(again.Count(), sst.Count());
  for (Integer i = 0; i < again.Count(); ++i) EXPECT_EQ(again.EntryText(again.Entry(i)), texts[static_cast<size_t>(i)]);
}

TEST(SharedStrings, UnreferencedEntriesAreDroppedAndASaveWithoutFixRefsIsRefused) {
  TSST sst;
  auto cell = TLabelSSTRecord::CreateFromData(0, 0, 15, &sst);
  cell->SetAsString(u"old");
  cell->SetAsString(u"new");
  ASSERT_EQ(sst.Count(), 2);
  EXPECT_THROW(SaveRecords(sst), EAssertionFailed);
  sst.FixRefs();
  ASSERT_EQ(sst.Count(), 1);
  EXPECT_EQ(sst.EntryText(sst.Entry(0)), u"new");
  {
    std::unique_ptr<TBaseRecord> copy = cell->DoCopyTo();
    EXPECT_EQ(sst.RefCount(sst.Entry(0)), 2);
  }
  EXPECT_EQ(sst.RefCount(sst.Entry(0)), 1);
  cell.reset();
  EXPECT_EQ(sst.RefCount(sst.Entry(0)), 0);
}

TEST(SharedStrings, LabelSSTIndexOutsideTheTableIsRefused) {
  TSST sst;
  sst.AddString(u"only");
  auto at = [&](Cardinal index) {
    return std::make_unique<TLabelSSTRecord>(0x00FD, Join({Bytes16(0), Bytes16(0), Bytes16(15), Bytes32(index)}));
  };
  EXPECT_EQ(MessageOf([&] { at(1)->AttachToSST(&sst); }), "Error reading Excel records. File invalid");
  EXPECT_EQ(MessageOf([&] { at(0xFFFFFFFF)->AttachToSST(&sst); }), "Error reading Excel records. File invalid");
  auto good = at(0);
  good->AttachToSST(&sst);
  EXPECT_EQ(good->AsString(), u"only");
  EXPECT_EQ(good->GetValue().AsWideString(), u"only");
  EXPECT_EQ(MessageOf([] { TLabelSSTRecord(0x00FD, ArrayOfByte(8)); }), "Record with ID 0xFD is invalid");
}

TEST(SharedStrings, LabelAndRStringRecordsGiveTheirText) {
  TLabelRecord label(0x0204, Join({Bytes16(1), Bytes16(2), Bytes16(15), Bytes16(3), {0}, {'a', 'b', 'c'}}));
  EXPECT_EQ(label.GetValue().AsWideString(), u"abc");
  TRStringRecord rstring(0x00D6, Join({Bytes16(1), Bytes16(2), Bytes16(15), Bytes16(2), {0}, {'h', 'i'}, Bytes16(1),
                                       Bytes16(1), Bytes16(5)}));
  EXPECT_EQ(rstring.AsRichString().Value, u"hi");
  EXPECT_EQ(rstring.AsRichString().RTFRuns, (TRTFRunList{{1, 5}}));
}

TEST(SharedStrings, IndependentReaderReadsALongStringBackWhole) {
  std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  TSST sst;
  const WideString longText = TextPattern(10000);
  const WideString greek = TextPattern(5000, u'α');
  auto cell = TLabelSSTRecord::CreateFromData(0, 0, 0, &sst);
  cell->SetAsString(longText);
  auto cell2 = TLabelSSTRecord::CreateFromData(1, 0, 0, &sst);
  cell2->SetAsString(greek);

  // Globals hold the table; the sheet holds the two cells.
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream scratch;
  TOle2File file(in);
  file.PrepareForWrite(scratch, u"Workbook");
  sst.SaveToStream(file);
  file.Close();
  std::vector<Byte> sstBytes = StreamOf(scratch.str(), u"Workbook");
  sstBytes.resize(static_cast<size_t>(sst.TotalSize()));
  std::vector<Byte> cells = Join({Rec(0x0200, Join({Bytes32(0), Bytes32(2), Bytes16(0), Bytes16(1), Bytes16(0)})),
                                  Rec(0x00FD, Join({Bytes16(0), Bytes16(0), Bytes16(0), Bytes32(sst.SaveIndex(static_cast<Cardinal>(cell->pSSTEntry)))})),
                                  Rec(0x00FD, Join({Bytes16(1), Bytes16(0), Bytes16(0), Bytes32(sst.SaveIndex(static_cast<Cardinal>(cell2->pSSTEntry)))}))});
  TempDir dir;
  std::string path = dir.File("long.xls");
  WriteFileBytes(path, CompoundWithStream(OneSheetWorkbook(sstBytes, cells)));
  std::string out = RunXlrd(python,
                            "import sys,xlrd\n"
                            "s=xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                            "for r in range(2):\n"
                            "  v=s.cell_value(r,0)\n"
                            "  print(len(v), v.encode('utf-16-le').hex()[:16], v.encode('utf-16-le').hex()[-16:])\n",
                            path);
  auto expect = [](const WideString& t) {
    std::string hex = HexUtf16(t);
    return std::to_string(t.size()) + " " + hex.substr(0, 16) + " " + hex.substr(hex.size() - 16) + "\n";
  };
  EXPECT_EQ(out, expect(longText) + expect(greek));
}

}  // namespace

// Loading takes a string that lies inside its record as its bytes stand, and reads one that
// runs on into a CONTINUE record; both must give the entry the string reader packs. Strings:
// 8-bit, 16-bit, rich, far-east, empty, and the last crossing into the CONTINUE record.
TEST(SharedStrings, LoadedEntriesAreThePackedStrings) {
  std::vector<Byte> first = {6, 0, 0, 0, 6, 0, 0, 0};
  auto add = [&](std::initializer_list<Byte> bytes) { first.insert(first.end(), bytes); };
  add({2, 0, 0x00, 'h', 'i'});
  add({1, 0, 0x01, 0xA9, 0x03});
  add({2, 0, 0x08, 1, 0, 'a', 'b', 1, 0, 5, 0});
  add({1, 0, 0x04, 2, 0, 0, 0, 'x', 0xEE, 0xFF});
  add({0, 0, 0x00});
  add({4, 0, 0x00, 'l', 'o'});
  auto sst = std::make_unique<TSSTRecord>(Word{0x00FC}, first);
  sst->AddContinue(std::make_unique<TContinueRecord>(Word{0x003C}, std::vector<Byte>{0x00, 'n', 'g'}));

  TSST loaded;
  loaded.Load(*sst);
  ASSERT_EQ(loaded.Count(), 6);
  const TBaseRecord* record = sst.get();
  Integer ofs = 8;
  const std::vector<WideString> texts = {u"hi", u"Ω", u"ab", u"x", u"", u"long"};
  for (Integer i = 0; i < loaded.Count(); ++i) {
    std::vector<Byte> packed;
    TExcelString(2, record, ofs).SaveToStream(packed, true);
    const Cardinal entry = loaded.Entry(i);
    ASSERT_EQ(loaded.EntrySize(entry), TSST::EntryHeader + packed.size()) << i;
    EXPECT_TRUE(std::equal(packed.begin(), packed.end(), loaded.MemSST.Buffer.begin() + entry + TSST::EntryHeader)) << i;
    EXPECT_EQ(loaded.RefCount(entry), 0) << i;
    EXPECT_EQ(loaded.EntryText(entry), texts[static_cast<size_t>(i)]) << i;
  }
  EXPECT_EQ(loaded.EntryRuns(loaded.Entry(2)), (TRTFRunList{{1, 5}}));

  // Sorted by size, then bytes; equal entries stay two entries.
  loaded.Load(*sst);
  loaded.Sort();
  ASSERT_EQ(loaded.Count(), 12);
  for (Integer i = 1; i < loaded.Count(); ++i)
    EXPECT_LE(loaded.EntrySize(loaded.Entry(i - 1)), loaded.EntrySize(loaded.Entry(i))) << i;
  EXPECT_EQ(loaded.EntryText(loaded.Entry(0)), u"");
  EXPECT_EQ(loaded.EntryText(loaded.Entry(1)), u"");
  EXPECT_EQ(loaded.EntryText(loaded.Entry(11)), u"ab");  // the rich one, 11 bytes
}
