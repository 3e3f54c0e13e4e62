// The XLS file object's sheets, sizes, outline, merged cells, page setup and options, and the
// operations that answer as for a sheet without pictures, comments or hyperlinks.
#include <gtest/gtest.h>

#include "XlsTestHelpers.h"
#include "classlib/Clipbrd.h"
#include "classlib/SysUtils.h"
#include "xls/resources/XlsTemplate.h"
#include "xls/vavUXlsFile.h"

using namespace xlstest;

namespace {

std::unique_ptr<TXLSFile> NewSheetsBook(Integer Sheets) {
  auto file = std::make_unique<TXLSFile>(nullptr);
  file->Connect();
  file->NewFile(Sheets);
  return file;
}

// Marks each sheet's A1 with its number, so sheets can be told apart after deletions.
void MarkSheets(TXLSFile& book) {
  for (Integer i = 1; i <= book.SheetCount(); ++i) {
    book.SetActiveSheet(i);
    book.SetCellValue(1, 1, Variant(static_cast<double>(i)));
  }
}

double Mark(TXLSFile& book) { return book.GetCellValue(1, 1).AsDouble(); }

std::string HexOf(const std::string& text) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : text) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

TEST(XlsFileSheets, DeletingSheetsKeepsAnActiveSheetInRange) {
  auto two = NewSheetsBook(2);
  MarkSheets(*two);
  two->SetActiveSheet(1);
  two->DeleteSheet(1);
  EXPECT_EQ(two->SheetCount(), 1);
  EXPECT_EQ(two->GetActiveSheet(), 1);
  EXPECT_EQ(Mark(*two), 2);  // the former second sheet
  EXPECT_EQ(MessageOf([&] { two->DeleteSheet(1); }), "There are not visible sheets on the file");
  EXPECT_EQ(two->SheetCount(), 1);

  auto three = NewSheetsBook(3);
  MarkSheets(*three);
  three->SetActiveSheet(3);
  three->DeleteSheet(1);
  EXPECT_EQ(three->SheetCount(), 2);
  EXPECT_EQ(three->GetActiveSheet(), 2);
  EXPECT_EQ(Mark(*three), 2);
}

TEST(XlsFileSheets, InsertedSheetsAreCopiesOrEmpty) {
  auto book = NewSheetsBook(1);
  book->SetCellValue(1, 1, Variant(u"original"));
  book->InsertAndCopySheets(1, 2, 1);  // a copy after the first
  book->InsertAndCopySheets(0, 1, 1);  // an empty sheet before everything
  ASSERT_EQ(book->SheetCount(), 3);
  book->SetActiveSheet(1);
  EXPECT_TRUE(book->GetCellValue(1, 1).IsEmpty());
  book->SetActiveSheet(3);
  EXPECT_EQ(book->GetCellValue(1, 1).AsString(), "original");
}

TEST(XlsFileSheets, NamesCodeNamesVisibilityAndSelection) {
  auto book = NewSheetsBook(2);
  book->SetActiveSheet(2);
  book->SetActiveSheetName(u"Sites");
  EXPECT_EQ(book->GetActiveSheetName(), u"Sites");
  book->SetActiveSheetCodeName(u"SitesCode");
  EXPECT_EQ(book->GetActiveSheetCodeName(), u"SitesCode");
  book->SetActiveSheet(1);
  EXPECT_EQ(MessageOf([&] { book->SetActiveSheetCodeName(u"SitesCode"); }), "Sheet name already exists: SitesCode");
  book->SetActiveSheetVisible(TXlsSheetVisible::sv_Hidden);
  EXPECT_EQ(book->GetActiveSheetVisible(), TXlsSheetVisible::sv_Hidden);
  book->SelectSheet(2);
  EXPECT_EQ(book->GetActiveSheet(), 1);  // selecting the shown tab leaves the active sheet

  TMemoryStream saved;
  book->Save(false, "", nullptr, nullptr, &saved);
  saved.SetPosition(0);
  TXLSFile back(nullptr);
  back.Connect();
  back.LoadFromStream(&saved);
  EXPECT_EQ(back.GetActiveSheet(), 2);
  EXPECT_EQ(back.GetActiveSheetName(), u"Sites");
}

