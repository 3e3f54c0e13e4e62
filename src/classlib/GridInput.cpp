// The grids' input: keyboard navigation, mouse selection, the mouse wheel, the dialog code,
// and the inplace editor that lets a person type into a cell.
#include <algorithm>

#include "classlib/Grids.h"
#include "classlib/WinApi.h"

// ---------------------------------------------------------------------------------------
// TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetVisible(false);
  TabStop = false;
}

void TInplaceEdit::SetGrid(TCustomGrid* AGrid) {
  FGrid = AGrid;
  SetParent(AGrid);
}

void TInplaceEdit::Move(const TRect& Loc) {
  SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
  BoundsChanged();
}

void TInplaceEdit::UpdateContents() {
  if (FGrid == nullptr) return;
  SetText("");
  EditMask = FGrid->GetEditMask(FGrid->Col(), FGrid->Row());
  SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
  SetMaxLength(FGrid->GetEditLimit());
  Modified = false;
}

void TInplaceEdit::WndProc(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (FGrid != nullptr && FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    return;
  }
  if (Message.Msg == CM_ENDEDIT) {
    Message.Result = FGrid != nullptr ? FGrid->Perform(CM_ENDEDIT, 0, 0) : 0;
    return;
  }
  TCustomEdit::WndProc(Message);
}

// Keys that move between cells or end the editing go to the grid; the rest edit the text.
void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (FGrid == nullptr) {
    TCustomEdit::KeyDown(Key, Shift);
    return;
  }
  bool always = FGrid->Options().Contains(goAlwaysShowEditor);
  bool atStart = SelStart() == 0 && SelLength() == 0;
  bool atEnd = SelStart() == static_cast<int>(Text().size()) && SelLength() == 0;
  bool toGrid = false;
  switch (Key) {
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT: case VK_ESCAPE:
      toGrid = true;
      break;
    case VK_TAB:
      toGrid = !Shift.Contains(ssAlt);
      break;
    case VK_INSERT:
      toGrid = Shift.Empty();
      break;
    case VK_DELETE:
      toGrid = Shift.Contains(ssCtrl);
      break;
    case VK_LEFT: case VK_HOME:
      toGrid = always && atStart;
      break;
    case VK_RIGHT: case VK_END:
      toGrid = always && atEnd;
      break;
    case VK_F2:
      SetSelStart(static_cast<int>(Text().size()));
      Key = 0;
      return;
    default:
      break;
  }
  if (toGrid) {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
  if (FGrid != nullptr) {
    FGrid->FKeyFromEditor = true;
    try {
      FGrid->KeyPress(Key);
    } catch (...) {
      FGrid->FKeyFromEditor = false;
      throw;
    }
    FGrid->FKeyFromEditor = false;
  }
  if (Key == '\t' || Key == 27 || Key == '\r') Key = 0;
  if (Key != 0) TCustomEdit::KeyPress(Key);
}

// ---------------------------------------------------------------------------------------
// The editor protocol of the grid

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
         !ComponentState().Contains(csDesigning);
}

bool TCustomGrid::CanEditAcceptKey(char) { return true; }
bool TCustomGrid::CanEditModify() { return true; }

TInplaceEdit* TCustomGrid::CreateEditor() { return New<TInplaceEdit>(this); }

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

// The cell to edit comes into view first: a person sees what he types.
void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  ScrollIntoView(FCurrent.X, FCurrent.Y);
  UpdateEdit();
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  HideEdit(true);
}

void TCustomGrid::ShowEditorChar(char Ch) {
  ShowEditor();
  if (FInplaceEdit == nullptr || !FInplaceEdit->Visible()) return;
  FInplaceEdit->Perform(WM_CHAR, static_cast<unsigned char>(Ch), 0);
}

// Asks twice whether the editor may show, as descendants expect: once before it is filled for
// the current cell and once after.
void TCustomGrid::UpdateEdit() {
  if (!FEditorMode || !CanEditShow()) {
    HideEdit(true);
    return;
  }
  if (FInplaceEdit == nullptr) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetGrid(this);
  }
  if (FEditCol != FCurrent.X || FEditRow != FCurrent.Y) {
    FEditCol = FCurrent.X;
    FEditRow = FCurrent.Y;
    FInplaceEdit->UpdateContents();
    FInplaceEdit->SelectAll();
  }
  if (!CanEditShow()) {
    HideEdit(false);
    return;
  }
  FEditorScrolledOut = false;
  FInplaceEdit->SetReadOnly(!CanEditModify());
  FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
  bool hadFocus = Focused();
  FInplaceEdit->Show();
  if (hadFocus && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
}

void TCustomGrid::InvalidateEditor() {
  FEditCol = -1;
  FEditRow = -1;
  UpdateEdit();
}

