// The grid's answers to the mouse buttons: the left button's press (check boxes, radio
// buttons, cell buttons, links, header selections) and release (cell buttons, fixed-cell
// clicks, the end of border sizing), the double click (autosizing a column from its border)
// and the right button; the click hook.
#include <cctype>

#include "classlib/ShellApi.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/HTMLEngine.h"
#include "grid/model/RivErodovOzar.h"

namespace {

// "CELL://R3C2" (any case): the cell it names, false when the rest is no such reference.
bool ParseCellReference(const String& Text, int& ACol, int& ARow) {
  const String s = UpperCase(Text);
  size_t i = 0;
  auto number = [&](int& Value) {
    const size_t start = i;
    Value = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && i - start < 9) Value = Value * 10 + (s[i++] - '0');
    return i > start;
  };
  if (i >= s.size() || s[i++] != 'R' || !number(ARow)) return false;
  if (i >= s.size() || s[i++] != 'C' || !number(ACol)) return false;
  return i == s.size();
}

bool IsURLText(const String& Text) { return Pos("://", Text) > 0 || Pos("mailto:", LowerCase(Text)) > 0; }

}  // namespace

String TRivErodovOzar::AnchorAt(int ACol, int ARow, int X, int Y) {
  const String text = Cells(RealColIndex(ACol), ARow);
  const bool html = EnableHTML && text.find('<') != String::npos;
  if (!html) return URLShow() && IsURLText(text) ? text : String();
  TRect r = CellRect(ACol, ARow);
  r.Left += XYOffset.X + 1;
  r.Top += XYOffset.Y + 1;
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->SetFont(ACol < FixedCols() || ARow < FixedRows() ? FixedFont() : Font());
  THTMLRenderParams params;
  params.HitX = X;
  params.HitY = Y;
  params.HitTestOnly = true;
  THTMLRenderResult result;
  if (!RenderHTMLText(measure.Canvas(), text, r, params, result)) return String();
  return result.HitHref == "ctrl" ? String() : result.HitHref;
}

// A "CELL://" anchor goes to its cell; http, https and mailto addresses open through the
// shell; anything else (a file path, a program) is ignored.
void TRivErodovOzar::FollowAnchor(int, int, const String& Anchor) {
  const String upper = UpperCase(Anchor);
  const int cell = Pos("CELL://", upper);
  if (cell > 0) {
    int c = 0;
    int r = 0;
    if (ParseCellReference(Anchor.substr(cell - 1 + 7), c, r) && c >= 0 && c < ColCount() && r >= 0 && r < RowCount()) {
      FocusCell(c, r);
      if (r < TopRow() || r >= TopRow() + VisibleRowCount()) SetTopRow(std::max(FixedRows(), r));
    }
    return;
  }
  const String lower = LowerCase(Anchor);
  if (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0 || lower.rfind("mailto:", 0) == 0)
    ShellExecute(Handle(), "open", Anchor, "", "", SW_SHOWNORMAL);
}

