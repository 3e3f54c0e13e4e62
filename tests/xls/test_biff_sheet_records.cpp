// Typed fields of the row, cell and sheet-structure records and of the window, print and
// option records: values read from fixtures, the rules of each setter, and bytes written.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "xls/vavUBiffOptionRecords.h"
#include "xls/vavUBiffOtherRecords.h"

using namespace xlstest;

namespace {
ArrayOfByte Words(std::initializer_list<Word> words) {
  ArrayOfByte data;
  for (Word w : words) data.insert(data.end(), {static_cast<Byte>(w), static_cast<Byte>(w >> 8)});
  return data;
}

template <class T>
std::vector<const T*> All(const std::vector<std::unique_ptr<TBaseRecord>>& records) {
  std::vector<const T*> found;
  for (auto& r : records)
    if (auto* t = dynamic_cast<const T*>(r.get())) found.push_back(t);
  return found;
}

// What one record writes.
std::vector<Byte> Written(const TBaseRecord& record) { return SavedStream([&] {
  std::vector<std::unique_ptr<TBaseRecord>> one;
  one.push_back(record.DoCopyTo());
  return one;
}()); }
}  // namespace

TEST(SheetRecords, FieldsReadFromAFixture) {
  auto records = RecordsOf(Fixture("rich_text.xls"));
  auto sheets = All<TBoundSheetRecord>(records);
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_EQ(sheets[0]->SheetName(), u"Data");
  EXPECT_EQ(sheets[1]->SheetName(), u"Second sheet");
  // The offset of each sheet is where its BOF record starts in the stream.
  std::vector<Byte> stream = StreamOf(Fixture("rich_text.xls"), u"Workbook");
  for (auto* sheet : sheets) EXPECT_EQ(GetWord(stream, sheet->Offset()), BiffId::BOF);
  auto bofs = All<TBOFRecord>(records);
  ASSERT_EQ(bofs.size(), 3u);
  EXPECT_EQ(bofs[0]->BOFType(), TBOFRecord::Globals);
  EXPECT_EQ(bofs[1]->BOFType(), TBOFRecord::Worksheet);

  auto dims = All<TDimensionsRecord>(records);
  ASSERT_EQ(dims.size(), 2u);
  EXPECT_EQ(dims[0]->Dim().LastRow, 1u);  // one row used: last row + 1
  EXPECT_EQ(dims[0]->Dim().LastCol, 2);
  auto windows = All<TWindow2Record>(records);
  EXPECT_TRUE(windows[0]->Selected());
  EXPECT_FALSE(windows[1]->Selected());
  EXPECT_TRUE(windows[0]->ShowGridLines());
  EXPECT_EQ(All<TSSTRecord>(records)[0]->Count(), 2u);
  auto window1 = All<TWindow1Record>(records);
  ASSERT_EQ(window1.size(), 1u);
  EXPECT_EQ(window1[0]->ActiveSheet(), 0);
}

TEST(SheetRecords, RowAndColumnMoves) {
  auto cell = [](Word row, Word col) { return TCellRecord::CreateFromData<TCellRecord>(0x0203, 14, row, col, 15); };
  TSheetInfo info;
  info.InsSheet = info.FormulaSheet = 0;
  auto below = cell(150, 3), above = cell(99, 3);
  below->ArrangeInsertRowsAndCols(100, 10, 300, 0, info);
  above->ArrangeInsertRowsAndCols(100, 10, 300, 0, info);
  EXPECT_EQ(below->Row(), 160);
  EXPECT_EQ(above->Row(), 99);
  EXPECT_EQ(below->XF(), 15);
  EXPECT_EQ(below->DataSize(), 14);

  auto last = cell(65535, 0);
  EXPECT_EQ(MessageOf([&] { last->ArrangeInsertRowsAndCols(0, 1, 300, 0, info); }),
            "Too many entries for this kind of record (65536 out of a maximum of 65535)");
  EXPECT_EQ(last->Row(), 65535);
  auto other = cell(5, 5);
  TSheetInfo otherSheet;
  otherSheet.InsSheet = 1;
  otherSheet.FormulaSheet = 0;
  other->ArrangeInsertRowsAndCols(0, 10, 0, 10, otherSheet);
  EXPECT_EQ(other->Row(), 5);
  other->ArrangeInsertRowsAndCols(0, -3, 0, -5, info);  // deleting
  EXPECT_EQ(other->Row(), 2);
  EXPECT_EQ(other->Column(), 0);

  auto moved = cell(7, 2);
  moved->ArrangeCopyRowsAndCols(3, 0);
  EXPECT_EQ(moved->Row(), 10);
  EXPECT_EQ(MessageOf([] { TBaseRowColRecord(0x001C, {1, 2, 3}); }), "Record with ID 0x1C is invalid");
}

