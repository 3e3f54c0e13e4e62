// In-cell HTML controls: the press on a control (buttons, check boxes, radio buttons, and the
// edit and combo types that open an editor over the control), the two editor controls and the
// end of their edit, which rewrites the control's VALUE in the cell.
#include "grid/interaction/GridCellControlEditors.h"

#include "classlib/Bitmap.h"
#include "classlib/WinApi.h"
#include "grid/base/HTMLEngine.h"
#include "grid/base/HTMLTextOperations.h"
#include "grid/model/RivErodovOzar.h"

namespace {

bool IsEditType(const String& CtrlType) { return CtrlType == "EDIT" || CtrlType == "PASSWORD" || CtrlType == "MASK"; }

}  // namespace

// ---- The editor controls ----

TControlEdit::TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner), FGrid(dynamic_cast<TRivErodovOzar*>(AOwner)) {
  SetVisible(false);
  TabStop = false;
}

// Tab stays in the edit (it moves to the next control of the cell); Enter goes the usual way.
void TControlEdit::WndProc(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY && (Message.WParam == VK_TAB || Message.WParam == VK_RETURN)) {
    Message.Result = Message.WParam == VK_TAB ? 1 : 0;
    return;
  }
  TMaskEdit::WndProc(Message);
}

void TControlEdit::KeyPress(char& Key) {
  if (FGrid != nullptr && FGrid->ControlEditorKeyPress(Key)) return;
  TMaskEdit::KeyPress(Key);
}

TControlCombo::TControlCombo(TComponent* AOwner) : TROZComboBox(AOwner), FGrid(dynamic_cast<TRivErodovOzar*>(AOwner)) {
  SetVisible(false);
  TabStop = false;
}

void TControlCombo::WndProc(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY && Message.WParam == VK_TAB) {
    Message.Result = 1;
    return;
  }
  TROZComboBox::WndProc(Message);
}

void TControlCombo::KeyPress(char& Key) {
  if (FGrid != nullptr && FGrid->ControlEditorKeyPress(Key)) return;
  TROZComboBox::KeyPress(Key);
}

// ---- The grid's side ----

// Enter: the control edit ends and the grid takes the focus. Tab: it ends, and the grid moves
// on to the next cell (AdvanceAuto) or to the next edit control of the same cell.
bool TRivErodovOzar::ControlEditorKeyPress(char& Key) {
  if (Key != '\r' && Key != '\t') return false;
  const bool tab = Key == '\t';
  Key = 0;
  const String id = FCtrlID;
  const int row = FCtrlXY.Y;
  const int col = DisplColIndex(FCtrlXY.X);
  EndCellControlEdit(nullptr);
  if (!tab) {
    if (CanFocus()) SetFocus();
  } else if (Navigation()->AdvanceAuto()) {
    if (CanFocus()) SetFocus();
    AdvanceOnEnterStep(col, row, true);
  } else {
    ActivateHTMLControl(col, row, id);
  }
  return true;
}

bool TRivErodovOzar::HitHTMLCell(int ACol, int ARow, int X, int Y, const String& ControlID, THTMLRenderResult& Result) {
  const String text = Cells(RealColIndex(ACol), ARow);
  if (!EnableHTML || text.find('<') == String::npos) return false;
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
  params.ControlID = ControlID;
  return RenderHTMLText(measure.Canvas(), text, r, params, Result);
}

void TRivErodovOzar::ActivateHTMLControl(int ACol, int ARow, const String& AfterID) {
  const int realCol = RealColIndex(ACol);
  const String text = Cells(realCol, ARow);
  const String id = NextHTMLEditControlID(text, AfterID);
  THTMLRenderResult hit;
  if (id.empty() || !HitHTMLCell(ACol, ARow, -1, -1, id, hit) || hit.ControlID != id) {
    if (CanFocus()) SetFocus();
    return;
  }
  ShowCellControlEditor(text, hit.ControlType, ARow, realCol, ACol, hit.ControlRect, hit.ControlValue, id);
}

bool TRivErodovOzar::CellControlPress(int ACol, int ARow, int X, int Y) {
  THTMLRenderResult hit;
  if (!HitHTMLCell(ACol, ARow, X, Y, String(), hit) || hit.HitHref != "ctrl") return false;
  bool allowed = Options().Contains(goEditing);
  const int realCol = RealColIndex(ACol);
  if (allowed) DoCanEditCell(realCol, ARow, allowed);
  if (!allowed) return false;
  if (FCtrlEditing) EndCellControlEdit(nullptr);
  const String type = UpperCase(hit.ControlType);
  String text = Cells(realCol, ARow);
  String value = hit.ControlValue;
  if (type == "BUTTON") {
    FCtrlXY = TPoint{realCol, ARow};
    FCtrlDown = true;
    RepaintCell(ACol, ARow);
  } else if (type == "CHECK") {
    value = UpperCase(value) == "TRUE" ? "FALSE" : "TRUE";
    if (SetHTMLControlValue(text, hit.ControlID, value)) SetCells(realCol, ARow, text);
  } else if (type == "RADIO") {
    text = ClearHTMLRadioControls(text);
    value = "TRUE";
    if (SetHTMLControlValue(text, hit.ControlID, value)) SetCells(realCol, ARow, text);
  }
  if (OnControlClick) OnControlClick(this, ARow, ACol, hit.ControlID, type, value);
  if (IsEditType(type) || type == "COMBO")
    ShowCellControlEditor(Cells(realCol, ARow), type, ARow, realCol, ACol, hit.ControlRect, value, hit.ControlID);
  return true;
}

