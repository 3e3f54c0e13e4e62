// Sheet operations of the workbook (insert, copy, delete, rename, hide, move), checked by
// saving and loading again; the globals' names, palette and record order; worksheet sizes,
// merges, outline levels and defaults.
#include <gtest/gtest.h>

#include "WorkbookTestHelpers.h"

using namespace xlstest;

namespace {

std::unique_ptr<TWorkbook> Reloaded(TWorkbook& wb, const std::string& container) {
  return LoadWorkbook(SaveWorkbook(wb, container));
}

String Cell(TWorkbook& wb, Integer sheet, Integer row, Integer col) {
  return VariantToString(wb.WorkSheetAt(sheet).Cells().CellList().GetValue(row, col).Value);
}

std::vector<WideString> Names(TWorkbook& wb) {
  std::vector<WideString> names;
  for (Integer i = 0; i < wb.Globals().SheetCount(); ++i) names.push_back(wb.Globals().GetSheetName(i));
  return names;
}

// The records of one sheet section of a saved stream.
std::vector<TPlainRecord> SheetRecords(const std::string& saved, Integer sheet) {
  auto all = PlainRecords(StreamOf(saved, u"Workbook"));
  std::vector<TPlainRecord> out;
  Integer section = -1, depth = 0;
  for (auto& r : all) {
    if (r.Id == BiffId::BOF && depth++ == 0) ++section;
    if (section == sheet + 1) out.push_back(r);
    if (r.Id == BiffId::EOF_) --depth;
  }
  return out;
}

const std::string kFeatures = "workbook_features.xls";

const std::vector<Byte> kEmptyArea = Join({Bytes32(0), Bytes32(0), Bytes16(0), Bytes16(1), Bytes16(0)});

// The data of the one DIMENSIONS record of a saved sheet (empty when there is none or more).
std::vector<Byte> Dimensions(const std::string& saved, Integer sheet) {
  std::vector<std::vector<Byte>> found;
  for (auto& r : SheetRecords(saved, sheet))
    if (r.Id == 0x0200) found.push_back(r.Data);
  return found.size() == 1 ? found[0] : std::vector<Byte>{};
}

}  // namespace

TEST(WorkbookSheets, InsertedEmptySheetsSaveAndReload) {
  const std::string original = Fixture(kFeatures);
  auto wb = LoadWorkbook(original);
  wb->InsertSheets(-1, 1, 2);
  // Each new sheet goes in before the one made before it.
  EXPECT_EQ(Names(*wb), (std::vector<WideString>{u"Data", u"Sheet1", u"Sheet", u"Second", u"Hidden"}));
  const std::string saved = SaveWorkbook(*wb, original);
  auto again = LoadWorkbook(saved);
  EXPECT_EQ(Names(*again), Names(*wb));
  EXPECT_EQ(again->Globals().GetSheetVisible(4), TXlsSheetVisible::sv_Hidden);
  EXPECT_EQ(Cell(*again, 3, 0, 0), "second sheet");
  EXPECT_EQ(Cell(*again, 4, 0, 0), "hidden value");
  // The empty sheet's only cell area is DIMENSIONS 0, 0, 0, 1.
  EXPECT_EQ(Dimensions(saved, 1), kEmptyArea);
  EXPECT_EQ(again->WorkSheetAt(1).GetColWidth(3), 2344);  // DEFCOLWIDTH 8 of an empty sheet
  EXPECT_EQ(again->WorkSheetAt(1).GetRowHeight(3), 255);
  // A reference to sheet 2 ("Second") moves with it.
  const std::string python = PythonWithXlrd();
  if (python.empty()) return;
  TempDir dir;
  WriteFileBytes(dir.File("inserted.xls"), saved);
  std::string names = RunXlrd(python, "import sys,xlrd\nprint([s.name for s in xlrd.open_workbook(sys.argv[1]).sheets()])\n",
                              dir.File("inserted.xls"));
  EXPECT_EQ(names, "['Data', 'Sheet1', 'Sheet', 'Second', 'Hidden']\n");
}