TEST(SheetRecords, RowRecordOptions) {
  auto row = TRowRecord::CreateStandard(4);
  EXPECT_EQ(row->DataSize(), 16);
  EXPECT_EQ(row->Height(), 255);
  EXPECT_FALSE(row->IsModified());
  EXPECT_EQ(row->XF(), 15);
  row->SetXF(20);
  EXPECT_EQ(row->Options(), 0x0180);
  EXPECT_TRUE(row->IsModified());
  EXPECT_EQ(row->XF(), 20);
  row->Hide(true);
  row->ManualHeight();
  row->SetRowOutlineLevel(9);
  EXPECT_TRUE(row->IsHidden());
  EXPECT_FALSE(row->IsAutoHeight());
  EXPECT_EQ(row->Options() & 7, 1);

  // Reading clears the reserved word at offset 8.
  ArrayOfByte data(16, 0x11);
  TRowRecord read(0x0208, data);
  EXPECT_EQ(GetWord(read.Data, 8), 0);

  // Saving a range narrows the columns only in what is written.
  row->SetMinCol(0);
  row->SetMaxCol(200);
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  row->SaveRangeToStream(file, 2, 9);
  file.Close();
  std::vector<Byte> stream = StreamOf(out.str(), u"Workbook");
  EXPECT_EQ(GetWord(stream, 4 + 2), 2);
  EXPECT_EQ(GetWord(stream, 4 + 4), 10);
  EXPECT_EQ(row->MinCol(), 0);
  EXPECT_EQ(row->MaxCol(), 200);
}

TEST(SheetRecords, GutsPaneAndStructureRecords) {
  TGutsRecord guts(0x0080, ArrayOfByte(8, 0));
  struct Level { Integer level; Word width, stored; };
  for (const Level& l : {Level{0, 0, 0}, Level{3, 65, 4}, Level{7, 113, 8}, Level{9, 113, 8}, Level{-2, 0, 0}}) {
    guts.SetRowLevel(l.level);
    EXPECT_EQ(GetWord(guts.Data, 0), l.width) << l.level;
    EXPECT_EQ(guts.RowLevel(), l.stored) << l.level;
  }
  guts.SetColLevel(2);
  EXPECT_EQ(GetWord(guts.Data, 2), 53);
  EXPECT_EQ(guts.ColLevel(), 3);

  struct Pane { Word active, colSplit, rowSplit, expected; };
  for (const Pane& p : {Pane{0, 0, 4, 2}, Pane{0, 3, 0, 1}, Pane{0, 0, 0, 3}, Pane{0, 2, 2, 0}, Pane{1, 0, 5, 3},
                        Pane{2, 5, 0, 3}, Pane{2, 0, 5, 2}, Pane{3, 0, 0, 3}}) {
    TPaneRecord pane(0x0041, ArrayOfByte(10, 0));
    pane.SetColSplit(p.colSplit);
    pane.SetRowSplit(p.rowSplit);
    pane.SetActivePane(p.active);
    pane.EnsureSelectedVisible();
    EXPECT_EQ(pane.ActivePane(), p.expected) << p.active << " " << p.colSplit << " " << p.rowSplit;
  }

  auto sheet = TBoundSheetRecord::CreateNew(0x0000, u"Alpha");
  sheet->SetOffset(1234);
  sheet->SetSheetName(u"\u03A3igma sheet");
  EXPECT_EQ(sheet->SheetName(), u"\u03A3igma sheet");
  EXPECT_EQ(sheet->Offset(), 1234u);
  EXPECT_EQ(sheet->DataSize(), 6 + 2 + 2 * 11);
  EXPECT_EQ(MessageOf([&] { sheet->SetSheetName(WideString(256, u'x')); }), "Invalid String record");
  EXPECT_EQ(TCodeNameRecord::CreateNew(u"Sheet1")->SheetName(), u"Sheet1");

  auto txo = TTXORecord::CreateFromData();
  EXPECT_EQ(txo->DataSize(), 18);
  EXPECT_EQ(GetWord(txo->Data, 0), 0x0212);
  TObjRecord obj(0x005D, Words({21, 18, 7, 0}));
  EXPECT_EQ(obj.CmoId(), 7);
  EXPECT_EQ(TTemplateRecord::GetSize(true), 4);
  EXPECT_EQ(MessageOf([] { TBOFRecord(0x0809, Words({0x0500, 0x0010})); }), "Template file is saved with an invalid Excel version");
}