TEST(XlsFileSheets, ClearSheetEmptiesTheActiveSheet) {
  auto book = NewSheetsBook(1);
  book->SetCellValue(3, 3, Variant(1.0));
  book->SetColumnWidth(2, 5000);
  book->ClearSheet();
  EXPECT_EQ(book->MaxRow(), 0);
  EXPECT_EQ(book->GetColumnWidth(2), book->GetDefaultColWidth());
}

TEST(XlsFileSheets, SizesHiddenRowsAndColumnsAndOutline) {
  auto book = NewSheetsBook(1);
  EXPECT_EQ(book->GetDefaultRowHeight(), 255);
  EXPECT_EQ(book->GetColumnWidth(1), book->GetDefaultColWidth());
  book->SetColumnWidth(2, 4000);
  book->SetRowHeight(3, 600);
  EXPECT_EQ(book->GetColumnWidth(2), 4000);
  EXPECT_EQ(book->GetRowHeight(3), 600);
  EXPECT_FALSE(book->GetAutoRowHeight(3));

  book->SetRowHidden(3, true);
  book->SetColumnHidden(2, true);
  EXPECT_TRUE(book->GetRowHidden(3));
  EXPECT_TRUE(book->GetColumnHidden(2));
  EXPECT_EQ(book->GetRowHeightHiddenIsZero(3), 0);
  EXPECT_EQ(book->GetColumnWidthHiddenIsZero(2), 0);
  EXPECT_EQ(book->GetRowHeight(3), 600);

  book->SetColumnHidden(257, true);
  EXPECT_FALSE(book->GetColumnHidden(257));
  EXPECT_FALSE(book->GetColumnHidden(0));

  book->SetRowOutlineLevel(2, 4, 1);
  book->SetColOutlineLevel(5, 4, 2);  // last before first: nothing
  EXPECT_EQ(book->GetRowOutlineLevel(2), 1);
  EXPECT_EQ(book->GetRowOutlineLevel(4), 1);
  EXPECT_EQ(book->GetRowOutlineLevel(5), 0);
  EXPECT_EQ(book->GetColOutlineLevel(5), 0);
}

TEST(XlsFileSheets, RowsAndColumnsMoveTheirCells) {
  auto book = NewSheetsBook(1);
  for (Integer r = 1; r <= 3; ++r) book->SetCellValue(r, 1, Variant(static_cast<double>(r)));
  book->InsertAndCopyRows(1, 1, 3, 2, false);  // two copies of row 1 before row 3
  EXPECT_EQ(book->GetCellValue(3, 1).AsDouble(), 1);
  EXPECT_EQ(book->GetCellValue(4, 1).AsDouble(), 1);
  EXPECT_EQ(book->GetCellValue(5, 1).AsDouble(), 3);
  book->DeleteRows(3, 2);
  EXPECT_EQ(book->GetCellValue(3, 1).AsDouble(), 3);
  book->InsertAndCopyCols(1, 1, 1, 1, false);
  EXPECT_EQ(book->GetCellValue(2, 2).AsDouble(), 2);
  book->DeleteCols(1, 1);
  EXPECT_EQ(book->GetCellValue(2, 1).AsDouble(), 2);
}