void TRivErodovOzar::HandleLeftButtonDown(TMessage& Message) {
  FDoOnClick = true;
  FDoOnClickPress = true;
  FMouseDownMove = true;
  const int X = SmallIntLo(Message.LParam);
  const int Y = SmallIntHi(Message.LParam);
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  const TGridRect oldSel = Selection();
  if (StartSelectionResize(X, Y)) {
    Message.Result = 1;
    return;
  }
  if (Options().Contains(goEditing) && MouseActions()->RangeSelectAndEdit && !oldSel.Contains(ACol, ARow))
    SetOptions(Options() - goEditing);
  bool allow = true;
  if (OnCanClickCell) OnCanClickCell(this, ARow, ACol, allow);
  if (!allow) return;
  if (CellSelectorMode) {
    CellSelectorClick(ACol, ARow);
    return;
  }
  SearchInc.clear();
  FSelectionClick = false;
  FPushedCellButton = TPoint{-1, -1};
  FOldTopRow = TopRow();
  FOldKeepLeftCol = LeftCol();
  // The cell left of and above the press, for sizing.
  int cx = X - 5;
  int cy = Y - 4;
  if (ARow >= 0 && ARow < FixedRows()) cy = Y;
  if (ACol >= 0 && ACol < FixedCols()) cx = X;
  MouseToCell(cx, cy, Colclicked, Rowclicked);
  if (Colclicked >= 0 && Rowclicked >= 0) {
    Colclickedsize = ColWidths(Colclicked);
    Rowclickedsize = RowHeights(Rowclicked);
  }
  Clickposx = X;
  Clickposy = Y;
  if (ACol < 0 || ARow < 0) {
    HideInplaceEdit();
    if (!FFixedRowAlways) TBaseGrid::WndProc(Message);
    return;
  }
  const bool inFixedArea = ACol < FixedCols() || ARow < FixedRows();
  const TPoint base = BaseCell(ACol, ARow);
  ACol = base.X;
  ARow = base.Y;
  const int realCol = RealColIndex(ACol);
  const bool fixedInData = !inFixedArea && IsFixed(ACol, ARow);
  if (inFixedArea || fixedInData) HideInplaceEdit();
  // A cell button: pressed until the release.
  if (HasButton(realCol, ARow)) {
    HideInplaceEdit();
    if (!inFixedArea && !fixedInData) {
      FForceSel = true;
      FocusCell(ACol, ARow);
      FForceSel = false;
    }
    const TRect br = GetCellButtonRect(ACol, ARow);
    if (X >= br.Left && X < br.Right && Y >= br.Top && Y < br.Bottom) {
      PushButton(ACol, ARow, true);
      FPushedCellButton = TPoint{ACol, ARow};
      SetCapture(Handle());
      if (OnClickCell) OnClickCell(this, ARow, ACol);
      return;
    }
  }
  Clickposdx = 0;
  Clickposdy = 0;
  if (Colclicked >= 0 && Rowclicked >= 0) {
    const TRect cr = CellRect(Colclicked, Rowclicked);
    Clickposdx = X - cr.Right;
    Clickposdy = Y - cr.Bottom;
  }
  // Links: followed, never edited.
  const String anchor = AnchorAt(ACol, ARow, X, Y);
  if (!anchor.empty()) {
    bool autoHandle = true;
    if (OnAnchorClick) OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
    if (autoHandle) FollowAnchor(ACol, ARow, anchor);
    return;
  }
  // Header selections: whole rows, whole columns or everything.
  if (Options().Contains(goRangeSelect)) {
    const bool shift = KeysToShiftState(Message.WParam).Contains(ssShift);
    TGridRect sel{};
    bool header = false;
    if (inFixedArea && ACol < FixedCols() && ARow < FixedRows() && MouseActions()->AllSelect && FMouseSelectMode == msAll) {
      sel = TGridRect{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1};
      header = true;
    } else if (ACol < FixedCols() && ARow >= FixedRows() && MouseActions()->RowSelect && FMouseSelectMode == msRow) {
      sel = TGridRect{FixedCols(), shift ? std::min(oldSel.Top, ARow) : ARow, ColCount() - 1,
                      shift ? std::max(oldSel.Top, ARow) : ARow};
      FMouseSelectStart = ARow;
      header = true;
    } else if (ARow < FixedRows() && ACol >= FixedCols() && MouseActions()->ColSelect && FMouseSelectMode == msColumn) {
      const int from = shift ? (ACol < oldSel.Left ? oldSel.Right : oldSel.Left) : ACol;
      sel = TGridRect{std::min(from, ACol), FixedRows(), std::max(from, ACol), RowCount() - 1};
      FMouseSelectStart = ACol;
      header = true;
    }
    if (header) {
      if (CanFocus()) SetFocus();
      HideInplaceEdit();
      BeforeMouseSelection(sel);
      SetSelection(sel);
      const TGridRect after = Selection();
      if (!(after == oldSel)) DoSelectionChanged(after.Left, after.Top, after.Right, after.Bottom);
      if (OnClickCell) OnClickCell(this, ARow, ACol);
      return;
    }
  }
  // Check boxes and radio buttons toggle where they are pressed.
  bool editable = Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit;
  CheckCellEditable(realCol, ARow, editable);
  if ((editable || ControlLook()->CheckAlwaysActive()) && ARow >= FixedRows() &&
      (HasCheckBox(realCol, ARow) || HasRadioButton(realCol, ARow)) && IsInCheckBox(realCol, ARow, X, Y)) {
    HideInplaceEdit();
    if (CanFocus()) SetFocus();
    bool state = false;
    if (HasRadioButton(realCol, ARow)) {
      DoToggleRadioButton(realCol, ARow, false);
      state = true;
      if (OnRadioButtonClick) OnRadioButtonClick(this, realCol, ARow);
    } else {
      DoToggleCheckBox(realCol, ARow, false);
      GetCheckBoxState(realCol, ARow, state);
    }
    if (!Navigation()->AlwaysEdit) FocusCell(ACol, ARow);
    if (!HasRadioButton(realCol, ARow) && OnCheckBoxClick) OnCheckBoxClick(this, realCol, ARow, state);
    RepaintCell(ACol, ARow);
    if (OnMouseDown) OnMouseDown(this, mbLeft, KeyboardStateToShiftState(), X, Y);
    HandleClick();
    return;
  }
  // The platform's press: focus, current cell, range selection, the editor on the current cell.
  TBaseGrid::WndProc(Message);
  const bool onBorder = ARow < FixedRows() && Options().Contains(goColSizing) && IsOnSizingBorder(X, Y);
  if (!onBorder && OnClickCell) OnClickCell(this, ARow, ACol);
  if (OnCellValidate) {
    FEntered = false;
    StoreOldCell(Col(), Row());
  }
}