void TCustomGrid::UpdateText() {
  if (FInplaceEdit != nullptr && FEditCol >= 0 && FEditRow >= 0)
    SetEditText(FEditCol, FEditRow, FInplaceEdit->Text());
}

// Hides the editor window, writing its text to its cell first when Commit is set.
void TCustomGrid::HideEdit(bool Commit) {
  if (FInplaceEdit == nullptr) return;
  if (Commit) UpdateText();
  FEditCol = -1;
  FEditRow = -1;
  FEditorScrolledOut = false;
  // The focus comes back to the grid before the editor goes, so that the editor hears it
  // leave (WM_KILLFOCUS) as on the desktop.
  bool hadFocus = FInplaceEdit->Focused();
  if (hadFocus && CanFocus()) SetFocus();
  FInplaceEdit->Hide();
}

// While its cell is scrolled out of view the editor is hidden, its typing kept (it is written
// when the editing ends, as always); it comes back with the cell.
void TCustomGrid::PlaceEditor() {
  if (!FEditorMode || FInplaceEdit == nullptr) return;
  TRect rect = CellRect(FCurrent.X, FCurrent.Y);
  if (rect == TRect{}) {
    if (!FInplaceEdit->Visible()) return;
    bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->Hide();
    FEditorScrolledOut = true;
    if (hadFocus && CanFocus()) SetFocus();
    return;
  }
  FInplaceEdit->Move(rect);
  if (!FEditorScrolledOut) return;
  FEditorScrolledOut = false;
  bool hadFocus = Focused();
  int selStart = FInplaceEdit->SelStart();
  int selLength = FInplaceEdit->SelLength();
  FInplaceEdit->Show();
  if (hadFocus && FInplaceEdit->CanFocus()) {
    FInplaceEdit->SetFocus();
    // Taking the focus selects an edit's whole text; the typing goes on where it stopped.
    FInplaceEdit->SetSelStart(selStart);
    FInplaceEdit->SetSelLength(selLength);
  }
}

// Escape: the typing is dropped; an always-shown editor takes the cell's text again.
void TCustomGrid::CancelEditor() {
  if (FOptions.Contains(goAlwaysShowEditor) && FEditorMode) {
    InvalidateEditor();
    return;
  }
  FEditorMode = false;
  HideEdit(false);
}

// ---------------------------------------------------------------------------------------
// Keyboard

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  bool ctrl = Shift.Contains(ssCtrl);
  bool rowSelect = FOptions.Contains(goRowSelect);
  bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect) && !rowSelect;
  TGridCoord target = FCurrent;
  int page = std::max(1, VisibleRowCount());
  switch (Key) {
    case VK_UP:
      target.Y -= 1;
      break;
    case VK_DOWN:
      target.Y += 1;
      break;
    case VK_LEFT:
      if (rowSelect) {
        SetLeftCol(std::max(FFixedCols, LeftCol() - 1));
        return;
      }
      target.X -= 1;
      break;
    case VK_RIGHT:
      if (rowSelect) {
        SetLeftCol(std::min(LastLeftCol(), LeftCol() + 1));
        return;
      }
      target.X += 1;
      break;
    case VK_PRIOR:
      SetTopRow(std::max(FFixedRows, TopRow() - page));
      target.Y -= page;
      break;
    case VK_NEXT:
      SetTopRow(std::min(LastTopRow(), TopRow() + page));
      target.Y += page;
      break;
    case VK_HOME:
      target.X = FFixedCols;
      if (ctrl || rowSelect) target.Y = FFixedRows;
      break;
    case VK_END:
      target.X = FColCount - 1;
      if (ctrl || rowSelect) target.Y = FRowCount - 1;
      break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs) || Shift.Contains(ssAlt)) return;
      extend = false;
      if (Shift.Contains(ssShift)) {
        if (target.X > FFixedCols) {
          --target.X;
        } else if (target.Y > FFixedRows) {
          --target.Y;
          target.X = FColCount - 1;
        }
      } else {
        if (target.X < FColCount - 1) {
          ++target.X;
        } else if (target.Y < FRowCount - 1) {
          ++target.Y;
          target.X = FFixedCols;
        }
      }
      break;
    case VK_F2:
      if (FOptions.Contains(goEditing)) ShowEditor();
      return;
    case VK_ESCAPE:
      if (FEditorMode) CancelEditor();
      return;
    default:
      return;
  }
  MoveColRow(target.X, target.Y, !extend, true);
}