TEST(XlsFileSheets, MarkedRowsAreDeletedFromTheBottomUp) {
  auto book = NewSheetsBook(1);
  const char16_t* firsts[] = {u"keep", u"#DEL", u"keep", u"#DEL", u"#DEL", u"last"};
  Integer r = 0;
  for (const char16_t* t : firsts) {
    book->SetCellValue(++r, 1, Variant(t));
    book->SetCellValue(r, 2, Variant(static_cast<double>(r)));
  }
  book->DeleteMarkedRows(u"#DEL");
  EXPECT_EQ(book->GetCellValue(1, 2).AsDouble(), 1);
  EXPECT_EQ(book->GetCellValue(2, 2).AsDouble(), 3);
  EXPECT_EQ(book->GetCellValue(3, 2).AsDouble(), 6);
  EXPECT_EQ(book->GetCellValue(3, 1).AsString(), "last");
}

TEST(XlsFileSheets, PageBreaksFromCallsAndFromMarks) {
  auto book = NewSheetsBook(1);
  book->InsertHPageBreak(5);
  book->InsertHPageBreak(3);
  book->InsertHPageBreak(5);
  book->InsertVPageBreak(2);
  EXPECT_TRUE(book->HasHPageBreak(3));
  EXPECT_TRUE(book->HasHPageBreak(5));
  EXPECT_FALSE(book->HasHPageBreak(4));
  EXPECT_TRUE(book->HasVPageBreak(2));
  book->DeleteHPageBreak(3);
  book->DeleteVPageBreak(2);
  EXPECT_FALSE(book->HasHPageBreak(3));
  EXPECT_FALSE(book->HasVPageBreak(2));

  book->SetCellValue(2, 1, Variant(u"--"));
  book->SetCellValue(2, 2, Variant(u"kept"));
  book->SetCellValue(8, 1, Variant(u"--"));
  book->MakePageBreaks(u"--");
  EXPECT_TRUE(book->GetCellValue(2, 1).IsEmpty());
  EXPECT_EQ(book->GetCellValue(2, 2).AsString(), "kept");
  EXPECT_TRUE(book->HasHPageBreak(1));  // above model row 1: between rows 1 and 2
  EXPECT_TRUE(book->HasHPageBreak(7));

  TempDir dir;
  const std::string path = dir.File("breaks.xls");
  book->Save(false, path, nullptr, nullptr, nullptr);
  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  EXPECT_EQ(RunXlrd(python,
                    "import sys,xlrd\n"
                    "s=xlrd.open_workbook(sys.argv[1],formatting_info=True).sheet_by_index(0)\n"
                    "print(s.horizontal_page_breaks, s.vertical_page_breaks)\n",
                    path),
            "[(1, 0, 255), (5, 0, 255), (7, 0, 255)] []\n");
}

TEST(XlsFileSheets, MergedCellsCountFromOne) {
  auto book = NewSheetsBook(1);
  book->MergeCells(2, 2, 3, 4);
  EXPECT_EQ(book->CellMergedListCount(), 1);
  EXPECT_EQ(book->GetCellMergedBounds(3, 3), (TXlsCellRange{2, 2, 4, 3}));
  EXPECT_EQ(book->GetCellMergedBounds(7, 7), (TXlsCellRange{7, 7, 7, 7}));
  EXPECT_EQ(book->GetCellMergedList(0), (TXlsCellRange{2, 2, 4, 3}));
  book->UnMergeCells(2, 2, 3, 4);
  EXPECT_EQ(book->CellMergedListCount(), 0);
}