void TRivErodovOzar::HandleLeftButtonUp(TMessage& Message) {
  const int X = SmallIntLo(Message.LParam);
  const int Y = SmallIntHi(Message.LParam);
  FMouseDown = false;
  FDoOnClickPress = false;
  ColSizeFlg = false;
  FMouseSelectMode = msNormal;
  FMouseDownMove = false;
  FMouseSelectStart = -1;
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  // A pushed cell button: clicked only when released on it.
  if (FPushedCellButton.X >= 0) {
    const TPoint pushed = FPushedCellButton;
    FPushedCellButton = TPoint{-1, -1};
    PushButton(pushed.X, pushed.Y, false);
    ReleaseCapture();
    if (ACol >= 0 && ARow >= 0) {
      const TPoint base = BaseCell(ACol, ARow);
      const TRect br = GetCellButtonRect(base.X, base.Y);
      if (base.X == pushed.X && base.Y == pushed.Y && X >= br.Left && X < br.Right && Y >= br.Top && Y < br.Bottom) {
        if (OnButtonClick) OnButtonClick(this, RealColIndex(pushed.X), pushed.Y);
        return;
      }
    }
  }
  FSizingHint.clear();
  const bool onFixed = ACol >= 0 && ARow >= 0 && (ACol < FixedCols() || ARow < FixedRows());
  const bool sizing = FGridState == gsColSizing || FGridState == gsRowSizing;
  FDoOnClick = false;
  TBaseGrid::WndProc(Message);
  if (onFixed && !sizing && OnFixedCellClick) OnFixedCellClick(this, ACol, ARow);
  if (FMouseResize) {
    FGridState = gsNormal;
    EndSelectionResize();
    return;
  }
  if (ACol < 0 || ARow < 0 || sizing || ColSizeFlg) {
    ColSizeFlg = false;
    return;
  }
  const int realCol = RealColIndex(ACol);
  if (ACol >= FixedCols()) {
    bool state = false;
    if (GetCheckBoxState(realCol, ARow, state) && OnCheckBoxMouseUp) OnCheckBoxMouseUp(this, realCol, ARow, state);
    int idx = 0;
    if (IsRadio(realCol, ARow) && GetRadioIdx(realCol, ARow, idx) && OnRadioMouseUp) OnRadioMouseUp(this, realCol, ARow, idx);
  }
  ClickSortRelease(ACol, ARow);
  if (FDblClk) FDblClk = false;
}