void TRivErodovOzar::ReleaseCellControlButton() {
  if (!FCtrlDown) return;
  FCtrlDown = false;
  RepaintCell(DisplColIndex(FCtrlXY.X), FCtrlXY.Y);
}

void TRivErodovOzar::ShowCellControlEditor(const String& CellText, const String& CtrlType, int ARow, int RealCol, int ACol,
                                           TRect CtrlRect, const String& CtrlValue, const String& CtrlID) {
  FCtrlXY = TPoint{RealCol, ARow};
  FCtrlID = CtrlID;
  FCtrlType = UpperCase(CtrlType);
  FCtrlEditing = true;
  if (IsEditType(FCtrlType)) {
    // Made on first use: most grids never edit a control in a cell.
    if (FEditControl == nullptr) FEditControl = New<TControlEdit>(this);
    TControlEdit* edit = FEditControl;
    edit->SetWidth(0);
    edit->PasswordChar = FCtrlType == "PASSWORD" ? '*' : '\0';
    edit->SetEditMask(FCtrlType == "MASK" ? GetHTMLControlProp(CellText, CtrlID) : String());
    edit->OnExit = [this](TObject* Sender) { EndCellControlEdit(Sender); };
    edit->SetText(CtrlValue);
    edit->SetBounds(CtrlRect.Left + 1, CtrlRect.Top + 8, CtrlRect.Width() - 4, 14);
    edit->SetMaxLength(GetHTMLControlMaxLen(CellText, CtrlID));
    edit->SetParent(this);
    edit->Show();
    edit->BringToFront();
    if (edit->CanFocus()) edit->SetFocus();
    return;
  }
  if (FCtrlType != "COMBO") {
    FCtrlEditing = false;
    return;
  }
  if (FComboControl == nullptr) FComboControl = New<TControlCombo>(this);
  TControlCombo* combo = FComboControl;
  combo->SetWidth(0);
  combo->SetFlat(false);
  combo->SetBounds(CtrlRect.Left - 1, CtrlRect.Top + 4, CtrlRect.Width(), combo->Height());
  combo->OnSelect = [this](TObject* Sender) { CellControlComboSelect(Sender); };
  combo->SetParent(this);
  combo->Items()->Clear();
  bool edit = true;
  int dropCount = 8;
  if (OnControlComboList) OnControlComboList(this, ARow, ACol, CtrlID, FCtrlType, CtrlValue, combo->Items(), edit, dropCount);
  combo->SetStyle(edit ? csDropDown : csDropDownList);
  combo->SetItemIndex(combo->Items()->IndexOf(CtrlValue));
  if (edit) combo->SetText(CtrlValue);
  combo->DropDownCount = dropCount;
  combo->OnExit = [this](TObject* Sender) { EndCellControlEdit(Sender); };
  combo->MaxLength = GetHTMLControlMaxLen(CellText, CtrlID);
  combo->Show();
  combo->BringToFront();
  if (combo->CanFocus()) combo->SetFocus();
  combo->SetDroppedDown(true);
}

void TRivErodovOzar::EndCellControlEdit(TObject*) {
  if (!FCtrlEditing) return;
  FCtrlEditing = false;
  String value;
  if (IsEditType(FCtrlType) && FEditControl != nullptr) {
    value = FEditControl->Text();
    FEditControl->Hide();
  } else if (FCtrlType == "COMBO" && FComboControl != nullptr) {
    value = FComboControl->Text();
    FComboControl->SetDroppedDown(false);
    FComboControl->Hide();
  }
  if (FCtrlXY.X >= 0 && FCtrlXY.X < ColCount() && FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount()) {
    String text = Cells(FCtrlXY.X, FCtrlXY.Y);
    if (SetHTMLControlValue(text, FCtrlID, value)) SetCells(FCtrlXY.X, FCtrlXY.Y, text);
  }
  if (OnControlEditDone) OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
  FCtrlType.clear();
}

void TRivErodovOzar::CellControlComboSelect(TObject* Combo) {
  if (!OnControlComboSelect) return;
  auto* combo = dynamic_cast<TCustomComboBox*>(Combo);
  if (combo == nullptr) return;
  const int index = combo->ItemIndex();
  const String item = index >= 0 && index < combo->Items()->Count() ? combo->Items()->Strings(index) : String();
  OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, index, FCtrlID, item);
}
