// TXLSFile: cell values and formulas, cell, row and column formats, fonts and the palette.
#include "xls/vavUXlsFile.h"

// ---------------------------------------------------------------------------------------------
// The active sheet

TSheet& TXLSFile::ActiveSheetRef() const {
  TWorkbook& workbook = Workbook();
  const Integer count = workbook.Sheets().Count();
  if (FActiveSheet < 1 || FActiveSheet > count)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{FActiveSheet - 1}, String("Sheets"), Int64{0}, Int64{count - 1}});
  return *workbook.Sheets()[FActiveSheet - 1];
}

TWorkSheet* TXLSFile::ActiveWorkSheet() const { return dynamic_cast<TWorkSheet*>(&ActiveSheetRef()); }

TCellList* TXLSFile::ActiveCells() const {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? &sheet->Cells().CellList() : nullptr;
}

bool TXLSFile::Dates1904() const { return Workbook().Globals().Is1904(); }

// ---------------------------------------------------------------------------------------------
// Values relative to the column bounds

void TXLSFile::GetCellDataX2(Integer aRow, Integer aColOffset, TXlsCellValue& v, TRTFRunList& RTFRuns) {
  v = TXlsCellValue{};
  RTFRuns.clear();
  if (TCellList* cells = ActiveCells()) cells->GetValueX2(aRow - 1, FirstColumn + aColOffset, v, RTFRuns);
}

TXlsCellValue TXLSFile::GetCellDataX(Integer aRow, Integer aColOffset) {
  TXlsCellValue v;
  TRTFRunList runs;
  GetCellDataX2(aRow, aColOffset, v, runs);
  return v;
}

Variant TXLSFile::GetCellData(Integer aRow, Integer aColOffset) { return GetCellDataX(aRow, aColOffset).Value; }

void TXLSFile::AssignCellDataX2(Integer aRow, Integer aColOffset, const TXlsCellValue& Value,
                                const TRTFRunList& RTFRuns) {
  TCellList* cells = ActiveCells();
  if (!cells) return;
  IsFileModified = true;
  cells->SetValueX2(aRow - 1, FirstColumn + aColOffset, Value, RTFRuns, Dates1904());
}

void TXLSFile::AssignCellDataX(Integer aRow, Integer aColOffset, const TXlsCellValue& Value) {
  AssignCellDataX2(aRow, aColOffset, Value, {});
}

void TXLSFile::AssignCellData(Integer aRow, Integer aColOffset, const Variant& Value) {
  AssignCellDataX2(aRow, aColOffset, TXlsCellValue{Value, -1, false}, {});
}

// ---------------------------------------------------------------------------------------------
// Values at absolute columns

Variant TXLSFile::GetCellValue(Integer Row, Integer Col) { return GetCellData(Row, Col - FirstColumn - 1); }

void TXLSFile::SetCellValue(Integer Row, Integer Col, const Variant& Value) {
  AssignCellData(Row, Col - FirstColumn - 1, Value);
}

TXlsCellValue TXLSFile::GetCellValueX(Integer Row, Integer Col) { return GetCellDataX(Row, Col - FirstColumn - 1); }

void TXLSFile::SetCellValueX(Integer Row, Integer Col, const TXlsCellValue& Value) {
  AssignCellDataX(Row, Col - FirstColumn - 1, Value);
}

void TXLSFile::GetCellValueX2(Integer aRow, Integer aCol, TXlsCellValue& v, TRTFRunList& RTFRuns) {
  v = TXlsCellValue{};
  RTFRuns.clear();
  TCellList* cells = ActiveCells();
  if (!cells) return;
  cells->GetValueX2(aRow - 1, aCol - 1, v, RTFRuns);
  for (TRTFRun& run : RTFRuns) ++run.FirstChar;
}

void TXLSFile::AssignCellValueX2(Integer aRow, Integer aCol, const TXlsCellValue& Value, const TRTFRunList& RTFRuns) {
  TCellList* cells = ActiveCells();
  if (!cells) return;
  // The interface counts characters from 1, the store from 0.
  TRTFRunList runs = RTFRuns;
  for (TRTFRun& run : runs) run.FirstChar = static_cast<Word>(run.FirstChar - 1);
  IsFileModified = true;
  cells->SetValueX2(aRow - 1, aCol - 1, Value, runs, Dates1904());
}

// ---------------------------------------------------------------------------------------------
// Formulas

WideString TXLSFile::GetCellFormula(Integer Row, Integer Col) {
  TCellList* cells = ActiveCells();
  return cells ? cells->GetFormula(Row - 1, Col - 1) : WideString();
}

void TXLSFile::SetCellFormula(Integer Row, Integer Col, const WideString& Value) {
  TCellList* cells = ActiveCells();
  if (!cells) return;
  IsFileModified = true;
  cells->SetFormula(Row - 1, Col - 1, Value);
}

void TXLSFile::SetCellFormulaX(Integer aRow, Integer aCol, const WideString& Formula, const Variant& Value) {
  if (TCellList* cells = ActiveCells()) cells->AssignFormulaX(aRow - 1, aCol - 1, Formula, Value, Dates1904());
}

// ---------------------------------------------------------------------------------------------
// Rows and their cells

Integer TXLSFile::CellCount(Integer aRow) {
  TCellList* cells = ActiveCells();
  if (!cells || aRow - 1 >= cells->Count()) return 0;
  return LastColumn - FirstColumn + 1;
}

Integer TXLSFile::MaxRow() {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->Cells().RowList().Count() : 0;
}

Integer TXLSFile::MaxCol() {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return 0;
  const TRowRecordList& rows = sheet->Cells().RowList();
  Integer result = 0;
  for (Integer r = 0; r < rows.Count(); ++r)
    if (rows.HasRow(r)) result = std::max<Integer>(result, rows[r]->MaxCol());
  return result;
}

