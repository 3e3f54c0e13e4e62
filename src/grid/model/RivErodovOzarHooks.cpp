// The cell query hooks through which painting, editing and the tools ask the grid about a
// cell (each applies the grid's own rule and then lets an event decide), the overridable hooks
// of the keyboard, mouse and filter code, and small services.
#include <algorithm>

#include "classlib/GraphicsObjects.h"
#include "classlib/StringList.h"
#include "grid/model/RivErodovOzar.h"
#include "grid/model/NumberText.h"
#include "grid/base/HTMLTextOperations.h"

// ---- Looks and colours ----

void TRivErodovOzar::GetCellLook(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                                 TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                                 bool& WW, TCellGradientDirection& GD) {
  TGridDrawState state;
  GetVisualProperties(ACol, ARow, state, false, false, false, ABrush, AColorTo, AMirrorColor, AMirrorColorTo, AFont,
                      HA, VA, WW, GD);
  bool isFixed = false;
  GetCellFixed(ACol, ARow, isFixed);
  const bool gradient = BackgroundDisplay == bdGradientHorz || BackgroundDisplay == bdGradientVert;
  if (isFixed || FBands->Active() || gradient) {
    if (ABrush != nullptr) ABrush->SetColor(clNone);
    AColorTo = clNone;
  }
}

void TRivErodovOzar::GetCellHint(int ACol, int ARow, String& AHint) {
  if (OnGridHint) OnGridHint(this, ARow, ACol, AHint);
  if (OnGridWideHint) {
    WideString wide;
    OnGridWideHint(this, ARow, ACol, wide);
    if (!wide.empty()) AHint = EncodeWideText(wide);
  }
}

void TRivErodovOzar::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (ActiveCellShow) {
    const bool rowHeader = TCustomGrid::FixedCols() > 0 && ACol == TCustomGrid::FixedCols() - 1 && ARow == Row();
    const bool colHeader = TCustomGrid::FixedRows() > 0 && ARow == TCustomGrid::FixedRows() - 1 &&
                           DisplColFromReal(ACol) == Col();
    if (rowHeader || colHeader) {
      if (AFont != nullptr) AFont->Assign(*FActiveCellFont);
      if (ABrush != nullptr) ABrush->SetColor(ActiveCellColor);
    }
  }
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties* props = GetCellProperties(ACol, ARow);
    const TCellType type = GetCellType(ACol, ARow);
    const bool brushCell = type == ctIcon || type == ctNone || type == ctImageList || type == ctEmpty ||
                           type == ctImages || type == ctComment;
    if (brushCell && props->BrushColor() != clNone && ABrush != nullptr) ABrush->SetColor(props->BrushColor());
    if (AFont != nullptr) {
      if (props->FontColor() != clNone) AFont->SetColor(props->FontColor());
      if (!props->FontStyle().Empty()) AFont->SetStyle(props->FontStyle());
      if (props->FontSize() != 0) AFont->SetSize(props->FontSize());
      if (!props->FontName().empty()) AFont->SetName(props->FontName());
    }
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TRivErodovOzar::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

// Node and summary rows come with grouping; without tree nodes no row is either.
void TRivErodovOzar::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TRivErodovOzar::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TRivErodovOzar::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TRivErodovOzar::GetCellFormat(int ACol, TSortStyle& AStyle, String& aPrefix, String& aSuffix) {
  if (OnGetFormat) OnGetFormat(this, ACol, AStyle, aPrefix, aSuffix);
}

// ---- Editors and edit permission ----