TEST(OptionRecords, WindowRecords) {
  TWindow2Record w2(0x023E, Words({0x06B6, 0, 0, 0, 0, 0, 100, 0, 0}));
  EXPECT_TRUE(w2.ShowGridLines());
  EXPECT_FALSE(w2.IsFrozen());
  EXPECT_TRUE(w2.Selected());
  auto copy = w2.DoCopyTo();
  EXPECT_FALSE(static_cast<TWindow2Record*>(copy.get())->Selected());
  w2.SetSelected(false);
  EXPECT_EQ(w2.Options(), 0x00B6);
  w2.SetIsFrozen(true);
  EXPECT_EQ(w2.Options(), 0x00BE);
  for (auto [set, stored] : {std::pair{5, 10}, std::pair{150, 150}, std::pair{1000, 400}}) {
    w2.SetSheetZoom(set);
    EXPECT_EQ(w2.SheetZoom(), stored);
  }

  TWindow1Record w1(0x003D, Words({0, 0, 0, 0, 0x38, 5, 3, 0, 2}));
  w1.SetActiveSheet(2);
  EXPECT_EQ(w1.FirstSheetVisible(), 0);
  EXPECT_EQ(w1.SelectedSheetCount(), 1);
  std::vector<Byte> written = Written(w1);
  EXPECT_EQ(GetWord(written, 4 + 4), 1);  // width 0 written as 1
  EXPECT_EQ(GetWord(written, 4 + 6), 1);
  EXPECT_EQ(w1.Width(), 0);

  struct Scl { Word numerator, denominator; Integer zoom; };
  for (const Scl& s : {Scl{3, 4, 75}, Scl{1, 3, 33}, Scl{1, 8, 12}, Scl{3, 8, 38}, Scl{5, 0, 100}}) {
    TSCLRecord scl(0x00A0, Words({s.numerator, s.denominator}));
    EXPECT_EQ(scl.Zoom(), s.zoom) << s.numerator << "/" << s.denominator;
  }
  auto scl = TSCLRecord::CreateFromData(1000);
  EXPECT_EQ(GetWord(scl->Data, 0), 400);
  EXPECT_EQ(GetWord(scl->Data, 2), 100);
}

TEST(OptionRecords, SetupRecordPrinterFields) {
  TSetupRec setup;
  setup.PaperSize = 9;
  setup.Scale = 55;
  setup.GrBit = 0x0104;  // printer fields not valid
  setup.Copies = 3;
  setup.HeaderMargin = 0.5;
  TSetupRecord record(0x00A1, ArrayOfByte(34, 0));
  record.SetValue(setup);
  EXPECT_EQ(record.Scale(), 100);
  EXPECT_EQ(record.PrintPaperSize(), 0);
  EXPECT_EQ(record.PrintCopies(), 1);
  EXPECT_EQ(record.PrintXResolution(), 100);
  EXPECT_EQ(record.HeaderMargin(), 0.5);
  record.SetScale(80);
  EXPECT_EQ(record.Scale(), 80);
  EXPECT_EQ(record.PrintOptions(), 0x0000);  // bit 2 cleared, and only the low 8 bits kept
  EXPECT_EQ(record.PrintPaperSize(), 9);
  EXPECT_EQ(record.GetValue().Copies, 3);
  TSetupRecord shortRecord(0x00A1, ArrayOfByte(20, 0));
  EXPECT_EQ(MessageOf([&] { shortRecord.SetValue(setup); }), "Error in Setup Record");
  EXPECT_EQ(MessageOf([&] { shortRecord.FooterMargin(); }), "Error reading record");
}

