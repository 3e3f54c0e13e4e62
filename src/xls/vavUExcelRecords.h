// One whole workbook in memory: the globals section and the sheet sections in stream order.
// Reads the "Workbook" stream of a compound file, writes it back, and runs the operations that
// span sections: inserting, copying and deleting sheets, inserting and deleting rows and
// columns with the references in other sheets and in the names, the active sheet.
#pragma once

#include "xls/vavUBiffBaseList.h"
#include "xls/vavUWbkChart.h"
#include "xls/vavUWorkSheet.h"

class TSheetList : public TBaseList<TSheet> {};

class TWorkbook : public TObject {
 public:
  TWorkbook() = default;
  ~TWorkbook() override;
  TWorkbook(const TWorkbook&) = delete;
  TWorkbook& operator=(const TWorkbook&) = delete;

  TWorkbookGlobals& Globals() { return FGlobals; }
  TSheetList& Sheets() { return FSheets; }
  bool IsXltTemplate() const { return FGlobals.IsXltTemplate(); }
  void SetIsXltTemplate(bool Value) { FGlobals.SetIsXltTemplate(Value); }
  Integer ActiveSheet() const { return FGlobals.ActiveSheet(); }
  // Only sheet Value is selected, and the globals show it as active.
  void SetActiveSheet(Integer Value);

  // DataStream has the stream "Workbook" selected.
  void LoadFromStream(TOle2File& DataStream);
  // DataStream is prepared for writing the stream "Workbook".
  void SaveToStream(TOle2File& DataStream, bool NeedsRecalc = false);
  void SaveRangeToStream(TOle2File& DataStream, Integer SheetIndex, const TXlsCellRange& CellRange, bool NeedsRecalc = false);

  // CopyFrom -1 inserts empty worksheets.
  void InsertSheets(Integer CopyFrom, Integer InsertBefore, Integer SheetCount);
  void DeleteSheets(Integer SheetPos, Integer SheetCount);
  void InsertAndCopyRowsAndCols(Integer SheetNo, Integer FirstRow, Integer LastRow, Integer DestRow, Integer aRowCount,
                                Integer FirstCol, Integer LastCol, Integer DestCol, Integer aColCount, bool OnlyFormulas);
  void DeleteRowsAndCols(Integer SheetNo, Word aRow, Word aRowCount, Word aCol, Word aColCount);

  bool IsWorksheet(Integer Index) const;
  // The sheet as a worksheet; another kind raises the invalid-cast error.
  TWorkSheet& WorkSheetAt(Integer Index) const;
  void RestoreObjectCoords(Integer dSheet) { FSheets[dSheet]->RestoreObjectCoords(); }

 private:
  void EnsureSheetCodeNames();
  void FixSheetOffsets(bool NeedsRecalc);
  void CheckVisibleSheets();
  // The sheet context of reference arranging, with the link table's sheet lookups.
  TSheetInfo SheetInfo(Integer InsSheet, Integer FormulaSheet);
  void CheckSheetNumber(Integer SheetNo) const;

  TWorkbookGlobals FGlobals;
  TSheetList FSheets;
};