void TRivErodovOzar::HandleDoubleClickMessage(TMessage& Message) {
  const int X = SmallIntLo(Message.LParam);
  const int Y = SmallIntHi(Message.LParam);
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (MouseActions()->RangeSelectAndEdit && ACol >= 0 && ARow >= 0 && !HasControlGraphic(RealColIndex(ACol), ARow))
    FForceSel = true;
  if (ACol < 0 && X >= 0 && Y >= 0 && ARow < 0) {
    // Right of the last column: taken as the last column's title.
    int c = -1;
    int r = -1;
    MouseToCell(0, Y, c, r);
    if (FFixedRowAlways || r != 0) {
      FForceSel = false;
      TBaseGrid::WndProc(Message);
      return;
    }
    ACol = ColCount() - 1;
    ARow = 0;
  }
  if (ACol >= 0 && ARow >= 0 && ARow < FixedRows() && Options().Contains(goColSizing) &&
      MouseActions()->AutoSizeColOnDblClick) {
    const TRect r = CellRect(ACol, ARow);
    int sizeCol = -1;
    if (std::abs(X - r.Left) <= 3) {
      FDblClk = true;
      if (ACol - 1 >= FixedCols()) sizeCol = ACol - 1;
    } else if (std::abs(X - r.Right) <= 3 && ACol >= FixedCols()) {
      FDblClk = true;
      sizeCol = ACol;
    }
    if (sizeCol >= 0) {
      bool allow = true;
      if (OnColumnSize) OnColumnSize(this, sizeCol, allow);
      if (allow) {
        AutoSizeCol(sizeCol);
        if (OnEndColumnSize) OnEndColumnSize(this, sizeCol);
      }
      FForceSel = false;
      TBaseGrid::WndProc(Message);
      return;
    }
  }
  if (ACol >= 0 && ARow >= 0) {
    const TRect br = GetCellButtonRect(ACol, ARow);
    if (HasButton(RealColIndex(ACol), ARow) && X >= br.Left && X < br.Right && Y >= br.Top && Y < br.Bottom) {
      FForceSel = false;
      return;
    }
    if (HasControlGraphic(RealColIndex(ACol), ARow)) {
      FForceSel = false;
      TBaseGrid::WndProc(Message);
      return;
    }
  }
  TBaseGrid::WndProc(Message);
  if (ACol >= 0 && ARow >= 0 && OnDblClickCell) OnDblClickCell(this, ARow, ACol);
  if (ACol >= FixedCols() && ARow >= FixedRows() && MouseActions()->EditOnDblClickOnly()) {
    const bool was = MouseActions()->RangeSelectAndEdit;
    MouseActions()->RangeSelectAndEdit = true;
    if (IsEditable(RealColIndex(ACol), ARow)) {
      SetOptions(Options() + goEditing);
      FOldCol = ACol;
      FOldRow = ARow;
      ShowInplaceEdit();
    }
    MouseActions()->RangeSelectAndEdit = was;
  }
  FForceSel = false;
  FixedCellEditPress(fceDblClick, X, Y);
}

void TRivErodovOzar::HandleRightButtonDown(TMessage& Message) {
  const int X = SmallIntLo(Message.LParam);
  const int Y = SmallIntHi(Message.LParam);
  TBaseGrid::WndProc(Message);
  int ACol = -1;
  int ARow = -1;
  MouseToCell(X, Y, ACol, ARow);
  if (ACol < 0 || ARow < 0) return;
  if (MouseActions()->SelectOnRightClick && ACol >= FixedCols() && ARow >= FixedRows()) {
    const TPoint base = BaseCell(ACol, ARow);
    if (Selection().Contains(base.X, base.Y)) {
      bool canSelect = true;
      if (OnSelectCell) OnSelectCell(this, base.X, base.Y, canSelect);
    } else {
      const int left = LeftCol();
      FocusCell(base.X, base.Y);
      if (Navigation()->KeepHorizScroll) SetLeftCol(left);
    }
  }
  if (OnRightClickCell) OnRightClickCell(this, ARow, ACol);
  if (URLShow() && URLEdit && IsURLText(Cells(RealColIndex(ACol), ARow)) && ACol >= FixedCols() && ARow >= FixedRows()) {
    FocusCell(ACol, ARow);
    ShowInplaceEdit();
  }
}

void TRivErodovOzar::HandleRightButtonUp(TMessage& Message) { TBaseGrid::WndProc(Message); }

void TRivErodovOzar::Click() { HandleClick(); }

void TRivErodovOzar::HandleClick() {
  TBaseGrid::Click();
  FEntered = false;
  StoreOldCell(Col(), Row());
}