void TRivErodovOzar::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TRivErodovOzar::GetEditorType(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TRivErodovOzar::HasNoEditor(int ACol, int ARow) {
  if (!OnGetEditorType) return false;
  TEditorType editor = edNormal;
  OnGetEditorType(this, ACol, ARow, editor);
  return editor == edNone;
}

void TRivErodovOzar::GetCellFixed(int ACol, int ARow, bool& IsFixedCell) {
  IsFixedCell = IsFixedCell || ACol < TCustomGrid::FixedCols() || ARow < TCustomGrid::FixedRows() ||
                (FFixedRowAlways && RowCount() == FFixedRowsMin) || (FFixedColAlways && ColCount() == FFixedColsMin);
  if (!IsFixedCell && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixedCell);
}

bool TRivErodovOzar::IsFixed(int ACol, int ARow) {
  if (FFixedFooters > 0 && ARow >= RowCount() - FFixedFooters) return true;
  if (FFixedRightCols > 0 && ACol >= ColCount() - FFixedRightCols) return true;
  bool fixed = false;
  GetCellFixed(ACol, ARow, fixed);
  return fixed;
}

void TRivErodovOzar::DoCanEditCell(int ACol, int ARow, bool& CanEdit) {
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TRivErodovOzar::CheckCellEditable(int ACol, int ARow, bool& CanEdit) {
  const TPoint base = BaseCell(ACol, ARow);
  if (HasCellProperties(base.X, base.Y) && CanEdit) CanEdit = !GetCellProperties(base.X, base.Y)->ReadOnly();
  const bool gridEditable =
      Options().Contains(goEditing) || FEditingTakenOut || FMouseActions->RangeSelectAndEdit;
  if (!gridEditable) CanEdit = false;
  if (base.X < AllColCount()) DoCanEditCell(base.X, base.Y, CanEdit);
}

void TRivErodovOzar::GetPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TRivErodovOzar::GetCellWordWrap(int ACol, int ARow, bool& AWordWrap) {
  if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, AWordWrap);
}

bool TRivErodovOzar::HasComboBox(int ACol, int ARow) {
  if (OnHasComboBox) {
    bool has = false;
    OnHasComboBox(this, ACol, ARow, has);
    return has;
  }
  if (!ControlLook()->DropDownAlwaysVisible()) return false;
  TEditorType editor = DefaultEditor;
  GetEditorType(ACol, ARow, editor);
  return editor == edComboEdit || editor == edComboList;
}

bool TRivErodovOzar::HasSpinEdit(int ACol, int ARow) {
  if (ACol < FixedCols() || ARow < FixedRows()) return false;
  if (OnHasSpinEdit) {
    bool has = false;
    OnHasSpinEdit(this, ACol, ARow, has);
    return has;
  }
  if (!ControlLook()->SpinButtonsAlwaysVisible()) return false;
  TEditorType editor = DefaultEditor;
  GetCellEditorType(ACol, ARow, editor);
  return editor == edSpinEdit || editor == edFloatSpinEdit || editor == edTimeSpinEdit || editor == edDateSpinEdit;
}

void TRivErodovOzar::GetCheckTrue(int ACol, int ARow, String& Value) {
  Value = CheckTrue;
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TRivErodovOzar::GetCheckFalse(int ACol, int ARow, String& Value) {
  Value = CheckFalse;
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

bool TRivErodovOzar::BuildColumnFilterList(int ACol) {
  FFilterList->Clear();
  if (FilterDropDownAuto && ACol >= FixedCols()) {
    FFilterList->SetSorted(true);
    FFilterList->SetDuplicates(dupIgnore);
    auto add = [this](String text) {
      text = Trim(text);
      if (text.find(' ') != String::npos)
        FFilterList->Add(text + "=\"" + text + "\"");
      else
        FFilterList->Add(text);
    };
    for (int r = FixedRows(); r < AllRowCount() - FFixedFooters; ++r) {
      if (FilterIncremental && IsHiddenRow(r)) continue;
      add(GetAllCell(ACol, r));
    }
    FFilterList->SetSorted(false);
    if (!FilterDropDownClear.empty()) FFilterList->Insert(0, FilterDropDownClear);
  }
  if (OnGetColumnFilter) OnGetColumnFilter(this, ACol, FFilterList.get());
  return FFilterList->Count() > 0;
}

void TRivErodovOzar::DoSearchFooterAction(const String& Value, int ACol, int ARow, int SearchAction) {
  if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

// ---- Editor text exchange: the editor works on the real column of its cell's block ----

// The inplace editor takes the cell's right alignment, and HTML as plain text unless the tags
// are to be edited too.
String TRivErodovOzar::GetEditText(int ACol, int ARow) {
  FNoEditChange = true;
  const TPoint base = BaseCell(RealColIndex(ACol), ARow);
  if (TRivInplaceEdit* edit = NormalEdit()) {
    TAlignment ha = FDefaultAlignment;
    TVAlignment va = VAlignment;
    GetCellAlignment(base.X, base.Y, ha, va);
    edit->SetVAlign(ha == taRightJustify);
  }
  String value = GetRawCellText(base.X, base.Y);
  if (!EditWithTags && CellTextKind(value, true) == 1) value = HTMLToPlainText(value);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TRivErodovOzar::SetEditText(int ACol, int ARow, const String& Value) {
  const TPoint base = BaseCell(RealColIndex(ACol), ARow);
  SetCells(base.X, base.Y, Value);
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

String TRivErodovOzar::GetEditMask(int ACol, int ARow) {
  String mask = EditMask;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, mask);
  return mask;
}

// ---- Overridable hooks ----

void TRivErodovOzar::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
  if (FLook == glVista || FLook == glWin7 || FLook == glOffice2007) Invalidate();
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TRivErodovOzar::InsertOneRow(int ARow) {
  if (FNumNodes == 0)
    InsertRows(ARow, 1, true);
  else if (GetParentRow(ARow) < 0)
    InsertNormalRow(RealRowIndex(ARow));
  else
    InsertChildRow(RealRowIndex(ARow), 0);
}

void TRivErodovOzar::RemoveOneRow(int ARow) {
  if (FNumNodes > 0) {
    if (GetParentRow(ARow) < 0)
      RemoveNormalRow(ARow);
    else
      RemoveChildRow(RealRowIndex(ARow));
  } else if (RowCount() - FixedRows() - FFixedFooters == 1 && !FFixedRowAlways)
    ClearRows(ARow, 1);
  else
    RemoveRows(ARow, 1);
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TRivErodovOzar::DoFilterDone() {
  if (OnFilterDone) OnFilterDone(this);
}

String TRivErodovOzar::GetCalculatedCellText(int ACol, int ARow) { return Cells(ACol, ARow); }

void TRivErodovOzar::DoCellsChanged(const TRect& R) {
  if (OnCellsChanged) OnCellsChanged(this, R);
  for (TGridChangeNotifier* notifier : FNotifierList) notifier->CellsChanged(R);
  RecalcFooters();
}

void TRivErodovOzar::RemoveChangeNotifier(TGridChangeNotifier* Notifier) {
  FNotifierList.erase(std::remove(FNotifierList.begin(), FNotifierList.end(), Notifier), FNotifierList.end());
}

// ---- Services ----

long double TRivErodovOzar::CellToReal(int ACol, int ARow) {
  const String text = Cells(ACol, ARow);
  if (text.empty()) return 0;
  const String number = CleanNumberText(text);
  size_t errorAt = 0;
  long double value = 0;
  if (!ParseNumberText(number, value, errorAt))
    throw ERivGridError("Error at position: " + IntToStr(static_cast<int>(errorAt)) + " in Cell [" + IntToStr(ACol) +
                        ", " + IntToStr(ARow) + "].");
  return value;
}

void TRivErodovOzar::ChangeScale(int M, int D) {
  if (IsDesigning() || M == D || D == 0) return;
  auto scale = [M, D](int Size) {
    const long long p = static_cast<long long>(Size) * M;
    const long long half = (p >= 0 ? D : -D) / 2;
    return static_cast<int>((p + half) / D);
  };
  FFixedFont->SetSize(scale(FFixedFont->Size()));
  FActiveCellFont->SetSize(scale(FActiveCellFont->Size()));
}
