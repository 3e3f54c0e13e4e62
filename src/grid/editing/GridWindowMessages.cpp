// The data grid's window-level plumbing: the window procedure that routes focus, timer, paint,
// size, colour and font messages and the posted "GridEditDone" to their handlers, the focus
// hooks, the grid timer (incremental-search expiry, hover-to-select, blinking text), and the
// resize handler chained into the owner form.
#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/WinApi.h"
#include "grid/editing/RivInplaceEdit.h"
#include "grid/editing/GridEditorControls.h"
#include "grid/model/RivErodovOzar.h"

UINT TRivErodovOzar::GridEditDoneMessage() {
  static const UINT id = RegisterWindowMessage("GridEditDone");
  return id;
}

void TRivErodovOzar::WndProc(TMessage& Message) {
  if (Message.Msg == GridEditDoneMessage()) {
    HandleEditDone(Message);
    return;
  }
  if (!IsDestroying()) {
    if (HandlePanMessage(Message)) return;
    if (wheelmsg != 0 && Message.Msg == wheelmsg && !wheelpan && HandleWheelMessage(Message)) return;
  }
  switch (Message.Msg) {
    case WM_KEYDOWN:
      HandleKeyDownMessage(Message);
      return;
    case WM_LBUTTONDOWN:
      HandleLeftButtonDown(Message);
      return;
    case WM_LBUTTONUP:
      HandleLeftButtonUp(Message);
      return;
    case WM_LBUTTONDBLCLK:
      HandleDoubleClickMessage(Message);
      return;
    case WM_RBUTTONDOWN:
      HandleRightButtonDown(Message);
      return;
    case WM_RBUTTONUP:
      HandleRightButtonUp(Message);
      return;
    case WM_SETFOCUS:
      HandleSetFocus(Message);
      return;
    case WM_KILLFOCUS:
      HandleKillFocus(Message);
      return;
    case WM_TIMER:
      if (Message.WParam != GridTimerID) break;
      HandleTimerMessage(Message);
      return;
    case WM_PAINT:
      HandlePaintMessage(Message);
      return;
    case WM_ERASEBKGND:
      HandleEraseBackground(Message);
      return;
    case WM_SIZE:
      HandleSizeMessage(Message);
      return;
    case CM_COLORCHANGED:
      HandleColorChanged(Message);
      return;
    case CM_FONTCHANGED:
      HandleFontChanged(Message);
      return;
    case WM_CHAR:
      HandleCharMessage(Message);
      return;
    case WM_MOUSEMOVE:
      FMouseInside = true;
      FMousePos = Point(SmallIntLo(Message.LParam), SmallIntHi(Message.LParam));
      break;
    case CM_MOUSELEAVE:
      FMouseInside = false;
      HandleMouseLeave(Message);
      break;
    case CM_ENDEDIT:
      HandleEndEditMessage(Message);
      return;
    default:
      break;
  }
  TBaseGrid::WndProc(Message);
}

void TRivErodovOzar::CreateWnd() {
  if (IsDestroying()) return;
  TBaseGrid::CreateWnd();
  SetTimer(Handle(), GridTimerID, GridTimerInterval);
}

// ---- Focus ----

void TRivErodovOzar::HandleSetFocus(TMessage& Message) {
  if (InvokedFocusChange) return;
  TBaseGrid::WndProc(Message);
  if (GetCellType(RealColIndex(Col()), Row()) == ctCheckBox) return;
  TRivInplaceEdit* edit = NormalEdit();
  if (Navigation()->AlwaysEdit && FGridState == gsNormal && !FSpecialEditor) {
    bool editable = true;
    CheckCellEditable(RealColIndex(Col()), Row(), editable);
    const bool inView = Row() >= TopRow() && Row() <= TopRow() + VisibleRowCount() && Col() >= LeftCol() &&
                        Col() <= LeftCol() + VisibleColCount();
    const bool fromEditor = edit != nullptr && edit->HandleAllocated() &&
                            reinterpret_cast<HWND>(Message.WParam) == edit->Handle();
    if (edit != nullptr && !fromEditor && editable && inView) {
      ShowInplaceEdit();
      Message.Result = 0;
      return;
    }
    if (edit == nullptr && editable && inView && !MouseActions()->DirectEdit && !ControlLook()->DropDownAlwaysVisible() &&
        HasComboBox(Col(), Row())) {
      ShowInplaceEdit();
      Message.Result = 0;
      return;
    }
  }
  if ((FFixedRowAlways && RowCount() == 1) || (FFixedColAlways && ColCount() == 1)) HideSelection();
  if (IsMergedCell(Col(), Row())) RepaintCell(Col(), Row());
}