TEST(XlsFileSheets, PageSetupViewAndOptions) {
  auto book = NewSheetsBook(1);
  EXPECT_EQ(book->GetPrintOptions() & 4, 4);  // the template has no printer settings
  EXPECT_EQ(book->GetPrintScale(), 100);      // so its printer fields read as defaults
  book->SetPrintOptions(static_cast<Byte>(book->GetPrintOptions() & ~4));
  EXPECT_EQ(book->GetPrintOptions() & 4, 0);
  EXPECT_EQ(book->GetPrintScale(), 255);
  book->SetPrintScale(100);
  EXPECT_EQ(book->GetPrintScale(), 100);
  EXPECT_TRUE(book->GetShowGridLines());
  book->SetShowGridLines(false);
  EXPECT_FALSE(book->GetShowGridLines());
  EXPECT_TRUE(book->GetOutlineSummaryRowsBelowDetail());
  EXPECT_TRUE(book->GetOutlineSummaryColsRightOfDetail());
  EXPECT_FALSE(book->GetOutlineAutomaticStyles());
  book->SetOutlineSummaryRowsBelowDetail(false);
  book->SetOutlineAutomaticStyles(true);
  book->SetPageHeader(u"&CSpecies");
  EXPECT_EQ(book->GetPageHeader(), u"&CSpecies");

  book->FreezePanes(2, 1);
  Integer row = 0, col = 0;
  book->GetFrozenPanes(row, col);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(col, 1);

  EXPECT_FALSE(book->GetOptions1904Dates());
  EXPECT_FALSE(book->GetOptionsR1C1());
  book->SetOptionsR1C1(true);
  EXPECT_TRUE(book->GetOptionsR1C1());
  EXPECT_EQ(book->GetAutoFilterRange(), (TXlsCellRange{0, 0, 0, 0}));

  // What was set survives a save.
  TMemoryStream saved;
  book->Save(false, "", nullptr, nullptr, &saved);
  saved.SetPosition(0);
  TXLSFile back(nullptr);
  back.Connect();
  back.LoadFromStream(&saved);
  EXPECT_EQ(back.GetPrintScale(), 100);
  EXPECT_FALSE(back.GetShowGridLines());
  EXPECT_EQ(back.GetPageHeader(), u"&CSpecies");
  EXPECT_FALSE(back.GetOutlineSummaryRowsBelowDetail());
  EXPECT_TRUE(back.GetOutlineSummaryColsRightOfDetail());
  EXPECT_TRUE(back.GetOutlineAutomaticStyles());
  back.GetFrozenPanes(row, col);
  EXPECT_EQ(row, 2);
}

TEST(XlsFileSheets, NamesOfCellAreasAreAddedReplacedAndRead) {
  auto book = NewSheetsBook(2);
  EXPECT_EQ(book->GetRangeCount(), 0);
  EXPECT_EQ(MessageOf([&] { book->GetRangeName(1); }), "The index \"1\" of the property \"Index\" is not in the range 1-0");
  book->SetActiveSheet(2);
  // The print titles as the grid export makes them: rows, then rows and columns.
  TXlsNamedRange titles{WideString(1, u'\x07'), u"=$A$1:$IV$1", 0, 0, 2};
  book->AddRange(titles);
  titles.RangeFormula = u"=$A$1:$IV$2, $A$1:$B$65536";
  book->AddRange(titles);
  TXlsNamedRange sites{u"Sites", u"=$B$3:$D$9", 0, 0, 0};
  book->AddRange(sites);
  ASSERT_EQ(book->GetRangeCount(), 2);
  EXPECT_EQ(book->GetRangeName(2), u"Sites");
  EXPECT_EQ(book->GetRangeR1(2), 3);
  EXPECT_EQ(book->GetRangeR2(2), 9);
  EXPECT_EQ(book->GetRangeC1(2), 2);
  EXPECT_EQ(book->GetRangeC2(2), 4);
  EXPECT_EQ(book->GetRangeR1(1), 0);  // two areas: no single reference
  book->SetRangeC2(2, 6);
  EXPECT_EQ(book->GetRangeC2(2), 6);
  book->SetBounds(2);
  EXPECT_EQ(book->GetFirstColumn(), 2);
  book->SetCellValue(4, 3, Variant(5.0));
  EXPECT_EQ(book->CellCount(4), 5);
  EXPECT_EQ(book->GetCellData(4, 1).AsDouble(), 5.0);  // relative to column B

  // A name that reads as a cell is refused; so are formulas that do not parse.
  const std::pair<TXlsNamedRange, const char*> wrong[] = {
      {{u"A1", u"=$A$1", 0, 0, 0}, "Invalid named range: \"A1\""},
      {{u"Bad", u"=SUM(A1:A2", 0, 0, 0}, "Unexpected end of formula: \"=SUM(A1:A2\""},
      {{u"X", u"A1", 0, 0, 0}, "Formula must start with \"=\": \"A1\""}};
  for (auto [w, message] : wrong) {
    EXPECT_EQ(MessageOf([&] { book->AddRange(w); }), message);
    EXPECT_EQ(w.NameSheetIndex, 0);
  }
  EXPECT_EQ(book->GetRangeCount(), 2);

  TempDir dir;
  const std::string path = dir.File("names.xls");
  book->Save(false, path, nullptr, nullptr, nullptr);
  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  EXPECT_EQ(RunXlrd(python,
                    "import sys,xlrd\n"
                    "b=xlrd.open_workbook(sys.argv[1])\n"
                    "for n in b.name_obj_list:\n"
                    "  print(n.name, n.scope, [tuple(r.coords) for r in n.result.value])\n",
                    path),
            "Print_Titles 1 [(1, 2, 0, 2, 0, 256), (1, 2, 0, 65536, 0, 2)]\n"
            "Sites -1 [(1, 2, 2, 9, 1, 6)]\n");

  // LibreOffice opens it too (it converts the first sheet).
  book->SetActiveSheet(1);
  book->SetCellValue(1, 1, Variant(5.0));
  book->Save(false, dir.File("names2.xls"), nullptr, nullptr, nullptr);
  if (!testsupport::LibreOfficeConvert(dir.Path, {"names2.xls"}, "csv")) GTEST_SKIP() << "soffice is not installed";
  EXPECT_EQ(xlstest::ReadFileBytes(dir.File("names2.csv")), "5\n");
}