TEST(WorkbookSheets, SheetsLeftWithoutRowsWriteTheEmptyArea) {
  // "Second" loses its only row; on the inserted empty sheet empty rows are copied down, which
  // leaves empty slots in its row list but no row record.
  const std::string original = Fixture(kFeatures);
  auto wb = LoadWorkbook(original);
  wb->DeleteRowsAndCols(1, 0, 1, 0, 0);
  wb->InsertSheets(-1, 3, 1);
  wb->InsertAndCopyRowsAndCols(3, 0, 2, 5, 2, 0, 0, 0, 0, false);
  const std::string saved = SaveWorkbook(*wb, original);
  EXPECT_EQ(Dimensions(saved, 1), kEmptyArea);
  EXPECT_EQ(Dimensions(saved, 3), kEmptyArea);
  // The offsets still point at each sheet's BOF.
  auto again = LoadWorkbook(saved);
  ASSERT_EQ(again->Sheets().Count(), 4);
  EXPECT_EQ(Cell(*again, 1, 0, 0), "");
  EXPECT_EQ(Cell(*again, 2, 0, 0), "hidden value");
}

TEST(WorkbookSheets, CopyRenameHideMoveAndDelete) {
  const std::string original = Fixture(kFeatures);
  auto wb = LoadWorkbook(original);
  // Copy "Data" to the end, then change the copy: the source stays as it was.
  wb->InsertSheets(0, 3, 1);
  wb->WorkSheetAt(3).Cells().CellList().SetValueX2(0, 0, TXlsCellValue{Variant(99.0), 15, false}, {}, false);
  wb->Globals().SetSheetName(3, u"Copy/of:Data");
  wb->Globals().SetSheetVisible(1, TXlsSheetVisible::sv_Hidden);
  auto again = Reloaded(*wb, original);
  EXPECT_EQ(Names(*again), (std::vector<WideString>{u"Data", u"Second", u"Hidden", u"Copy_of.Data"}));
  EXPECT_EQ(Cell(*again, 0, 0, 0), "1.5");
  EXPECT_EQ(Cell(*again, 3, 0, 0), "99");
  EXPECT_EQ(Cell(*again, 3, 0, 1), "alpha");
  EXPECT_EQ(again->WorkSheetAt(3).CellMergedListCount(), 1);
  EXPECT_EQ(again->WorkSheetAt(3).GetColWidth(1), 5715);
  EXPECT_EQ(again->Globals().GetSheetVisible(1), TXlsSheetVisible::sv_Hidden);
  EXPECT_FALSE(again->WorkSheetAt(3).Selected());

  // Move "Hidden" to the front: a copy before sheet 0, then the original goes.
  again->InsertSheets(2, 0, 1);
  again->DeleteSheets(3, 1);
  again->Globals().SetSheetName(0, u"Moved");
  again->SetActiveSheet(1);
  again->Globals().SetSheetVisible(0, TXlsSheetVisible::sv_Visible);
  auto moved = Reloaded(*again, original);
  EXPECT_EQ(Names(*moved), (std::vector<WideString>{u"Moved", u"Data", u"Second", u"Copy_of.Data"}));
  EXPECT_EQ(Cell(*moved, 0, 0, 0), "hidden value");
  EXPECT_EQ(moved->ActiveSheet(), 1);
  EXPECT_TRUE(moved->WorkSheetAt(1).Selected());

  moved->DeleteSheets(0, 2);
  auto deleted = Reloaded(*moved, original);
  EXPECT_EQ(Names(*deleted), (std::vector<WideString>{u"Second", u"Copy_of.Data"}));
  EXPECT_EQ(Cell(*deleted, 1, 1, 1), "beta");
}

