// Damaged workbooks: thousands of mutated copies of the fixtures, damaged in the compound
// file and in the record stream, must either load or fail with the engine's error. Any other
// exception, a crash, a hang or an out-of-bounds read (under the sanitizer build) fails.
#include <gtest/gtest.h>

#include <random>

#include "XlsTestHelpers.h"
#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUBiffOtherRecords.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffCells.h"
#include "xls/vavUBiffFormatRecords.h"
#include "xls/vavUBiffPalette.h"
#include "xls/vavUBiffStrings.h"
#include "xls/vavUWbkNumberFormat.h"

using namespace xlstest;

namespace {
// What a sheet loader of the second layer does with the records: the string table, the cell
// store with text cells attached, formats rendered, merges, column widths, fonts, XFs and the
// palette; then everything is saved. A damaged record fails with the engine's error.
void UseSecondLayer(std::vector<std::unique_ptr<TBaseRecord>>& records, TOle2File& file) {
  TSST sst;
  TColInfoList cols;
  TCells cells(&sst, &cols);
  TMergedCells merged;
  TFontRecordList fonts;
  TFormatRecordList formats;
  std::vector<const TXFRecord*> xfs;
  try {
    for (auto& r : records) {
      if (auto* s = dynamic_cast<TSSTRecord*>(r.get())) sst.Load(*s);
      if (auto* f = dynamic_cast<TFontRecord*>(r.get())) {
        f->WbkFont();
        fonts.Add(std::unique_ptr<TFontRecord>(static_cast<TFontRecord*>(f->DoCopyTo().release())));
      }
      if (auto* f = dynamic_cast<TFormatRecord*>(r.get()))
        formats.Add(std::unique_ptr<TFormatRecord>(static_cast<TFormatRecord*>(f->DoCopyTo().release())));
      if (auto* xf = dynamic_cast<TXFRecord*>(r.get())) xfs.push_back(xf);
      if (auto* p = dynamic_cast<TPaletteRecord*>(r.get()))
        for (Integer i = 0; i < p->Count(); ++i) p->GetColor(i);
      if (auto* c = dynamic_cast<TColInfoRecord*>(r.get())) cols.AddRecord(std::make_unique<TColInfoRecord>(*c));
      if (r->Id == 0x00E5) merged.LoadFromStream(r->DoCopyTo());
      if (auto* label = dynamic_cast<TLabelSSTRecord*>(r.get())) {
        // A copy is attached: the records outlive this table.
        auto copy = std::make_unique<TLabelSSTRecord>(*label);
        copy->AttachToSST(&sst);
        cells.AddCell(std::move(copy), label->Row());
      } else if (dynamic_cast<TMultipleValueRecord*>(r.get())) {
        auto copy = r->DoCopyTo();
        cells.AddMultipleCells(*static_cast<TMultipleValueRecord*>(copy.get()));
      } else if (auto* row = dynamic_cast<TRowRecord*>(r.get())) {
        if (!cells.RowList().HasRow(row->Row())) cells.AddRow(std::make_unique<TRowRecord>(*row));
      } else if (auto* cell = dynamic_cast<TCellRecord*>(r.get())) {
        auto copy = std::unique_ptr<TCellRecord>(static_cast<TCellRecord*>(cell->DoCopyTo().release()));
        cells.AddCell(std::move(copy), cell->Row());
      }
    }
    cells.FixRows();
    TCellList& list = cells.CellList();
    for (Integer r = 0; r < list.Count(); ++r)
      for (Integer i = 0; list[r] && i < list[r]->Count(); ++i) {
        const TCellRecord* cell = (*list[r])[i];
        TXlsCellValue v = list.GetValue(r, cell->Column());
        WideString fmt = static_cast<size_t>(cell->XF()) < xfs.size() ? xfs[cell->XF()]->WbkFormat(fonts, formats).Format : WideString();
        Integer color = 0;
        FormatCellValue(v.Value, WideToUtf8(fmt), false, color);
      }
    sst.FixRefs();
    sst.SaveToStream(file);
    const Int64 before = file.Position();
    const Int64 counted = cells.TotalSize() + merged.TotalSize() + cols.TotalSize();
    cells.SaveToStream(file);
    merged.SaveToStream(file);
    cols.SaveToStream(file);
    EXPECT_EQ(file.Position() - before, counted);
  } catch (const Exception&) {
    // refused cleanly
  }
}

// Uses what a loader would use: the records, their typed fields, the shared strings, and a save.
void LoadAndSave(const std::string& compound) {
  std::istringstream in(compound);
  TOle2File file(in);
  file.SelectStream(u"Workbook");
  auto records = ReadAllRecords(file);
  for (auto& r : records) {
    try {
      if (auto* sheet = dynamic_cast<TBoundSheetRecord*>(r.get())) sheet->SheetName();
      if (auto* header = dynamic_cast<TPageHeaderFooterRecord*>(r.get())) header->Text();
      if (auto* scl = dynamic_cast<TSCLRecord*>(r.get())) scl->Zoom();
      if (auto* setup = dynamic_cast<TSetupRecord*>(r.get())) setup->GetValue();
      if (r->Id == 0x00FC) {
        const TBaseRecord* at = r.get();
        Integer ofs = 8;
        for (Cardinal i = 0, n = GetCardinal(r->Data, 4); i < n; ++i) TExcelString(2, at, ofs);
      }
    } catch (const Exception&) {
      // A damaged field fails on its own; the rest of the workbook is still usable.
    }
  }
  std::stringstream out;
  file.PrepareForWrite(out, u"Workbook");
  for (auto& r : records) r->SaveToStream(file);
  UseSecondLayer(records, file);
  file.Close();
}

enum class LoadResult { Loaded, Refused };

LoadResult LoadOutcome(const std::string& compound) {
  try {
    LoadAndSave(compound);
    return LoadResult::Loaded;
  } catch (const Exception&) {
    return LoadResult::Refused;
  }
}

const uint32_t kSpecial[] = {0, 1, 0x7F, 0xFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFC, 0x1000};

void Mutate(std::string& bytes, std::mt19937& rng, size_t from, size_t to) {
  if (to <= from + 4) return;
  int changes = 1 + static_cast<int>(rng() % 8);
  for (int k = 0; k < changes; ++k) {
    size_t pos = from + rng() % (to - from - 4);
    if (rng() % 3 == 0) {
      uint32_t v = kSpecial[rng() % std::size(kSpecial)];
      for (int i = 0; i < 4; ++i) bytes[pos + i] = static_cast<char>(v >> (8 * i));
    } else {
      bytes[pos] = static_cast<char>(rng());
    }
  }
}


// Each fixture is mutated from a seed of its own, one test each, so that they run side by side:
// 1000 damaged compound files and 700 damaged record streams per fixture.
void FuzzCompoundFile(const char* Name, unsigned Seed) {
  std::mt19937 rng(Seed);
  int refused = 0, loaded = 0;
  const std::string original = Fixture(Name);
  for (int i = 0; i < 1000; ++i) {
    std::string copy = original;
    switch (rng() % 4) {
      case 0: Mutate(copy, rng, 0, 512); break;               // header
      case 1: Mutate(copy, rng, 0, copy.size()); break;       // anywhere
      case 2: copy.resize(rng() % copy.size()); break;        // truncated
      default: Mutate(copy, rng, copy.size() - 2048, copy.size()); break;  // tables at the end
    }
    (LoadOutcome(copy) == LoadResult::Loaded ? loaded : refused)++;
  }
  EXPECT_GT(refused, 0) << Name;
  EXPECT_GT(loaded, 0) << Name;
}

void FuzzRecordStream(const char* Name, unsigned Seed) {
  std::mt19937 rng(Seed);
  int refused = 0, loaded = 0;
  std::vector<Byte> stream = StreamOf(Fixture(Name), u"Workbook");
  std::string asText(stream.begin(), stream.end());
  for (int i = 0; i < 700; ++i) {
    std::string copy = asText;
    Mutate(copy, rng, 0, copy.size());
    if (rng() % 5 == 0) copy.resize(rng() % copy.size());
    if (copy.size() < 4096) copy.resize(4096 + rng() % 3, '\0');
    std::string compound = CompoundWithStream(std::vector<Byte>(copy.begin(), copy.end()));
    (LoadOutcome(compound) == LoadResult::Loaded ? loaded : refused)++;
  }
  EXPECT_GT(refused, 0) << Name;
  EXPECT_GT(loaded, 0) << Name;
}

}  // namespace