// A block copied in another workbook lands with its top-left cell at the given cell, with
// formats made equal in this workbook.
TEST(XlsFileSheets, PastedWorkbookDataLandsAtTheGivenCell) {
  auto source = NewSheetsBook(1);
  TWbkFormat bold = source->GetFormatList(15);
  bold.Font.Style = {flsBold};
  source->SetCellValueX(2, 2, TXlsCellValue{Variant(u"b2"), source->AddFormat(bold), false});
  source->SetCellValue(2, 3, Variant(23.0));
  source->SetCellValue(3, 2, Variant(true));
  source->SetCellValue(3, 3, Variant(u"c3"));
  // What a copy of B2:C3 puts on the clipboard: a workbook of that range only.
  std::istringstream container(XlsEmptyWorkbookTemplate());
  std::stringstream copied;
  {
    TOle2File file(container);
    file.PrepareForWrite(copied, u"Workbook");
    source->GetTWorkbook()->SaveRangeToStream(file, 0, TXlsCellRange{1, 1, 2, 2});
    file.Close();
  }

  auto target = NewSheetsBook(1);
  Clipboard()->SetAsFormat("Biff8", copied.str());
  target->PasteFromClipboard(10, 5);
  EXPECT_EQ(target->GetCellValue(10, 5).AsString(), "b2");
  EXPECT_EQ(target->GetFormatList(target->GetCellFormat(10, 5)).Font.Style, Set<TWbkFontStyle>{flsBold});
  EXPECT_EQ(target->GetCellValue(10, 6).AsDouble(), 23.0);
  EXPECT_TRUE(target->GetCellValue(11, 5).AsBoolean());
  EXPECT_EQ(target->GetCellValue(11, 6).AsString(), "c3");
  EXPECT_TRUE(target->GetCellValue(9, 5).IsEmpty());
  EXPECT_TRUE(target->GetCellValue(12, 7).IsEmpty());
  EXPECT_TRUE(target->GetInvalidateFormulas());

  Clipboard()->SetAsFormat("Biff8", "not a workbook");
  EXPECT_EQ(MessageOf([&] { target->PasteFromClipboard(1, 1); }), "Error reading Excel records. File invalid");
  Clipboard()->Clear();
}