bool TXLSFile::IsEmptyRow(Integer aRow) {
  TWorkSheet* sheet = ActiveWorkSheet();
  if (!sheet) return true;
  const Integer r = aRow - 1;
  return !(r >= 0 && r < sheet->Cells().CellList().Count() && sheet->Cells().RowList().HasRow(r));
}

namespace {
// The cells of a row, or none for a row outside the store.
TCellRecordList* RowCells(TCellList* cells, Integer Row) {
  if (!cells || Row < 1 || Row - 1 >= cells->Count()) return nullptr;
  return cells->RowList(Row - 1);
}
}  // namespace

Integer TXLSFile::ColIndexCount(Integer Row) {
  TCellRecordList* row = RowCells(ActiveCells(), Row);
  return row ? row->Count() : 0;
}

Integer TXLSFile::ColByIndex(Integer Row, Integer ColIndex) {
  TCellRecordList* row = RowCells(ActiveCells(), Row);
  if (!row || ColIndex < 1 || ColIndex > row->Count()) return 0;
  Integer index = 0;
  row->Find(0, index);  // puts the row in column order
  return (*row)[ColIndex - 1]->Column() + 1;
}

Integer TXLSFile::ColIndex(Integer Row, Integer Col) {
  TCellRecordList* row = RowCells(ActiveCells(), Row);
  if (!row || row->Count() == 0) return 0;
  Integer index = 0;
  row->Find(Col - 1, index);
  return index + 1;
}

void TXLSFile::SetBounds(Integer aRangePos) {
  Integer first = GetRangeC1(aRangePos), last = GetRangeC2(aRangePos);
  FirstColumn = std::max(first - 1, 0);
  LastColumn = std::max(last - 1, 0);
}

// ---------------------------------------------------------------------------------------------
// Formats

Integer TXLSFile::GetCellFormat(Integer Row, Integer Col) {
  TCellList* cells = ActiveCells();
  return cells ? cells->GetValue(Row - 1, Col - 1).XF : -1;
}

void TXLSFile::SetCellFormat(Integer Row, Integer Col, Integer Value) {
  if (TCellList* cells = ActiveCells()) cells->SetFormat(Row - 1, Col - 1, Value);
}

Integer TXLSFile::GetColumnFormat(Integer Col) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetColFormat(Col - 1) : -1;
}

Integer TXLSFile::GetRowFormat(Integer Row) {
  TWorkSheet* sheet = ActiveWorkSheet();
  return sheet ? sheet->GetRowFormat(Row - 1) : 0;
}

void TXLSFile::SetColumnFormat(Integer Col, Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetColFormat(Col - 1, Value);
}

void TXLSFile::SetRowFormat(Integer Row, Integer Value) {
  if (TWorkSheet* sheet = ActiveWorkSheet()) sheet->SetRowFormat(Row - 1, Value);
}

Integer TXLSFile::FormatListCount() { return Workbook().Globals().XF().Count(); }

TWbkFormat TXLSFile::GetFormatList(Integer Index) {
  TWorkbookGlobals& globals = Workbook().Globals();
  if (Index < 0 || Index >= globals.XF().Count()) Index = 0;
  return globals.XF()[Index]->WbkFormat(globals.Fonts(), globals.Formats());
}

void TXLSFile::SetFormatList(Integer Index, const TWbkFormat& Value) {
  TWorkbookGlobals& globals = Workbook().Globals();
  if (Index < 0 || Index >= globals.XF().Count()) Index = 0;
  globals.XF().SetItem(Index, TXFRecord::CreateFromFormat(Value, globals.Fonts(), globals.Formats()));
}

Integer TXLSFile::AddFormat(const TWbkFormat& Fmt) {
  TWorkbookGlobals& globals = Workbook().Globals();
  std::unique_ptr<TXFRecord> xf = TXFRecord::CreateFromFormat(Fmt, globals.Fonts(), globals.Formats());
  Integer index = -1;
  if (globals.XF().FindFormat(*xf, index)) return index;
  return globals.XF().Add(std::move(xf));
}

namespace {
// The font list entry of an interface font index: 4 does not exist in XF records.
Integer FontEntry(Integer Index, Integer Count) {
  const Integer entry = Index == 4 ? 0 : Index > 4 ? Index - 1 : Index;
  return entry >= 0 && entry < Count ? entry : 0;
}
}  // namespace

Integer TXLSFile::FontListCount() { return Workbook().Globals().Fonts().Count() + 1; }

TWbkFont TXLSFile::GetFontList(Integer Index) {
  TFontRecordList& fonts = Workbook().Globals().Fonts();
  return fonts[FontEntry(Index, fonts.Count())]->WbkFont();
}

void TXLSFile::SetFontList(Integer Index, const TWbkFont& Value) {
  if (Index == 4) return;
  TFontRecordList& fonts = Workbook().Globals().Fonts();
  fonts.SetItem(FontEntry(Index, fonts.Count()), TFontRecord::CreateFromWbkFont(Value));
}

Integer TXLSFile::AddFont(const TWbkFont& Fmt) { return Workbook().Globals().Fonts().AddFont(Fmt); }

Cardinal TXLSFile::GetColorPalette(Integer Index) { return Workbook().Globals().GetColorPalette(Index - 1); }

void TXLSFile::SetColorPalette(Integer Index, Cardinal Value) { Workbook().Globals().SetColorPalette(Index - 1, Value); }

BooleanArray TXLSFile::GetUsedPaletteColors() {
  TWorkbookGlobals& globals = Workbook().Globals();
  return globals.XF().GetUsedColors(57, globals.Fonts());
}
