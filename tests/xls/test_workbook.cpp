// Whole workbooks: every fixture loads into the workbook with its sheets, values and cached
// formula results, and comes out again whole. The independent readers (xlrd, LibreOffice,
// olefile) must see in the saved file what they see in the original.
#include <gtest/gtest.h>

#include "WorkbookTestHelpers.h"
#include "xls/vavUBiffClientData.h"
#include "classlib/SysUtils.h"
#include "xls/vavUBiffFormula.h"

using namespace xlstest;

namespace {

const char* const kFixtures[] = {"small_grid.xls", "long_strings.xls", "rich_text.xls", "number_formats.xls",
                                 "cells.xls",      "booleans_errors.xls", "workbook_features.xls",
                                 "sheet_references.xls", "sheet_objects.xls"};

String CellText(TWorkbook& wb, Integer sheet, Integer row, Integer col) {
  return VariantToString(wb.WorkSheetAt(sheet).Cells().CellList().GetValue(row, col).Value);
}

// Every sheet as xlrd sees it: name, visibility, cells, merges, column widths, row heights.
const char* kReaderScript =
    "import sys,xlrd\n"
    "b=xlrd.open_workbook(sys.argv[1],formatting_info=True)\n"
    "for s in b.sheets():\n"
    "  print('sheet',s.name.encode('utf-8').hex(),s.visibility,s.nrows,s.ncols)\n"
    "  for r in range(s.nrows):\n"
    "    for c in range(s.ncols):\n"
    "      if s.cell_type(r,c)!=0: print(r,c,s.cell_type(r,c),repr(s.cell_value(r,c)).encode('utf-8').hex())\n"
    "  for m in sorted(s.merged_cells): print('merge',*m)\n"
    "  for c in sorted(s.colinfo_map): print('width',c,s.colinfo_map[c].width,s.colinfo_map[c].hidden)\n"
    "  for r in sorted(s.rowinfo_map): print('height',r,s.rowinfo_map[r].height)\n";

}  // namespace

TEST(Workbook, FeatureFixtureLoadsEveryPart) {
  auto wb = LoadWorkbook(Fixture("workbook_features.xls"));
  TWorkbookGlobals& g = wb->Globals();
  ASSERT_EQ(wb->Sheets().Count(), 3);
  EXPECT_EQ(g.GetSheetName(0), u"Data");
  EXPECT_EQ(g.GetSheetName(1), u"Second");
  EXPECT_EQ(g.GetSheetName(2), u"Hidden");
  EXPECT_EQ(g.GetSheetVisible(2), TXlsSheetVisible::sv_Hidden);
  EXPECT_EQ(wb->ActiveSheet(), 0);

  EXPECT_EQ(CellText(*wb, 0, 0, 0), "1.5");
  EXPECT_EQ(CellText(*wb, 0, 0, 1), "alpha");
  EXPECT_EQ(CellText(*wb, 0, 0, 2), "True");
  EXPECT_EQ(CellText(*wb, 0, 1, 2), "False");
  EXPECT_EQ(CellText(*wb, 0, 1, 0), "-42");
  EXPECT_EQ(CellText(*wb, 0, 2, 0), "1000000.25");
  // =A1*2 with its cached result.
  TXlsCellValue formula = wb->WorkSheetAt(0).Cells().CellList().GetValue(2, 2);
  EXPECT_TRUE(formula.IsFormula);
  EXPECT_EQ(VariantToString(formula.Value), "3");
  // CONCATENATE(B1;"-";B2) with its text result from the STRING record that follows it.
  TXlsCellValue text = wb->WorkSheetAt(0).Cells().CellList().GetValue(2, 1);
  EXPECT_TRUE(text.IsFormula);
  EXPECT_EQ(VariantToString(text.Value), "alpha-beta");
  EXPECT_EQ(CellText(*wb, 1, 0, 0), "second sheet");
  EXPECT_EQ(CellText(*wb, 2, 0, 0), "hidden value");

  TWorkSheet& data = wb->WorkSheetAt(0);
  EXPECT_EQ(data.CellMergedListCount(), 1);
  EXPECT_EQ(data.CellMergedBounds(4, 2), (TXlsCellRange{1, 3, 2, 4}));
  EXPECT_EQ(data.GetColWidth(1), 5715);
  EXPECT_EQ(data.GetRowHeight(1), 680);
  EXPECT_EQ(data.Notes().Count(), 1);
  // The chart's stream belongs to its shape's OBJ in the drawing, not to a sheet of its own.
  bool chartInDrawing = false;
  const TEscherObjCache* objects = data.Drawing().RecordCache().Obj.get();
  ASSERT_NE(objects, nullptr);
  for (Integer i = 0; i < objects->Count(); ++i) {
    auto* obj = dynamic_cast<VAvObj*>(static_cast<TEscherClientDataRecord*>((*objects)[i])->ClientData.get());
    chartInDrawing |= obj && obj->Chart() && (*obj->Chart())[0]->Id == BiffId::BOF;
  }
  EXPECT_TRUE(chartInDrawing);
}