TEST(XlsFileSheets, SheetsWithoutPicturesCommentsOrLinks) {
  auto book = NewSheetsBook(1);
  book->BeginSheet();
  EXPECT_EQ(book->GetPicturesCount(0), 0);
  EXPECT_EQ(book->GetPicturesCount(3), 0);
  EXPECT_EQ(book->GetCommentsCount(1), 0);
  EXPECT_EQ(book->GetCommentColumn(1, 0), 1);
  EXPECT_EQ(book->GetCellComment(1, 1), u"");
  EXPECT_EQ(book->HyperLinkCount(), 0);
  EXPECT_EQ(MessageOf([&] { book->DeleteImage(0); }),
            "The index \"0\" of the property \"ImageIndex\" is not in the range 0--1");
  EXPECT_EQ(MessageOf([&] { book->GetHyperLink(1); }),
            "The index \"1\" of the property \"HyperLinkIndex\" is not in the range 1-0");
  // There is no picture 0 to read.
  TXlsImgTypes type = TXlsImgTypes::xli_Png;
  TClientAnchor anchor;
  anchor.Col1 = 9;
  EXPECT_EQ(MessageOf([&] { book->GetPicture(0, 0, nullptr, type, anchor); }), XlsMsg::AssertIndex);
  EXPECT_EQ(anchor.Col1, 0);
}

}  // namespace