TEST(XlsFuzzCompound, SmallGrid) { FuzzCompoundFile("small_grid.xls", 20240611); }
TEST(XlsFuzzCompound, LongStrings) { FuzzCompoundFile("long_strings.xls", 20240612); }
TEST(XlsFuzzCompound, RichText) { FuzzCompoundFile("rich_text.xls", 20240613); }
TEST(XlsFuzzCompound, Cells) { FuzzCompoundFile("cells.xls", 20240614); }
TEST(XlsFuzzCompound, NumberFormats) { FuzzCompoundFile("number_formats.xls", 20240615); }
TEST(XlsFuzzCompound, Formulas) { FuzzCompoundFile("formulas.xls", 20240616); }

TEST(XlsFuzzRecords, SmallGrid) { FuzzRecordStream("small_grid.xls", 77); }
TEST(XlsFuzzRecords, LongStrings) { FuzzRecordStream("long_strings.xls", 78); }
TEST(XlsFuzzRecords, RichText) { FuzzRecordStream("rich_text.xls", 79); }
TEST(XlsFuzzRecords, Cells) { FuzzRecordStream("cells.xls", 80); }
TEST(XlsFuzzRecords, NumberFormats) { FuzzRecordStream("number_formats.xls", 81); }
TEST(XlsFuzzRecords, Formulas) { FuzzRecordStream("formulas.xls", 82); }
