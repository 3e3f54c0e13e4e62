// The cell store: the record each kind of value becomes, formats and default formats, row
// records made and trimmed, rows and columns inserted, copied and deleted, and the saved cell
// area, counted exactly and read back by an independent reader.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUBiffCells.h"

using namespace xlstest;

namespace {

struct Sheet {
  TSST sst;
  TColInfoList cols;
  TCells cells{&sst, &cols};
  TCellList& list() { return cells.CellList(); }

  void Set(Integer r, Integer c, const Variant& v, Integer xf = -1, bool is1904 = false) {
    TXlsCellValue value;
    value.Value = v;
    value.XF = xf;
    list().SetValueX2(r, c, value, {}, is1904);
  }
  const TCellRecord* Cell(Integer r, Integer c) {
    TCellRecordList* row = list().RowList(r);
    Integer index = 0;
    return row && row->Find(c, index) ? (*row)[index] : nullptr;
  }
};

TEST(CellStore, EachKindOfValueBecomesItsRecord) {
  Sheet s;
  s.Set(0, 0, 1.0);
  s.Set(0, 1, 0.1);
  s.Set(0, 2, 1e300);
  s.Set(0, 3, true);
  s.Set(0, 4, Variant(u"text"));
  s.Set(0, 5, Variant::FromDate(45000), -1, true);
  s.Set(0, 6, Variant(Integer(7)));
  EXPECT_EQ(s.Cell(0, 0)->Id, 0x027E);
  EXPECT_EQ(GetCardinal(s.Cell(0, 1)->Data, 6), 0x40240001u);
  EXPECT_EQ(s.Cell(0, 2)->Id, 0x0203);
  EXPECT_EQ(s.Cell(0, 3)->Id, 0x0205);
  EXPECT_EQ(s.Cell(0, 4)->Id, 0x00FD);
  EXPECT_EQ(s.list().GetValue(0, 5).Value.AsDouble(), 45000 - 1462);
  EXPECT_EQ(s.list().GetValue(0, 6).Value.AsDouble(), 7);
  EXPECT_EQ(s.list().GetValue(0, 4).Value.AsWideString(), u"text");
  EXPECT_EQ(s.list().GetValue(0, 4).XF, 15);
  EXPECT_TRUE(s.list().GetValue(0, 3).Value.AsBoolean());
  TRowRecord* row = s.cells.RowList().Row(0);
  EXPECT_EQ(row->MinCol(), 0);
  EXPECT_EQ(row->MaxCol(), 7);

  // Replacing a text cell releases its string.
  s.Set(0, 4, 2.5);
  EXPECT_EQ(s.sst.RefCount(s.sst.Entry(0)), 0);
  // Rich text keeps its runs.
  TXlsCellValue rich;
  rich.Value = Variant(u"bold");
  s.list().SetValueX2(1, 0, rich, {{0, 5}}, false);
  TXlsCellValue back;
  TRTFRunList runs;
  s.list().GetValueX2(1, 0, back, runs);
  EXPECT_EQ(runs, (TRTFRunList{{0, 5}}));
}

TEST(CellStore, EmptyValuesFormatsAndTrimmedRows) {
  Sheet s;
  s.Set(3, 2, Variant());
  EXPECT_EQ(s.cells.RowList().Count(), 0);  // no cell, and the row record made for it is gone
  s.Set(3, 2, Variant(u""), 20);
  EXPECT_EQ(s.Cell(3, 2)->Id, 0x0201);      // a blank cell carrying its format
  EXPECT_EQ(s.list().GetValue(3, 2).XF, 20);
  s.list().SetFormat(3, 4, 21);
  EXPECT_EQ(s.Cell(3, 4)->XF(), 21);
  s.list().SetFormat(3, 4, 22);
  EXPECT_EQ(s.Cell(3, 4)->XF(), 22);

  s.Set(1, 0, 5.0);
  s.Set(3, 2, Variant(), 15);
  s.Set(3, 4, Variant(), 15);
  // The last row is cleared: it and every empty row above it down to row 1 go.
  EXPECT_EQ(s.cells.RowList().Count(), 2);
  EXPECT_EQ(s.list().GetValue(9, 9).XF, -1);  // beyond the last row: no cell, no error

  // A formatted column gives new cells its format.
  s.cols.Add(std::make_unique<TColInfo>(6, 2000, 30, 0));
  EXPECT_EQ(s.list().DefaultFormat(0, 6), 30);
  s.Set(0, 6, 1.0);
  EXPECT_EQ(s.Cell(0, 6)->XF(), 30);

  EXPECT_EQ(MessageOf([&] { s.list().GetValue(65536, 0); }), "Invalid Row (65536)");
  EXPECT_EQ(MessageOf([&] { s.Set(0, 256, 1.0); }), "Invalid Column (256)");
  EXPECT_EQ(MessageOf([&] { s.Set(-1, 0, 1.0); }), "Invalid Row (-1)");
}

// The cell area as saved, with its size checked against what was counted.
std::vector<Byte> Saved(TCells& cells) {
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  cells.FixRows();
  const Int64 counted = cells.TotalSize();
  cells.SaveToStream(file);
  EXPECT_EQ(file.Position(), counted);
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  stream.resize(static_cast<size_t>(counted));
  return stream;
}

TEST(CellStore, EmptySheetWritesDimensionsOnly) {
  Sheet s;
  EXPECT_EQ(Saved(s.cells), Rec(0x0200, Join({Bytes32(0), Bytes32(0), Bytes16(0), Bytes16(1), Bytes16(0)})));
}

TEST(CellStore, RowsCopiedAndDeleted) {
  Sheet s;
  TSheetInfo info;
  info.InsSheet = 0;
  info.FormulaSheet = 0;
  for (Integer r = 0; r < 4; ++r) s.Set(r, 0, static_cast<double>(r + 1));
  // Rows 2..3 copied to row 0: the sources have moved down by 2 when they are read.
  s.cells.InsertAndCopyRows(2, 3, 0, 1, info, false);
  const double expected[] = {3, 4, 1, 2, 3, 4};
  for (Integer r = 0; r < 6; ++r) EXPECT_EQ(s.list().GetValue(r, 0).Value.AsDouble(), expected[r]) << r;
  for (Integer r = 0; r < 6; ++r) EXPECT_EQ(s.Cell(r, 0)->Row(), r);
  // Rows 0..1 copied to row 8: read in place.
  s.cells.InsertAndCopyRows(0, 1, 8, 1, info, false);
  EXPECT_EQ(s.list().GetValue(8, 0).Value.AsDouble(), 3);
  EXPECT_EQ(s.list().GetValue(9, 0).Value.AsDouble(), 4);
  s.cells.DeleteRows(0, 2, info);
  EXPECT_EQ(s.list().GetValue(0, 0).Value.AsDouble(), 1);
  EXPECT_EQ(s.Cell(6, 0)->Row(), 6);

  // Columns: deleting moves cells left and leaves the column records where they were.
  s.Set(0, 3, 9.0);
  s.cols.Add(std::make_unique<TColInfo>(3, 2000, 15, 0));
  s.cells.DeleteCols(1, 2, info);
  EXPECT_EQ(s.list().GetValue(0, 1).Value.AsDouble(), 9);
  Integer index = 0;
  EXPECT_TRUE(s.cols.Find(3, index));
  EXPECT_EQ(s.cells.RowList().Row(0)->MaxCol(), 2);
  s.cells.InsertAndCopyCols(0, 0, 1, 2, info, false);
  EXPECT_EQ(s.list().GetValue(0, 1).Value.AsDouble(), 1);
  EXPECT_EQ(s.list().GetValue(0, 2).Value.AsDouble(), 1);
  EXPECT_EQ(s.list().GetValue(0, 3).Value.AsDouble(), 9);  // moved right by the insertion
}

TEST(CellStore, SavedAreaIsReadByAnIndependentReader) {
  Sheet s;
  for (Integer r = 0; r < 40; ++r) {
    s.Set(r, 2, static_cast<double>(r));
    s.Set(r, 3, r + 0.25);
    s.Set(r, 4, 1.0 / (r + 3));
  }
  s.Set(5, 0, true);
  s.Set(6, 0, Variant(String("#N/A")), -1);
  s.Set(7, 0, Variant(u"Zürich"));
  s.Set(8, 0, Variant(u"Ωmega"));
  s.Set(9, 1, Variant(), 20);
  auto area = Saved(s.cells);
  // Rows 0..31 form the first block: its ROW records come before its cells.
  EXPECT_EQ(GetWord(area, 18), 0x0208);
  std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";

  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream scratch;
  TOle2File file(in);
  file.PrepareForWrite(scratch, u"Workbook");
  s.sst.FixRefs();
  s.sst.SaveToStream(file);
  file.Close();
  std::vector<Byte> sstBytes = StreamOf(scratch.str(), u"Workbook");
  sstBytes.resize(static_cast<size_t>(s.sst.TotalSize()));
  area = Saved(s.cells);  // with the save indexes the table just assigned
  TempDir dir;
  std::string path = dir.File("cells.xls");
  WriteFileBytes(path, CompoundWithStream(OneSheetWorkbook(Join({MinimalFormats(), sstBytes}), area)));
  std::string out = RunXlrd(python,
                            "import sys,xlrd\n"
                            "s=xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                            "print(s.nrows, s.ncols)\n"
                            "for r in (0, 7, 39):\n"
                            "  print(repr([s.cell_value(r,c) for c in (2,3,4)]))\n"
                            "print(s.cell_type(5,0), s.cell_value(5,0), s.cell_type(6,0), s.cell_value(6,0))\n"
                            "print(s.cell_value(7,0).encode('utf-8').hex(), s.cell_value(8,0).encode('utf-8').hex())\n",
                            path);
  EXPECT_EQ(out,
            "40 5\n"
            "[0.0, 0.25, 0.3333333333333333]\n"
            "[7.0, 7.25, 0.1]\n"
            "[39.0, 39.25, 0.023809523809523808]\n"
            "4 1 1 #N/A\n"
            "5ac3bc72696368 cea96d656761\n");
}

}  // namespace