TEST(Workbook, FormulaKeepsItsTextResultAndCompanions) {
  // A string formula that refers to the shared formula of its cell (B1), the SHRFMLA with the
  // shared tokens (A1, stored as an offset of one column left) and the cached text: read as the
  // formula's text and value, and written back as the cell's own formula with its text.
  const std::vector<Byte> formula =
      Rec(0x0006, Join({Bytes16(0), Bytes16(1), Bytes16(15), {0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, Bytes16(8), Bytes32(0),
                        Bytes16(5), {0x01, 0, 0, 1, 0}}));
  const std::vector<Byte> shrfmla =
      Rec(0x04BC, Join({Bytes16(0), Bytes16(0), {1, 1, 0, 1}, Bytes16(5), {0x2C, 0, 0, 0xFF, 0xC0}}));
  const std::vector<Byte> string = Rec(0x0207, {5, 0, 0, 'h', 'e', 'l', 'l', 'o'});
  const std::vector<Byte> sheet = Join({Rec(0x0208, Join({Bytes16(0), Bytes16(1), Bytes16(2), Bytes16(255), Bytes32(0),
                                                          Bytes16(0x100), Bytes16(15)})),
                                        formula, shrfmla, string, Rec(0x023E, std::vector<Byte>(18, 0))});
  std::vector<Byte> stream = OneSheetWorkbook(Join({Filler(), MinimalFormats()}), sheet);
  auto wb = LoadWorkbook(CompoundWithStream(stream));
  TCellList& cells = wb->WorkSheetAt(0).Cells().CellList();
  TXlsCellValue v = cells.GetValue(0, 1);
  EXPECT_TRUE(v.IsFormula);
  EXPECT_EQ(VariantToString(v.Value), "hello");
  EXPECT_EQ(cells.GetFormula(0, 1), u"=A1");
  std::vector<Byte> saved = StreamOf(SaveWorkbook(*wb, CompoundWithStream(stream)), u"Workbook");
  auto records = PlainRecords(saved);
  size_t at = 0;
  while (at < records.size() && records[at].Id != 0x0006) ++at;
  ASSERT_LT(at + 1, records.size());
  EXPECT_EQ(std::vector<Byte>(records[at].Data.begin() + 20, records[at].Data.end()),
            (std::vector<Byte>{5, 0, 0x24, 0, 0, 0, 0xC0}));
  EXPECT_EQ(records[at].Data[14], 0x02);  // calculated on load, no longer shared
  EXPECT_EQ(records[at + 1].Id, 0x0207);
  EXPECT_EQ(records[at + 1].Data, std::vector<Byte>({5, 0, 0, 'h', 'e', 'l', 'l', 'o'}));
  for (const auto& r : records) EXPECT_NE(r.Id, 0x04BC);

  // A STRING with no formula before it in the sheet is refused.
  std::vector<Byte> orphan = OneSheetWorkbook(Join({Filler(), MinimalFormats()}), Join({Rec(0x0042, {0, 0}), string}));
  EXPECT_EQ(MessageOf([&] { LoadWorkbook(CompoundWithStream(orphan)); }), "Error reading Excel records. File invalid");
}

TEST(Workbook, EveryFixtureSavesTheSameBytesTheSecondTime) {
  for (const char* name : kFixtures) {
    SCOPED_TRACE(name);
    const std::string original = Fixture(name);
    auto first = LoadWorkbook(original);
    const std::string saved1 = SaveWorkbook(*first, original);
    auto second = LoadWorkbook(saved1);
    const std::string saved2 = SaveWorkbook(*second, saved1);
    EXPECT_EQ(StreamOf(saved1, u"Workbook"), StreamOf(saved2, u"Workbook"));
    EXPECT_TRUE(saved1 == saved2) << "the compound files differ";

    // Same sheets and the same values as the original.
    ASSERT_EQ(second->Sheets().Count(), first->Sheets().Count());
    for (Integer s = 0; s < first->Sheets().Count(); ++s) {
      EXPECT_EQ(second->Globals().GetSheetName(s), first->Globals().GetSheetName(s));
      if (!first->IsWorksheet(s)) continue;
      TCellList& a = first->WorkSheetAt(s).Cells().CellList();
      TCellList& b = second->WorkSheetAt(s).Cells().CellList();
      ASSERT_EQ(a.Count(), b.Count());
      for (Integer r = 0; r < a.Count(); ++r)
        for (Integer i = 0; a[r] && i < a[r]->Count(); ++i) {
          const Integer c = (*a[r])[i]->Column();
          EXPECT_EQ(VariantToString(b.GetValue(r, c).Value), VariantToString(a.GetValue(r, c).Value)) << r << "," << c;
        }
    }
  }
}

TEST(Workbook, SavedSizesAndSheetOffsetsMatchWhatIsWritten) {
  // Rows without ROW records: the save gives them records, and the offsets in BOUNDSHEET still
  // point at each sheet's BOF.
  const std::string original = Fixture("workbook_features.xls");
  auto plain = PlainRecords(StreamOf(original, u"Workbook"));
  std::vector<TPlainRecord> stripped;
  for (auto& r : plain)
    if (r.Id != 0x0208) stripped.push_back(r);
  std::vector<Byte> stream = JoinRecords(stripped);
  const std::string container = RewriteStream(original, u"Workbook", stream);
  auto wb = LoadWorkbook(container);
  const std::string saved = SaveWorkbook(*wb, container);
  std::vector<Byte> out = StreamOf(saved, u"Workbook");
  auto records = PlainRecords(out);

  std::vector<size_t> bofs, offsets;
  Integer depth = 0;
  for (auto& r : records) {
    if (r.Id == BiffId::BOF && depth++ == 0) bofs.push_back(r.Offset);
    if (r.Id == BiffId::EOF_) --depth;
    if (r.Id == 0x0085) offsets.push_back(GetCardinal(r.Data, 0));
  }
  ASSERT_EQ(offsets.size(), 3u);
  ASSERT_EQ(bofs.size(), 4u);
  for (size_t i = 0; i < offsets.size(); ++i) EXPECT_EQ(offsets[i], bofs[i + 1]);
  Int64 total = wb->Globals().TotalSize();
  for (Integer i = 0; i < wb->Sheets().Count(); ++i) total += wb->Sheets()[i]->TotalSize();
  EXPECT_EQ(static_cast<size_t>(total), records.back().Offset + 4);

  // Each row that holds cells has a ROW record covering them.
  size_t rows = 0;
  for (auto& r : records)
    if (r.Id == 0x0208 && GetWord(r.Data, 0) == 1) {
      ++rows;
      EXPECT_EQ(GetWord(r.Data, 2), 0);
      EXPECT_EQ(GetWord(r.Data, 4), 3);
    }
  EXPECT_EQ(rows, 1u);  // row 1 of "Data", written once
}

TEST(Workbook, DamagedStreamsAreRefused) {
  const std::vector<Byte> sheet = Join({Rec(0x023E, std::vector<Byte>(18, 0))});
  std::vector<Byte> whole = OneSheetWorkbook(Join({Filler(), MinimalFormats()}), sheet);
  std::vector<Byte> noEof(whole.begin(), whole.end() - 4);
  std::vector<Byte> pastEnd = Join({noEof, {0x42, 0x00, 0x40, 0x00, 1, 2, 3}});
  std::vector<Byte> betweenSections = OneSheetWorkbook(Join({Filler(), MinimalFormats()}), sheet);
  // A stray record between the globals and the sheet.
  auto plain = PlainRecords(betweenSections);
  for (size_t i = 0; i < plain.size(); ++i)
    if (plain[i].Id == BiffId::BOF && i > 0) {
      plain.insert(plain.begin() + static_cast<long>(i), TPlainRecord{0x0042, {0, 0}, 0});
      break;
    }
  struct Case { const char* what; std::vector<Byte> stream; };
  const Case cases[] = {
      {"no EOF at the end", noEof},
      {"record past the end of the stream", pastEnd},
      {"record between sections", JoinRecords(plain)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Byte> stream = c.stream;
    if (stream.size() < 4096) stream.resize(4096, 0);
    EXPECT_EQ(MessageOf([&] { LoadWorkbook(CompoundWithStream(stream)); }), "Error reading Excel records. File invalid");
  }
  // Zero padding after the last section is not a record.
  std::vector<Byte> padded = whole;
  padded.resize(whole.size() + 300, 0);
  EXPECT_EQ(MessageOf([&] { LoadWorkbook(CompoundWithStream(padded)); }), "(no error)");
}

TEST(Workbook, IndependentReadersSeeTheSameWorkbook) {
  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  TempDir dir;
  for (const char* name : kFixtures) {
    SCOPED_TRACE(name);
    const std::string original = Fixture(name);
    auto wb = LoadWorkbook(original);
    const std::string saved = SaveWorkbook(*wb, original);
    const std::string path = dir.File(std::string("saved_") + name);
    WriteFileBytes(path, saved);
    EXPECT_EQ(RunXlrd(python, kReaderScript, path), RunXlrd(python, kReaderScript, FixturePath(name)));
    ExpectOlefileAgrees(saved, dir, std::string("ole_") + name);
    // The streams the engine does not own come back byte for byte, as olefile reads both files.
    const std::string olefile = PythonWithOlefile();
    if (olefile.empty()) continue;
    bool ok = false;
    const std::string originalPath = dir.File(std::string("original_") + name);
    WriteFileBytes(originalPath, original);
    auto theirs = OlefileListing(olefile, originalPath, ok);
    auto ours = OlefileListing(olefile, path, ok);
    EXPECT_TRUE(theirs.erase(HexUtf16(u"Workbook")));
    EXPECT_TRUE(ours.erase(HexUtf16(u"Workbook")));
    EXPECT_EQ(ours, theirs);
  }
}

TEST(Workbook, LibreOfficeReadsTheSavedFiles) {
  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "soffice is not installed";
  TempDir dir;
  std::vector<std::string> inputs;
  for (const char* name : kFixtures) {
    const std::string original = Fixture(name);
    auto wb = LoadWorkbook(original);
    WriteFileBytes(dir.File(std::string("o_") + name), original);
    WriteFileBytes(dir.File(std::string("s_") + name), SaveWorkbook(*wb, original));
    inputs.push_back(std::string("o_") + name);
    inputs.push_back(std::string("s_") + name);
  }
  // One conversion run for every file keeps the test short; every sheet goes to its own file
  // ("<file>-<sheet>.csv").
  testsupport::LibreOfficeConvert(dir.Path, inputs,
                                  "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1");
  for (const char* name : kFixtures) {
    SCOPED_TRACE(name);
    const std::string stem = std::string(name).substr(0, std::string(name).size() - 4);
    auto wb = LoadWorkbook(Fixture(name));
    for (Integer s = 0; s < wb->Globals().SheetCount(); ++s) {
      const std::string sheet = WideToUtf8(wb->Globals().GetSheetName(s));
      SCOPED_TRACE(sheet);
      const std::string theirs = xlstest::ReadFileBytes(dir.File("o_" + stem + "-" + sheet + ".csv"));
      EXPECT_FALSE(theirs.empty());
      EXPECT_EQ(xlstest::ReadFileBytes(dir.File("s_" + stem + "-" + sheet + ".csv")), theirs);
    }
  }
}

TEST(Workbook, RangeSaveWritesOneSheetWithItsOffset) {
  const std::string original = Fixture("workbook_features.xls");
  auto wb = LoadWorkbook(original);
  std::istringstream in(original);
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  wb->SaveRangeToStream(file, 0, TXlsCellRange{0, 0, 1, 2});
  const Int64 written = file.Position();
  file.Close();
  auto records = PlainRecords(StreamOf(out.str(), u"Workbook"));
  std::vector<size_t> bofs, offsets;
  for (auto& r : records) {
    if (r.Id == BiffId::BOF && GetWord(r.Data, 2) != 0x0020) bofs.push_back(r.Offset);
    if (r.Id == 0x0085) offsets.push_back(GetCardinal(r.Data, 0));
  }
  ASSERT_EQ(offsets.size(), 1u);
  ASSERT_EQ(bofs.size(), 2u);
  EXPECT_EQ(offsets[0], bofs[1]);
  EXPECT_EQ(written, wb->Globals().TotalRangeSize(0, TXlsCellRange{0, 0, 1, 2}) +
                         wb->Sheets()[0]->TotalRangeSize(0, TXlsCellRange{0, 0, 1, 2}));
  auto copy = LoadWorkbook(out.str());
  ASSERT_EQ(copy->Sheets().Count(), 1);
  EXPECT_EQ(CellText(*copy, 0, 1, 1), "beta");
  EXPECT_EQ(CellText(*copy, 0, 3, 0), "");  // outside the range
}