// Enter toggles the editor (an always-shown one only commits); a typed character opens it.
void TCustomGrid::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == 0 || !FOptions.Contains(goEditing)) return;
  if (Key == '\r') {
    if (FOptions.Contains(goAlwaysShowEditor)) {
      if (FEditorMode) UpdateText();
      else ShowEditor();
    } else if (FEditorMode) {
      HideEditor();
    } else {
      ShowEditor();
    }
    Key = 0;
    return;
  }
  if (Key == 27) {
    Key = 0;
    return;
  }
  if (FKeyFromEditor || static_cast<unsigned char>(Key) < 32) return;
  if (!CanEditAcceptKey(Key)) {
    Key = 0;
    return;
  }
  if (!FEditorMode || FInplaceEdit == nullptr || !FInplaceEdit->Visible()) {
    ShowEditorChar(Key);
  } else {
    // A character sent to the grid while its editor is open belongs to the editor.
    FInplaceEdit->Perform(WM_CHAR, static_cast<unsigned char>(Key), 0);
  }
  Key = 0;
}

// ---------------------------------------------------------------------------------------
// Mouse

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < FFixedCols || cell.Y < FFixedRows) return;
  bool editing = FOptions.Contains(goEditing);
  if (editing && cell == FCurrent && !Shift.Contains(ssShift) && !Shift.Contains(ssDouble)) {
    ShowEditor();
    return;
  }
  // An editing grid starts no range selection with the mouse.
  bool ranges = FOptions.Contains(goRangeSelect) && !editing;
  MoveColRow(cell.X, cell.Y, !(ranges && Shift.Contains(ssShift)), true);
  if (ranges) FGridState = gsSelecting;
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  if (FGridState != gsSelecting) return;
  TGridCoord cell = MouseCoord(X, Y);
  if (cell.X < 0) return;
  cell.X = std::max(cell.X, FFixedCols);
  cell.Y = std::max(cell.Y, FFixedRows);
  if (!(cell == FCurrent)) MoveColRow(cell.X, cell.Y, false, true);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FGridState = gsNormal;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

namespace {
// The desktop's lines (and columns) a wheel notch scrolls.
constexpr int kWheelLines = 3;
}  // namespace

// A notch never scrolls more than a screen: no row goes by unseen.
void TCustomGrid::WheelScroll(bool Columns, int Notches) {
  int step = std::min(kWheelLines, std::max(1, Columns ? VisibleColCount() : VisibleRowCount()));
  ScrollTo(Columns, (Columns ? LeftCol() : TopRow()) + Notches * step);
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint) {
  WheelScroll(Shift.Contains(ssShift), 1);
  return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint) {
  WheelScroll(Shift.Contains(ssShift), -1);
  return true;
}

// ---------------------------------------------------------------------------------------
// Messages

void TCustomGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTARROWS;
      if (!FOptions.Contains(goRowSelect)) {
        if (FOptions.Contains(goTabs)) code |= DLGC_WANTTAB;
        if (FOptions.Contains(goEditing)) code |= DLGC_WANTCHARS;
      }
      Message.Result = code;
      return;
    }
    case WM_MOUSEWHEEL: {
      // Turns short of a notch (fine-grained wheels, touchpads) add up until they make one.
      int delta = static_cast<int16_t>(HiWord(Message.WParam));
      TShiftState shift = KeysToShiftState(LoWord(Message.WParam));
      TPoint pos{SmallIntLo(Message.LParam), SmallIntHi(Message.LParam)};
      int& acc = shift.Contains(ssShift) ? FWheelCols : FWheelRows;
      acc += delta;
      for (; acc >= WHEEL_DELTA; acc -= WHEEL_DELTA) DoMouseWheelUp(shift, pos);
      for (; acc <= -WHEEL_DELTA; acc += WHEEL_DELTA) DoMouseWheelDown(shift, pos);
      Message.Result = 1;
      return;
    }
    case WM_MOUSEHWHEEL: {
      // Tilted right (a positive delta) scrolls to the right.
      FWheelCols += static_cast<int16_t>(HiWord(Message.WParam));
      for (; FWheelCols >= WHEEL_DELTA; FWheelCols -= WHEEL_DELTA) WheelScroll(true, 1);
      for (; FWheelCols <= -WHEEL_DELTA; FWheelCols += WHEEL_DELTA) WheelScroll(true, -1);
      Message.Result = 1;
      return;
    }
    case WM_VSCROLL:
    case WM_HSCROLL:
      // LParam names a scroll-bar control; 0 is the grid's own bar. The position may take more
      // than the high word's 16 bits here: our WParam carries it whole.
      if (Message.LParam != 0) break;
      ScrollRequest(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LoWord(Message.WParam),
                    static_cast<int>(Message.WParam >> 16));
      Message.Result = 0;
      return;
    case CM_ENDEDIT:
      if (FEditorMode) HideEditor();
      Message.Result = 0;
      return;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}