TEST(OptionRecords, SwitchesWidthsMarginsAndTexts) {
  TWsBoolRecord wsbool(0x0081, Words({0x05C1}));
  wsbool.SetFitToPage(false);
  EXPECT_EQ(wsbool.Value(), 0x04C1);
  wsbool.SetFitToPage(false);
  EXPECT_EQ(wsbool.Value(), 0x04C1);
  EXPECT_TRUE(wsbool.OutlineSummaryRowsBelowDetail());

  // Stored word -> property, for the switches whose meaning is inverted and those that are not.
  TRefModeRecord refmode(0x000F, Words({1}));
  TPrecisionRecord precision(0x000E, Words({1}));
  TBookBoolRecord bookbool(0x00DA, Words({0}));
  T1904Record dates(0x0022, Words({0}));
  EXPECT_FALSE(refmode.IsR1C1());
  EXPECT_FALSE(precision.PrecisionAsDisplayed());
  EXPECT_TRUE(bookbool.SaveExternalLinkValues());
  EXPECT_FALSE(dates.Is1904());
  refmode.SetIsR1C1(true);
  precision.SetPrecisionAsDisplayed(true);
  bookbool.SetSaveExternalLinkValues(false);
  dates.SetIs1904(true);
  EXPECT_EQ(refmode.Value(), 0);
  EXPECT_EQ(precision.Value(), 0);
  EXPECT_EQ(bookbool.Value(), 1);
  EXPECT_EQ(dates.Value(), 1);
  TPrintCenteredRecord centered(0x0083, Words({2}));
  EXPECT_FALSE(centered.Centered());
  TPrintGridLinesRecord grid(0x002B, Words({1}));
  EXPECT_TRUE(grid.Value());

  TDefColWidthRecord defcol(0x0055, Words({300}));
  EXPECT_EQ(GetWord(Written(defcol), 4), 255);
  EXPECT_EQ(defcol.Width(), 300);

  TMarginRecord margin(0x0026, ArrayOfByte(8, 0));
  margin.SetValue(0.75);
  EXPECT_EQ(margin.Value(), 0.75);
  TMarginRecord badMargin(0x0026, ArrayOfByte(4, 0));
  EXPECT_EQ(MessageOf([&] { badMargin.SetValue(1); }), "Error in Margin Record");

  TPageHeaderRecord header(0x0014, {});
  EXPECT_EQ(header.Text(), u"");
  header.SetText(u"&CPage &P");
  EXPECT_EQ(header.DataSize(), 3 + 9);
  EXPECT_EQ(header.Text(), u"&CPage &P");
  header.SetText(u"\u03A3");
  EXPECT_EQ(header.DataSize(), 3 + 2);

  TWindow2Record empty(0x023E, {});
  EXPECT_EQ(MessageOf([&] { empty.Selected(); }), "Error reading record");
}

TEST(OptionRecords, PrinterDriverData) {
  TPrinterDriverSettings settings;
  settings.OperatingEnviroment = 1;
  settings.Data.assign(100, 0x5A);
  auto pls = TPlsRecord::CreateFromData(settings);
  EXPECT_EQ(pls->DataSize(), 102);
  settings.Data.assign(120, 0x6B);
  pls->SetPrinterData(settings);
  EXPECT_EQ(pls->DataSize(), 122);
  EXPECT_EQ(pls->TotalSize(), 126);
  std::vector<Byte> written = Written(*pls);
  EXPECT_EQ(written.size(), 126u);
  EXPECT_EQ(written.back(), 0x6B);
  EXPECT_EQ(pls->GetPrinterData().Data, settings.Data);
  EXPECT_EQ(pls->GetPrinterData().OperatingEnviroment, 1);
}