void TRivErodovOzar::HandleKillFocus(TMessage& Message) {
  if (FBlockKill) {
    Message.Result = 1;
    return;
  }
  TBaseGrid::WndProc(Message);
  if (IsMergedCell(Col(), Row())) RepaintCell(Col(), Row());
}

// The cell the grid holds when it takes the focus is the one the next edit validates against,
// also when the selection check refuses or raises.
void TRivErodovOzar::DoEnter() {
  if (FBlockFocus) return;
  struct Store {
    TRivErodovOzar* Grid;
    ~Store() { Grid->StoreOldCell(Grid->Col(), Grid->Row()); }
  } store{this};
  TBaseGrid::DoEnter();
  if (Options().Contains(goEditing) || MouseActions()->RangeSelectAndEdit) SelectCell(Col(), Row());
}

void TRivErodovOzar::DoExit() {
  if (FBlockKill) return;
  TBaseGrid::DoExit();
}

// A command is about to run while the grid has the focus: a plain editor still on screen
// finishes as it would itself; a special editor writes its value back.
void TRivErodovOzar::HandleEndEditMessage(TMessage& Message) {
  Message.Result = 0;
  if (TRivInplaceEdit* edit = NormalEdit(); edit != nullptr && edit->Visible()) {
    Message.Result = edit->Perform(CM_ENDEDIT, 0, 0);
    return;
  }
  if (EditMode) HideInplaceEdit();
}

// ---- The grid timer ----

void TRivErodovOzar::HandleTimerMessage(TMessage&) {
  ++FTimerTicks;
  if (Navigation()->AutoGotoIncremental) {
    const int before = SearchTics++;
    if (before == 3) {
      SearchInc.clear();
      SearchTics = 0;
    }
  }
  if (Hovering && !IsDesigning() && FMouseInside) {
    const TRect client = ClientRect();
    if (FMousePos.X >= client.Left && FMousePos.X < client.Right && FMousePos.Y >= client.Top &&
        FMousePos.Y < client.Bottom) {
      int col = -1, row = -1;
      MouseToCell(FMousePos.X, FMousePos.Y, col, row);
      if (col >= FixedCols() && col < ColCount() && row >= FixedRows() && row < RowCount()) {
        if (CanFocus() && !Focused()) SetFocus();
        SetRow(row);
        SetCol(col);
      }
    }
  }
  if (EnableBlink) {
    FGridBlink = !FGridBlink;
    RepaintBlinkingCells();
  }
}

namespace {
bool Blinks(const String& Text) {
  String upper = Text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper.find("<BLI") != String::npos;
}
}  // namespace

void TRivErodovOzar::RepaintBlinkingCells() {
  const int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
  const int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount());
  auto repaintIfBlinking = [this](int ACol, int ARow) {
    if (Blinks(GetRawCellText(RealColIndex(ACol), ARow))) RepaintCell(ACol, ARow);
  };
  for (int r = TopRow(); r <= lastRow; ++r)
    for (int c = LeftCol(); c <= lastCol; ++c) repaintIfBlinking(c, r);
  for (int r = 0; r < FixedRows(); ++r)
    for (int c = LeftCol(); c <= lastCol; ++c) repaintIfBlinking(c, r);
  for (int c = 0; c < FixedCols(); ++c)
    for (int r = TopRow(); r <= lastRow; ++r) repaintIfBlinking(c, r);
}

// ---- Painting ----

void TRivErodovOzar::HandleEraseBackground(TMessage& Message) { Message.Result = 0; }

