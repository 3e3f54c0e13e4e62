// The cell store's formulas: formula cells written from text and read back as text, the
// questions the formula converters ask of the store, shared formulas expanded after loading,
// and 3-D references following a sheet copy.
#include "xls/vavUBiffCells.h"
#include "xls/vavUBiffEncodeFormula.h"
#include "xls/vavUBiffFormulaParser.h"
#include "xls/vavUWorkbookGlobals.h"

TWorkbookGlobals& TCellList::Globals() const {
  if (!FGlobals) throw EAssertionFailed("References must not be nil");
  return *FGlobals;
}

void TCellList::AssignFormulaX(Integer Row, Integer Col, const WideString& Formula, const Variant& Value,
                               bool Options1904) {
  CheckRowCol(Row, Col);
  FRowRecordList->AddRow(static_cast<Word>(Row));
  TCellRecordList* row = RowList(Row);
  Integer index = 0;
  const bool exists = row && row->Find(Col, index);
  const Integer xf = exists ? (*row)[index]->XF() : DefaultFormat(Row, Col);
  std::unique_ptr<TCellRecord> made;
  if (!Formula.empty()) {
    TParseString parser(Formula, TFmReturnType::fmValue, this);
    parser.Parse();
    const Integer size = 20 + parser.TotalSize();
    if (size > 0xFFFF) RaiseXls(XlsMsg::FormulaTooLong, {WideToUtf8(Formula)});
    auto record = TFormulaRecord::CreateFromData(Options1904, Value, static_cast<Word>(xf), static_cast<Word>(Col),
                                                 static_cast<Word>(Row), static_cast<Word>(size));
    parser.CopyToPtr(record->Data, 20);
    made = std::move(record);
  }
  ReplaceCell(Row, Col, std::move(made));
}

WideString TCellList::GetFormula(Integer Row, Integer Col) const {
  CheckRowCol(Row, Col);
  TCellRecordList* row = RowList(Row);
  Integer index = 0;
  if (!row || !row->Find(Col, index)) return WideString();
  const auto* formula = dynamic_cast<const TFormulaRecord*>((*row)[index]);
  if (!formula) return WideString();
  return FormulaTokensToText(formula->Data, TFormulaRecord::FirstToken, this);
}

const TFormulaRecord& TCellList::FormulaAt(Integer Row, Integer Col) const {
  if (Row < 0 || Row >= Count()) RaiseXls(XlsMsg::InvalidRow, {Int64{Row}});
  if (Col < 0 || Col > TBaseRowColRecord::MaxCol) RaiseXls(XlsMsg::InvalidColumn, {Int64{Col}});
  TCellRecordList* row = RowList(Row);
  Integer index = 0;
  const TFormulaRecord* formula = nullptr;
  if (row && row->Find(Col, index)) formula = dynamic_cast<const TFormulaRecord*>((*row)[index]);
  if (!formula) RaiseXls(XlsMsg::NoSharedFormula);
  return *formula;
}

std::span<const Byte> TCellList::ArrayFormula(Integer Row, Integer Col) const {
  const TFormulaRecord& formula = FormulaAt(Row, Col);
  if (!formula.ArrayRecord()) RaiseXls(XlsMsg::FormulaNotSupported, {Int64{Row + 1}, Int64{Col + 1}, Int64{1}});
  return formula.ArrayRecord()->Data;
}

std::span<const Byte> TCellList::TableFormula(Integer Row, Integer Col) const {
  const TFormulaRecord& formula = FormulaAt(Row, Col);
  if (!formula.TableRecord()) RaiseXls(XlsMsg::FormulaNotSupported, {Int64{Row + 1}, Int64{Col + 1}, Int64{1}});
  return formula.TableRecord()->Data;
}

WideString TCellList::GetName(Integer ExternSheet, Integer NameId) const {
  return Globals().References().GetName(ExternSheet, NameId, Globals());
}

WideString TCellList::GetSheetName(Integer SheetNumber) const {
  return Globals().References().GetSheetName(SheetNumber, Globals());
}

bool TCellList::RefersToDeletedSheet(Integer ExternSheet) const {
  return Globals().References().IsDeletedSheet(ExternSheet);
}

bool TCellList::FindSheet(const WideString& SheetName, Integer& SheetIndex) const {
  const WideString wanted = UpperCaseText(SheetName);
  const TWorkbookGlobals& globals = Globals();
  for (Integer i = 0; i < globals.SheetCount(); ++i)
    if (UpperCaseText(globals.GetSheetName(i)) == wanted) {
      SheetIndex = i;
      return true;
    }
  SheetIndex = -1;
  return false;
}

Integer TCellList::AddExternSheet(Integer FirstSheet, Integer LastSheet) {
  TWorkbookGlobals& globals = Globals();
  return globals.References().AddSheet(globals.SheetCount(), FirstSheet, LastSheet);
}

void TCellList::FixFormulas(TShrFmlaRecordList& ShrFmlas) {
  if (ShrFmlas.Count() == 0) return;
  for (auto& row : FItems) {
    if (!row) continue;
    for (Integer i = 0; i < row->Count(); ++i) {
      auto* formula = dynamic_cast<TFormulaRecord*>((*row)[i]);
      Cardinal key = 0;
      Integer found = 0;
      if (!formula || !formula->IsExp(key) || !ShrFmlas.Find(key, found)) continue;
      const Integer before = formula->TotalSize();
      formula->MixShared(ShrFmlas[found]->Data);
      row->AdaptSize(formula->TotalSize() - before);
    }
  }
}

void TCellList::ArrangeInsertSheet(const TSheetInfo& SheetInfo) {
  for (auto& row : FItems) {
    if (!row) continue;
    for (Integer i = 0; i < row->Count(); ++i)
      if (auto* formula = dynamic_cast<TFormulaRecord*>((*row)[i])) formula->ArrangeCopySheet(SheetInfo);
  }
}