namespace {

TEST(XlsFileComments, MadeCommentsAreReadBackByTheEngineXlrdAndLibreOffice) {
  auto book = NewSheetsBook(2);
  book->SetActiveSheet(2);
  book->SetCellValue(1, 1, Variant(u"x"));
  TImageProperties box;
  box.Col1 = 3, box.Row1 = 1, box.Col2 = 5, box.Row2 = 4;
  book->SetCellComment(2, 2, u"A note on beta", box);
  book->SetCellComment(5, 1, u"First line\nΩmega", TImageProperties{});
  book->SetCellComment(7, 3, u"to be removed", TImageProperties{});
  book->SetCellComment(7, 3, u"", TImageProperties{});
  book->SetCellComment(8, 8, u"", TImageProperties{});  // nothing there: nothing happens
  book->SetCellComment(5, 1, u"Ωmega only", TImageProperties{});
  EXPECT_EQ(book->GetCommentsCount(2), 1);
  EXPECT_EQ(book->GetCommentsCount(7), 0);
  EXPECT_EQ(book->GetCellComment(2, 2), u"A note on beta");
  EXPECT_EQ(book->GetCommentText(5, 0), u"Ωmega only");
  EXPECT_EQ(book->GetCommentColumn(5, 0), 1);
  const std::string second = WideToUtf8(book->GetActiveSheetName());
  book->SetActiveSheet(1);
  book->SetCellComment(1, 1, u"on the first sheet", TImageProperties{});

  TempDir dir;
  const std::string path = dir.File("comments.xls");
  book->Save(false, path, nullptr, nullptr, nullptr);
  auto back = std::make_unique<TXLSFile>(nullptr);
  back->Connect();
  back->OpenFile(path);
  EXPECT_EQ(back->GetCellComment(1, 1), u"on the first sheet");
  back->SetActiveSheet(2);
  EXPECT_EQ(back->GetCellComment(2, 2), u"A note on beta");
  EXPECT_EQ(back->GetCellComment(5, 1), u"Ωmega only");
  ExpectOlefileAgrees(xlstest::ReadFileBytes(path), dir, "copy.xls");

  const std::string python = PythonWithXlrd();
  if (!python.empty()) {
    EXPECT_EQ(RunXlrd(python,
                      "import sys,xlrd\n"
                      "b=xlrd.open_workbook(sys.argv[1],formatting_info=True)\n"
                      "for s in b.sheets():\n"
                      "  for k in sorted(s.cell_note_map): print(s.name, k, s.cell_note_map[k].text.encode('utf-8').hex())\n",
                      path),
              "Sheet1 (0, 0) " + HexOf("on the first sheet") + "\n" + second + " (1, 1) " + HexOf("A note on beta") +
                  "\n" + second + " (4, 0) " + HexOf("Ωmega only") + "\n");
  }
  // LibreOffice reads the comments: converted back to a workbook of its own, they are there.
  if (!testsupport::LibreOfficeConvert(dir.Path, {"comments.xls"}, "xls:MS Excel 97", dir.Path / "lo"))
    GTEST_SKIP() << "soffice is not installed";
  auto viaLibreOffice = std::make_unique<TXLSFile>(nullptr);
  viaLibreOffice->Connect();
  viaLibreOffice->OpenFile((dir.Path / "lo" / "comments.xls").string());
  EXPECT_EQ(viaLibreOffice->GetCellComment(1, 1), u"on the first sheet");
  viaLibreOffice->SetActiveSheet(2);
  EXPECT_EQ(viaLibreOffice->GetCellComment(2, 2), u"A note on beta");
  EXPECT_EQ(viaLibreOffice->GetCellComment(5, 1), u"Ωmega only");
}

TEST(XlsFileComments, MadeCommentsFollowTheirRowsAndLeaveWithTheirSheets) {
  auto book = NewSheetsBook(2);
  book->SetCellComment(2, 1, u"two", TImageProperties{});
  book->SetCellComment(4, 1, u"four", TImageProperties{});
  book->InsertAndCopyRows(1, 1, 1, 2, false);  // two rows above
  book->DeleteRows(6, 1);                      // the row of "four", now row 6
  book->SetCellComment(9, 2, u"nine", TImageProperties{});
  EXPECT_EQ(book->GetCellComment(4, 1), u"two");
  EXPECT_EQ(book->GetCellComment(2, 1), u"");
  EXPECT_EQ(book->GetCellComment(9, 2), u"nine");
  EXPECT_EQ(book->GetCommentsCount(6), 0);

  book->SetActiveSheet(2);
  book->SetCellComment(1, 1, u"on two", TImageProperties{});
  book->SetActiveSheet(1);
  book->DeleteSheet(1);
  EXPECT_EQ(book->GetCellComment(1, 1), u"on two");
  TMemoryStream saved;
  book->Save(false, "", nullptr, nullptr, &saved);
  saved.SetPosition(0);
  TXLSFile back(nullptr);
  back.Connect();
  back.LoadFromStream(&saved);
  EXPECT_EQ(back.GetCellComment(1, 1), u"on two");
  book->ClearSheet();
  EXPECT_EQ(book->GetCellComment(1, 1), u"");
  // No sheet holds a drawing any more: the drawing group counts none.
  TEscherDggRecord* dgg = book->GetTWorkbook()->Globals().DrawingGroup().FRecordCache.Dgg;
  ASSERT_NE(dgg, nullptr);
  EXPECT_TRUE(dgg->IsEmpty());
  EXPECT_EQ(dgg->FDgg().ShapesSaved, 0u);
}

TEST(XlsFileComments, SheetsWithDrawingsOfTheirOwnGetNewComments) {
  auto book = std::make_unique<TXLSFile>(nullptr);
  book->Connect();
  book->OpenFile(FixturePath("workbook_features.xls"));
  book->SetCellComment(9, 9, u"new", TImageProperties{});
  book->SetCellComment(2, 2, u"changed beta", TImageProperties{});
  EXPECT_EQ(book->GetCellComment(9, 9), u"new");
  EXPECT_EQ(book->GetCellComment(2, 2), u"changed beta");
  EXPECT_EQ(book->GetCommentsCount(2), 1);
}

}  // namespace