// The message brings its canvas (the view's painter is double buffered already), so painting
// always goes the class library's way; while the update lock is held nothing is painted.
void TRivErodovOzar::HandlePaintMessage(TMessage& Message) {
  if (FUpdateCount >= 1) {
    Message.Result = 0;
    return;
  }
  TBaseGrid::WndProc(Message);
  ++FPaintCount;
}

bool TRivErodovOzar::HasCellBorders() { return static_cast<bool>(OnGetCellBorder); }

// ---- Size, colour, font ----

void TRivErodovOzar::HandleSizeMessage(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  if (FDisableSize) return;
  FDisableSize = true;
  struct Clear {
    bool& Flag;
    ~Clear() { Flag = false; }
  } clear{FDisableSize};
  ApplyScrollBarAlways(false);
}

void TRivErodovOzar::HandleColorChanged(TMessage& Message) {
  TBaseGrid::WndProc(Message);
  if (FloatingFooterVisible) Invalidate();
}

void TRivErodovOzar::HandleFontChanged(TMessage& Message) { TBaseGrid::WndProc(Message); }

// The owner form's resize passes through here first: with SizeWithForm the grid grows and
// shrinks with the form; then the form's own handler runs (its errors do not stop the grid).
void TRivErodovOzar::OwnerFormResize(TObject* Sender) {
  if (IsDesigning() || IsDestroying()) return;
  auto* form = dynamic_cast<TCustomForm*>(Sender);
  if (SizeWithForm && form != nullptr) {
    const int width = form->Width() + Width() - PrevSizeX;
    const int height = form->Height() + Height() - PrevSizeY;
    if (width > 0 && height > 0) {
      SetBounds(Left(), Top(), width, height);
      PrevSizeX = form->Width();
      PrevSizeY = form->Height();
    }
  }
  if (FResizeLink && FResizeLink->Previous) {
    try {
      FResizeLink->Previous(Sender);
    } catch (const std::exception&) {
    }
  }
}

void TRivErodovOzar::ChainOwnerFormResize() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (form == nullptr || IsDesigning()) return;
  FResizeLink = std::make_shared<TResizeLink>();
  FResizeLink->Grid = this;
  FResizeLink->Previous = form->OnResize;
  // The link outlives the grid: once the grid is gone the form's resize goes straight to the
  // handler it had before.
  std::shared_ptr<TResizeLink> link = FResizeLink;
  form->OnResize = [link](TObject* Sender) {
    if (link->Grid != nullptr)
      link->Grid->OwnerFormResize(Sender);
    else if (link->Previous)
      link->Previous(Sender);
  };
  PrevSizeX = form->Width();
  PrevSizeY = form->Height();
}

// ---- Construction and destruction ----

void TRivErodovOzar::EditingCreated() {
  ChainOwnerFormResize();
  CreateEditorControls();
}

void TRivErodovOzar::EditingDestroyed() {
  // The editors go while the grid is whole: a focused one reports its exit to the grid.
  TWinControl* editors[] = {EditCombo,       EditTrackBar,  EditMemo,       EditCalculator,    EditTimePicker,
                            EditDetailPicker, EditGridPicker, EditColorPicker, EditImagePicker, EditRivGridPicker,
                            EditSpin,        EditDate,      EditDateTime,   EditCheck,         EditBtn,
                            UnitEditBtn,     GridButton};
  FSpecialEditor = false;
  EditMode = false;
  for (TWinControl* editor : editors) delete editor;
  EditCombo = nullptr;
  EditTrackBar = nullptr;
  EditMemo = nullptr;
  EditCalculator = nullptr;
  EditTimePicker = nullptr;
  EditDetailPicker = nullptr;
  EditGridPicker = nullptr;
  EditColorPicker = nullptr;
  EditImagePicker = nullptr;
  EditRivGridPicker = nullptr;
  EditSpin = nullptr;
  EditDate = nullptr;
  EditDateTime = nullptr;
  EditCheck = nullptr;
  EditBtn = nullptr;
  UnitEditBtn = nullptr;
  GridButton = nullptr;
  if (FResizeLink) FResizeLink->Grid = nullptr;
  if (HandleAllocated()) KillTimer(Handle(), GridTimerID);
}