TEST(WorkbookSheets, ReferencesNamesAndTheActiveTabFollowTheirSheets) {
  const std::string original = Fixture("sheet_references.xls");
  auto wb = LoadWorkbook(original);
  ASSERT_EQ(Names(*wb), (std::vector<WideString>{u"Front", u"Middle", u"Back"}));
  wb->InsertSheets(-1, 1, 1);  // Front, Sheet, Middle, Back
  wb->InsertSheets(3, 0, 1);   // a copy of Back first
  EXPECT_EQ(wb->ActiveSheet(), 1);  // still Front
  wb->Globals().SetSheetName(3, u"Centre");
  wb->Globals().SetSheetVisible(2, TXlsSheetVisible::sv_Hidden);
  wb->InsertSheets(0, 5, 1);  // the copy moves to the end: copied there, then deleted
  wb->DeleteSheets(0, 1);
  const std::string saved = SaveWorkbook(*wb, original);
  auto again = LoadWorkbook(saved);
  const WideString copyName = again->Globals().GetSheetName(4);
  EXPECT_EQ(Names(*again), (std::vector<WideString>{u"Front", u"Sheet", u"Centre", u"Back", copyName}));
  EXPECT_EQ(again->ActiveSheet(), 0);
  EXPECT_TRUE(again->Sheets()[0]->Selected());
  EXPECT_EQ(Cell(*again, 4, 1, 1), "4");
  {
    // Deleting the active sheet makes the next visible one active and selected.
    auto reduced = LoadWorkbook(saved);
    reduced->DeleteSheets(0, 1);
    EXPECT_EQ(reduced->ActiveSheet(), 1);
    EXPECT_TRUE(reduced->Sheets()[1]->Selected());
    EXPECT_EQ(Names(*LoadWorkbook(SaveWorkbook(*reduced, original))),
              (std::vector<WideString>{u"Sheet", u"Centre", u"Back", copyName}));
  }

  const std::string python = PythonWithXlrd();
  if (python.empty()) GTEST_SKIP() << "python3 with xlrd is not installed";
  TempDir dir;
  WriteFileBytes(dir.File("moved.xls"), saved);
  // xlrd resolves each name through the external-sheet table to sheet indexes.
  const char* script =
      "import sys,xlrd\n"
      "b=xlrd.open_workbook(sys.argv[1])\n"
      "print([(s.name,s.visibility) for s in b.sheets()])\n"
      "for n in b.name_obj_list:\n"
      "  print(n.name,n.scope,[(r.shtxlo,r.shtxhi,r.rowxlo,r.rowxhi,r.colxlo,r.colxhi) for r in n.result.value])\n";
  EXPECT_EQ(RunXlrd(python, script, dir.File("moved.xls")),
            "[('Front', 0), ('Sheet', 1), ('Centre', 0), ('Back', 0), ('" + WideToUtf8(copyName) + "', 0)]\n"
            "BackBlock -1 [(3, 4, 0, 2, 0, 2)]\n"
            "MiddleCell -1 [(2, 3, 0, 1, 0, 1)]\n"
            "Corner 3 [(3, 4, 1, 2, 1, 2)]\n"
            // The copies of Back carry their own names, pointing at the copy: Corner, local to
            // Back, and BackBlock, the workbook's name for an area of Back.
            "BackBlock 4 [(4, 5, 0, 2, 0, 2)]\n"
            "Corner 4 [(4, 5, 1, 2, 1, 2)]\n");

  // LibreOffice shows the formulas of Front with the sheets they point at, by their new names.
  if (!testsupport::LibreOfficeConvert(dir.Path, {"moved.xls"},
                                       "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,true"))
    GTEST_SKIP() << "soffice is not installed";
  EXPECT_EQ(xlstest::ReadFileBytes(dir.File("moved.csv")), "=$Centre.A1+$Back.A1,=SUM($Back.A1:B2),=SUM(BackBlock)\n");
}

TEST(WorkbookSheets, RefusedOperationsChangeNothing) {
  const std::string original = Fixture(kFeatures);
  auto wb = LoadWorkbook(original);
  struct Case { const char* what; std::function<void()> action; const char* message; };
  const Case cases[] = {
      {"copy from past the end", [&] { wb->InsertSheets(3, 0, 1); }, "Sheet number \"3\" invalid. Must be between -1 and 2"},
      {"insert past the end", [&] { wb->InsertSheets(-1, 4, 1); }, "Sheet number \"4\" invalid. Must be between 0 and 3"},
      {"delete past the end", [&] { wb->DeleteSheets(4, 1); }, "Sheet number \"4\" invalid. Must be between 0 and 3"},
      {"rename to a used name", [&] { wb->Globals().SetSheetName(0, u"SECOND"); }, "Sheet name already exists: SECOND"},
      {"rows into the copied block", [&] { wb->InsertAndCopyRowsAndCols(0, 2, 5, 3, 1, 0, 0, 0, 0, false); },
       "Ivalid arguments to call InsertAndCopyRows"},
      {"columns past the last", [&] { wb->InsertAndCopyRowsAndCols(0, 0, 0, 0, 0, 0, 10, 250, 1, false); },
       "Ivalid arguments to call InsertAndCopyRows"},
      {"rows on a missing sheet", [&] { wb->InsertAndCopyRowsAndCols(7, 0, 0, 0, 1, 0, 0, 0, 0, false); },
       "Sheet number \"7\" invalid. Must be between 0 and 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(MessageOf(c.action), c.message);
    EXPECT_EQ(Names(*wb), (std::vector<WideString>{u"Data", u"Second", u"Hidden"}));
  }
  // DestRow = FirstRow is allowed: rows 0..1 copied once before row 0.
  wb->InsertAndCopyRowsAndCols(0, 0, 1, 0, 1, 0, 0, 0, 0, false);
  auto again = Reloaded(*wb, original);
  EXPECT_EQ(Cell(*again, 0, 0, 1), "alpha");
  EXPECT_EQ(Cell(*again, 0, 2, 1), "alpha");
  EXPECT_EQ(Cell(*again, 0, 4, 0), "1000000.25");
  EXPECT_EQ(again->WorkSheetAt(0).CellMergedBounds(5, 1), (TXlsCellRange{1, 5, 2, 6}));
}

TEST(WorkbookSheets, SavingNeedsAVisibleSelectedSheet) {
  const std::string original = Fixture(kFeatures);
  auto wb = LoadWorkbook(original);
  wb->Globals().SetSheetVisible(0, TXlsSheetVisible::sv_Hidden);
  EXPECT_EQ(MessageOf([&] { SaveWorkbook(*wb, original); }), "To save this file, you must select a visible sheet");
  wb->SetActiveSheet(1);
  wb->Globals().SetSheetVisible(1, TXlsSheetVisible::sv_VeryHidden);
  wb->SetActiveSheet(2);
  EXPECT_EQ(MessageOf([&] { SaveWorkbook(*wb, original); }), "To save this file, you must select a visible sheet");
  wb->Sheets()[2]->SetSelected(false);
  EXPECT_EQ(MessageOf([&] { SaveWorkbook(*wb, original); }), "There are not visible sheets on the file");
}

TEST(WorkbookSheets, ReferencesAndNamesFollowSheetChanges) {
  TReferences refs;
  refs.AddSupBook(std::make_unique<TSupBookRecord>(0x01AE, ArrayOfByte{3, 0, 1, 4}));
  // Entries: sheet 0, sheet 1..2, sheet 2.
  refs.AddExternRef(TBaseRecord(0x0017, Join({Bytes16(3), Bytes16(0), Bytes16(0), Bytes16(0), Bytes16(0), Bytes16(1),
                                              Bytes16(2), Bytes16(0), Bytes16(2), Bytes16(2)})));
  refs.InsertSheets(1, 2);  // two sheets before "1"
  refs.InsertSheets(0, -1);  // the first sheet goes
  TempDir dir;
  std::istringstream in(Fixture("small_grid.xls"));
  std::stringstream out;
  TOle2File file(in);
  file.PrepareForWrite(out, u"Workbook");
  refs.SaveToStream(file);
  EXPECT_EQ(file.Position(), refs.TotalSize());
  file.Close();
  auto records = PlainRecords(StreamOf(out.str(), u"Workbook"));
  ASSERT_GE(records.size(), 2u);
  EXPECT_EQ(records[0].Data, (std::vector<Byte>{4, 0, 1, 4}));
  EXPECT_EQ(records[1].Data, Join({Bytes16(3), Bytes16(0), Bytes16(0xFFFF), Bytes16(0xFFFF), Bytes16(0), Bytes16(2),
                                   Bytes16(3), Bytes16(0), Bytes16(3), Bytes16(3)}));

  // NAME records: byte 8 holds the sheet (1-based) of a sheet-level name.
  auto name = [](Word sheet, char c) {
    return std::make_unique<TNameRecord>(0x0018, Join({Bytes16(0), {0, 1}, Bytes16(0), Bytes16(0), Bytes16(sheet),
                                                       {0, 0, 0, 0}, {0, static_cast<Byte>(c)}}));
  };
  TNameRecordList names;
  names.Add(name(0, 'a'));
  names.Add(name(1, 'b'));
  names.Add(name(2, 'c'));
  names.Add(name(3, 'd'));
  names.DeleteSheets(1, 1);  // sheet 1 ("c") goes
  ASSERT_EQ(names.Count(), 3);
  EXPECT_EQ(names[0]->RangeSheet(), -1);
  EXPECT_EQ(names[1]->RangeSheet(), 0);
  EXPECT_EQ(names[2]->RangeSheet(), 1);
  names.InsertSheets(0, 2, 1, TSheetInfo{});  // a copy of sheet 0 goes in before sheet 2
  ASSERT_EQ(names.Count(), 4);
  EXPECT_EQ(names[3]->RangeSheet(), 2);
  EXPECT_EQ(names[3]->Name(), u"b");
  EXPECT_EQ(names[2]->RangeSheet(), 1);
}

TEST(WorkbookGlobals, RangeNamesAreValidated) {
  struct Case { const char16_t* name; bool valid; };
  const Case cases[] = {{u"A1", false}, {u"ab12", false}, {u"R", false}, {u"r", false}, {u"x.y", false},
                        {u"A1B", true}, {u"AB", true},    {u"_total", true}, {u"Q", true}, {u"AB12", false},
                        {u"ABC12", true}, {u"\\abc", true}, {u"", false}, {u"a b", false}, {u"1abc", false},
                        {u"caf\u00e9", true}, {u"x\u00a7", false}, {u"\u00b5m", true}};
  for (const Case& c : cases) {
    Integer flags = 0;
    EXPECT_EQ(TWorkbookGlobals::IsValidRangeName(c.name, flags), c.valid) << WideToUtf8(c.name);
    EXPECT_EQ(flags, 0);
  }
  Integer flags = 0;
  EXPECT_TRUE(TWorkbookGlobals::IsValidRangeName(std::u16string(1, 13), flags));
  EXPECT_EQ(flags, 0x20);
  EXPECT_FALSE(TWorkbookGlobals::IsValidRangeName(std::u16string(255, u'a'), flags));
}

TEST(WorkbookGlobals, KeepsRecordOrderPaletteAndMacroRule) {
  const std::string original = Fixture(kFeatures);
  auto wb = LoadWorkbook(original);
  TWorkbookGlobals& g = wb->Globals();
  g.SetColorPalette(5, 0x00123456);
  EXPECT_EQ(g.GetColorPalette(5), 0x00123456u);
  const std::string saved = SaveWorkbook(*wb, original);

  // The globals come back in their order: everything but BOUNDSHEET, the references, names,
  // drawing group and the string table keeps its place; those follow in a fixed order.
  auto ids = [](const std::string& file) {
    std::vector<Word> out;
    for (auto& r : PlainRecords(StreamOf(file, u"Workbook"))) {
      out.push_back(r.Id);
      if (r.Id == BiffId::EOF_) break;
    }
    return out;
  };
  std::vector<Word> theirs = ids(original), ours = ids(saved);
  // LibreOffice writes COUNTRY after the sheets (it moves before them), and a TABID and a
  // RECALCID the engine drops.
  std::vector<Word> expected;
  for (Word id : theirs)
    if (id != 0x01C1 && id != 0x013D && id != 0x0085 && id != 0x01AE && id != 0x0017 && id != 0x00EB && id != 0x00FC &&
        id != 0x00FF && id != BiffId::EOF_)
      expected.push_back(id);
  for (Word id : {0x0085, 0x0085, 0x0085, 0x01AE, 0x0017, 0x00EB, 0x00FC, 0x00FF, 0x000A}) expected.push_back(id);
  EXPECT_EQ(ours, expected);
  auto again = LoadWorkbook(saved);
  EXPECT_EQ(again->Globals().GetColorPalette(5), 0x00123456u);

  // Without a PALETTE record the standard colours are read; the first write adds a PALETTE
  // before the last STYLE record.
  const std::vector<Byte> style = Rec(0x0293, {0x00, 0x80, 0x00, 0xFF});
  std::vector<Byte> plain = OneSheetWorkbook(Join({Filler(), MinimalFormats(), style, style}),
                                             Rec(0x023E, std::vector<Byte>(18, 0)));
  auto standard = LoadWorkbook(CompoundWithStream(plain));
  EXPECT_EQ(standard->Globals().GetColorPalette(1), StandardPaletteColor(1));
  standard->Globals().SetColorPalette(1, 0x00ABCDEF);
  const std::string withPalette = SaveWorkbook(*standard, CompoundWithStream(plain));
  std::vector<Word> order;
  for (auto& r : PlainRecords(StreamOf(withPalette, u"Workbook")))
    if (r.Id == 0x0293 || r.Id == 0x0092) order.push_back(r.Id);
  EXPECT_EQ(order, (std::vector<Word>{0x0293, 0x0092, 0x0293}));
  EXPECT_EQ(LoadWorkbook(withPalette)->Globals().GetColorPalette(1), 0x00ABCDEFu);

  // A workbook with a macro project keeps its sheets.
  std::vector<Byte> stream = OneSheetWorkbook(Join({Filler(), MinimalFormats(), Rec(0x00D3, {})}),
                                              Rec(0x023E, std::vector<Byte>(18, 0)));
  auto macro = LoadWorkbook(CompoundWithStream(stream));
  EXPECT_TRUE(macro->Globals().HasMacro());
  EXPECT_EQ(MessageOf([&] { macro->DeleteSheets(0, 1); }), "Can't delete a sheet on a file containing macros");
  EXPECT_EQ(macro->Sheets().Count(), 1);
}

TEST(WorkbookGlobals, SheetsGetFreeCodeNamesWhenMacrosArePresent) {
  auto codeName = [](const char* text) {
    std::vector<Byte> name = {static_cast<Byte>(strlen(text)), 0, 0};
    for (const char* p = text; *p; ++p) name.push_back(static_cast<Byte>(*p));
    return Rec(0x01BA, name);
  };
  std::vector<Byte> stream = OneSheetWorkbook(Join({Filler(), MinimalFormats(), Rec(0x00D3, {}), codeName("Data")}),
                                              Rec(0x023E, std::vector<Byte>(18, 0)));
  const std::string container = CompoundWithStream(stream);
  auto wb = LoadWorkbook(container);
  wb->InsertSheets(-1, 1, 2);
  wb->Globals().SetSheetName(1, u"Data");
  wb->Globals().SetSheetName(0, u"Sheet3");
  wb->Sheets()[2]->SetCodeName(u"Data1");
  wb->Globals().SetSheetName(2, u"Other");
  SaveWorkbook(*wb, container);
  EXPECT_EQ(wb->Sheets()[0]->CodeName(), u"Sheet3");
  EXPECT_EQ(wb->Sheets()[1]->CodeName(), u"Data2");
  EXPECT_EQ(wb->Sheets()[2]->CodeName(), u"Data1");
}

TEST(WorkSheet, SizesMergesOutlinesAndDefaults) {
  TWorkbookGlobals globals;
  auto sheet = TWorkSheet::CreateFromData(&globals, &globals.SST());
  EXPECT_EQ(sheet->GetColWidth(4), 2344);
  EXPECT_EQ(sheet->GetRowHeight(9), 255);
  sheet->SetColWidth(2, 0);
  sheet->SetColHidden(2, true);
  EXPECT_TRUE(sheet->GetColHidden(2));
  EXPECT_EQ(sheet->GetColWidth(2, true), 0);
  sheet->SetColHidden(2, false);
  EXPECT_EQ(sheet->GetColWidth(2), 2344);  // unhidden at the default width
  sheet->SetRowHeight(3, 600);
  sheet->SetRowHidden(4, true);
  EXPECT_EQ(sheet->GetRowHeight(3), 600);
  EXPECT_EQ(sheet->GetRowHeight(4, true), 0);
  // Autofit has no estimate to give and leaves heights and widths alone.
  sheet->RecalcRowHeights(0, 10, true, false, 1.5);
  sheet->RecalcColWidths(0, 10, false, 1);
  EXPECT_EQ(sheet->GetRowHeight(3), 600);
  EXPECT_EQ(sheet->GetColWidth(2), 2344);

  sheet->Cells().CellList().SetValueX2(1, 1, TXlsCellValue{Variant(1.0), 15, false}, {}, false);
  sheet->SetColFormat(1, 20);
  sheet->SetRowFormat(7, 21);
  EXPECT_EQ(sheet->Cells().CellList().GetValue(1, 1).XF, 20);
  EXPECT_EQ(sheet->GetColFormat(1), 20);
  EXPECT_EQ(sheet->GetRowFormat(7), 21);
  EXPECT_EQ(sheet->GetRowFormat(8), -1);

  // B2:C3, then B3:D4 grows over it to B2:D4.
  sheet->MergeCells(1, 1, 2, 2);
  sheet->MergeCells(3, 3, 2, 1);
  EXPECT_EQ(sheet->CellMergedListCount(), 1);
  EXPECT_EQ(sheet->CellMergedList(0), (TXlsCellRange{1, 1, 3, 3}));
  EXPECT_EQ(sheet->CellMergedList(-1), TXlsCellRange{});
  EXPECT_EQ(sheet->CellMergedList(1), TXlsCellRange{});
  EXPECT_EQ(sheet->CellMergedBounds(9, 9), (TXlsCellRange{9, 9, 9, 9}));

  // Outline levels create GUTS before DEFAULTROWHEIGHT; the save writes the deepest levels.
  sheet->SetRowOutlineLevel(5, 2);
  sheet->SetColOutlineLevel(6, 3);
  EXPECT_EQ(sheet->GetRowOutlineLevel(5), 2);
  EXPECT_EQ(sheet->GetColOutlineLevel(6), 3);
  const TBaseRecordList& head = sheet->MiscRecords1();
  Integer guts = -1, height = -1;
  for (Integer i = 0; i < head.Count(); ++i) {
    if (head[i]->Id == 0x0080 && guts < 0) guts = i;
    if (head[i]->Id == 0x0225) height = i;
  }
  EXPECT_LT(guts, height);
}

TEST(WorkSheet, DefaultColumnWidthFollowsTheWidthRecords) {
  struct Case { const char* what; std::vector<Byte> records; Integer width; };
  const Case cases[] = {
      {"DEFCOLWIDTH 10", Rec(0x0055, Bytes16(10)), 2930},
      {"DEFCOLWIDTH 8, STANDARDWIDTH 2340", Join({Rec(0x0055, Bytes16(8)), Rec(0x0099, Bytes16(2340))}), 2340},
      {"STANDARDWIDTH 2340, DEFCOLWIDTH 12", Join({Rec(0x0099, Bytes16(2340)), Rec(0x0055, Bytes16(12))}), 3516},
      {"none", {}, 2930},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Byte> stream =
        OneSheetWorkbook(Join({Filler(), MinimalFormats()}), Join({c.records, Rec(0x023E, std::vector<Byte>(18, 0))}));
    auto wb = LoadWorkbook(CompoundWithStream(stream));
    EXPECT_EQ(wb->WorkSheetAt(0).DefColWidth(), c.width);
    EXPECT_EQ(wb->WorkSheetAt(0).DefRowHeight(), 255);
  }
}

TEST(SheetView, DefaultsAndTheRecordsWritesCreate) {
  TWorkbookGlobals globals;
  // The empty sheet has no SETUP, margins, SCL, PANE or PLS.
  auto sheet = TWorkSheet::CreateFromData(&globals, &globals.SST());
  EXPECT_EQ(sheet->PrintScale(), 100);
  EXPECT_EQ(sheet->PrintCopies(), 1);
  EXPECT_EQ(sheet->PrintPaperSize(), 1);
  EXPECT_EQ(sheet->PrintXResolution(), 600);
  sheet->SetPrintYResolution(300);
  EXPECT_EQ(sheet->PrintYResolution(), 600);
  EXPECT_EQ(MessageOf([&] { sheet->SetPrintScale(70000); }),
            "The index \"70000\" of the property \"PrintScale\" is not in the range 0-65535");
  EXPECT_TRUE(sheet->ShowGridLines());
  EXPECT_TRUE(sheet->OutlineSummaryRowsBelowDetail());

  TXlsMargins m = sheet->Margins();
  EXPECT_DOUBLE_EQ(m.Left, 0.7480314960629921);
  EXPECT_DOUBLE_EQ(m.Top, 0.984251968503937);
  m.Left = 1.0;
  sheet->SetMargins(m);
  EXPECT_DOUBLE_EQ(sheet->Margins().Left, 1.0);
  std::vector<Word> ids;
  for (Integer i = 0; i < sheet->MiscRecords1().Count(); ++i) ids.push_back(sheet->MiscRecords1()[i]->Id);
  auto height = std::find(ids.begin(), ids.end(), 0x0225);
  ASSERT_LE(height + 5, ids.end());
  EXPECT_EQ(std::vector<Word>(height + 1, height + 5), (std::vector<Word>{0x0026, 0x0027, 0x0028, 0x0029}));

  sheet->SetSheetZoom(150);
  EXPECT_EQ(sheet->SheetZoom(), 150);
  sheet->FreezePanes(3, 0);
  Integer row = -1, col = -1;
  sheet->GetFrozenPanes(row, col);
  EXPECT_EQ(row, 3);
  EXPECT_EQ(sheet->MiscRecords2()[0]->Id, 0x023E);
  EXPECT_EQ(sheet->MiscRecords2()[1]->Id, 0x0041);  // PANE right after WINDOW2, then SCL
  EXPECT_EQ(sheet->MiscRecords2()[2]->Id, 0x00A0);

  // With records after WINDOW2 (a loaded sheet), zoom and panes get their records.
  const std::string original = Fixture("workbook_features.xls");
  auto wb = LoadWorkbook(original);
  TWorkSheet& data = wb->WorkSheetAt(0);
  data.SetSheetZoom(150);
  data.FreezePanes(3, 0);
  data.SetPrinterDriverSettings(TPrinterDriverSettings{});
  data.SetPrintYResolution(300);
  auto again = LoadWorkbook(SaveWorkbook(*wb, original));
  TWorkSheet& reread = again->WorkSheetAt(0);
  EXPECT_EQ(reread.SheetZoom(), 150);
  reread.GetFrozenPanes(row, col);
  EXPECT_EQ(row, 3);
  EXPECT_EQ(col, 0);
  EXPECT_EQ(reread.PrintYResolution(), 300);
  reread.FreezePanes(0, 0);
  reread.GetFrozenPanes(row, col);
  EXPECT_EQ(row, 0);
  EXPECT_FALSE(reread.Window2()->IsFrozen());
}
