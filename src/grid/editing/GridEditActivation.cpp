// Editor activation and cell selection: whether an edit may start on the current cell and with
// which editor (CanEditShow), what happens before the current cell moves (SelectCell: the
// pending edit is validated, the cell-changing events may refuse, editing is switched off over
// read-only cells and on again), and the small services the editing code around them uses.
#include <algorithm>

#include "grid/model/RivErodovOzar.h"

namespace {

bool IsPlainTextEditor(TEditorType Editor) {
  switch (Editor) {
    case edNormal: case edNumeric: case edPositiveNumeric: case edFloat: case edCapital: case edMixedCase:
    case edPassword: case edLowerCase: case edUpperCase: case edValidChars: case edPositiveFloat:
      return true;
    default:
      return false;
  }
}

}  // namespace

TInplaceEdit* TRivErodovOzar::CreateEditor() { return New<TRivInplaceEdit>(this); }

TRivInplaceEdit* TRivErodovOzar::NormalEdit() const { return dynamic_cast<TRivInplaceEdit*>(InplaceEditor()); }

// ---- CanEditShow ----

// Asked twice for every showing of the platform's editor: the first question chooses the
// editor and starts the edit; the second finds EditMode set and only answers.
bool TRivErodovOzar::CanEditShow() {
  // While a special editor edits the cell the plain editor stays away.
  if (FValidating || FSpecialEditor) return false;
  const bool r = TBaseGrid::CanEditShow();
  if (IsDesigning()) return r;
  if (!r || EditMode) return r && !FSpecialEditor;
  const TPoint base = BaseCell(RealColIndex(Col()), Row());
  if (HasControlGraphic(base.X, base.Y)) return false;
  // A cell that may not be edited never shows an editor, however the showing was asked for.
  bool editable = true;
  CheckCellEditable(base.X, base.Y, editable);
  if (!editable) return false;
  FNoEditChange = true;
  FCellCache = CurrentCell();
  EditControl = DefaultEditor;
  GetEditorType(base.X, base.Y, EditControl);
  if (EditControl == edNone) return false;
  EditMode = true;
  // The cell being edited is the one validation compares with and writes to, however the
  // edit was started (a typed character after an arrow key moved the current cell too).
  if (!FEditing) StoreOldCell(Col(), Row());
  if (EditControl == edCustom && FEditLink != nullptr) {
    // The linked editor shows instead of the platform's.
    FEntered = true;
    ShowEditLinkEditor(Col(), Row());
    return false;
  }
  if (!IsPlainTextEditor(EditControl)) {
    // A special editor control edits the cell instead of the platform's text editor.
    FEntered = true;
    EditMode = false;
    ShowSpecialEditor(base.X == RealColIndex(Col()) ? Col() : DisplColFromReal(base.X), base.Y);
    return false;
  }
  FShowEditProcess = true;
  FEntered = true;
  FEditing = true;
  return true;
}

// ---- SelectCell ----

bool TRivErodovOzar::SelectCell(int ACol, int ARow) {
  const TGridRect s = Selection();
  const int c0 = Col();
  const int r0 = Row();
  if (FForceSel) return true;
  if (Parent() == nullptr) return true;
  bool allow = true;
  bool answer = false;
  const int realCol = RealColIndex(ACol);
  FEditText = Cells(realCol, ARow);

  // The floating footer row at the bottom never becomes current.
  if (FloatingFooterVisible && ARow == RowCount() - 1) return false;
  if (ACol < 0 || ARow < 0) return false;

  if (IsMergedNonBaseCell(realCol, ARow) && !Options().Contains(goRangeSelect)) {
    const TPoint base = BaseCell(ACol, ARow);
    MoveColRow(base.X, base.Y, true, true);
    RepaintCell(base.X, base.Y);
    if (MouseActions()->DirectEdit || (ControlLook()->DropDownAlwaysVisible() && HasComboBox(ACol, ARow))) ShowEditor();
    return false;
  }
  if (ACol == 0 && HasNodes() && !Options().Contains(goRowSelect)) return false;
  if (EnabledRowsInUse && Navigation()->SkipDisabledRows && !IsRowEnabled(ARow)) return false;

  String t = GetRawCellText(realCol, ARow);
  TGridOptions options = Options();
  if (HasControlGraphic(realCol, ARow)) {
    bool e = true;
    CheckCellEditable(realCol, ARow, e);
    if (!FEditingTakenOut)
      FEditingTakenOut = !e && (options.Contains(goEditing) || MouseActions()->RangeSelectAndEdit);
    if (!options.Contains(goEditing) && !options.Contains(goRowSelect) && e) {
      FEditChange = true;
      SetOptions(options + goEditing);
    }
  } else {
    bool e = options.Contains(goEditing) || FEditingTakenOut;
    CheckCellEditable(realCol, ARow, e);
    if (e && MouseActions()->DirectEdit) {
      EditControl = DefaultEditor;
      if (HasNoEditor(realCol, ARow)) e = false;
    }
    if (MouseActions()->EditOnDblClickOnly()) e = false;
    if (e) {
      FEditingTakenOut = false;
      if (!options.Contains(goEditing)) {
        FEditChange = true;
        if (!FEditing) StoreOldCell(ACol, ARow);
        if (options.Contains(goRowSelect) && MouseActions()->RangeSelectAndEdit) options -= goRowSelect;
        SetOptions(options + goEditing);
      }
      if (FEditing || EditMode) {
        HideInplaceEdit();
        t = GetRawCellText(realCol, ARow);
      }
    } else {
      if (FEditing || EditMode) {
        HideInplaceEdit();
        t = GetRawCellText(realCol, ARow);
      }
      if (Options().Contains(goEditing)) {
        FEditingTakenOut = true;
        FEditChange = true;
        SetOptions(Options() - goEditing);
      }
    }
  }

  // Leaving the cell: an edit whose editor no longer has the focus is validated here.
  TRivInplaceEdit* edit = NormalEdit();
  const bool editorFocused = edit != nullptr && edit->Focused();
  if (FEditing && !editorFocused) {
    const String oldText = FCellCache;
    // A wide-text cell is validated with the wide text the edit left in it.
    const int oldCol = RealColIndex(FOldCol >= 0 ? FOldCol : Col());
    const int oldRow = FOldRow >= 0 ? FOldRow : Row();
    if (IsWideCell(oldCol, oldRow))
      answer = ValidateCellWide(GetWideCell(oldCol, oldRow));
    else
      answer = ValidateCell(CurrentCell());
    DoCellChanging(ACol, ARow, allow);
    if (!allow) answer = false;
    if (answer) answer = TBaseGrid::SelectCell(ACol, ARow);
    if (!answer) t = oldText;
  } else {
    DoCellChanging(ACol, ARow, allow);
    answer = !IsFixed(ACol, ARow) && allow && TBaseGrid::SelectCell(ACol, ARow);
  }

  if (ActiveCellShow) {
    RepaintActiveHeaders(c0, r0, ACol, ARow);
    if (s.Left != c0 && s.Top != r0) RepaintActiveHeaders(s.Left, s.Top, ACol, ARow);
  }
  if (ActiveRowShow()) {
    RepaintRow(ARow);
    RepaintRow(s.Top);
  }
  if (!IsStreaming() && ARow != FOldRowSel && OnRowChanged) {
    OnRowChanged(this, FOldRowSel, ARow);
    FOldRowSel = ARow;
  }
  if (HasCellBorders())
    for (int r = s.Top; r <= s.Bottom; ++r) RepaintRow(r);
  FCellCache = t;
  return answer;
}

void TRivErodovOzar::DoCellChanging(int NewCol, int NewRow, bool& Allow) {
  if (NewRow != Row() && OnRowChanging) OnRowChanging(this, Row(), NewRow, Allow);
  if (NewCol != Col() && OnColChanging) OnColChanging(this, Col(), NewCol, Allow);
  if ((NewRow != Row() || NewCol != Col()) && !FDisableChange && OnCellChanging)
    OnCellChanging(this, Row(), Col(), NewRow, NewCol, Allow);
}

// ---- Editability ----

bool TRivErodovOzar::IsEditable(int ACol, int ARow) {
  if (!Options().Contains(goEditing) && !MouseActions()->RangeSelectAndEdit && !FEditingTakenOut) return false;
  const TPoint base = BaseCell(ACol, ARow);
  bool editable = true;
  CheckCellEditable(base.X, base.Y, editable);
  if (!editable) return false;
  bool fixed = false;
  GetCellFixed(DisplColFromReal(base.X), base.Y, fixed);
  return !fixed;
}

bool TRivErodovOzar::EditorWantsTab() const {
  return Options().Contains(goTabs) || static_cast<bool>(OnCellValidate) || static_cast<bool>(OnCellValidateWide);
}

bool TRivErodovOzar::IsPasswordCell(int ACol, int ARow) {
  bool password = false;
  GetPasswordCell(ACol, ARow, password);
  return password;
}

// ---- Cell text services of editing ----

String TRivErodovOzar::CurrentCell() { return GetRawCellText(RealColIndex(Col()), Row()); }

void TRivErodovOzar::SetCurrentCell(const String& Value) { SetCells(RealColIndex(Col()), Row(), Value); }

void TRivErodovOzar::SetEditCellText(int ACol, int ARow, const String& Value) {
  SetEditText(ACol, ARow, Value);
  SetCells(RealColIndex(ACol), ARow, Value);
}

void TRivErodovOzar::RestoreCellCache() {
  SetCells(RealColIndex(Col()), Row(), FCellCache);
  RepaintCell(Col(), Row());
}

void TRivErodovOzar::DoGetEditorProp(int ACol, int ARow, TObject* AEditLink) {
  if (OnGetEditorProp) OnGetEditorProp(this, ACol, ARow, AEditLink);
  if (OnGetEditorPropInt) OnGetEditorPropInt(this, ARow, ACol);
}

void TRivErodovOzar::StopEditing() { SetOptions(Options() - goEditing); }

bool TRivErodovOzar::CanShowFixedDropDown(int ACol) {
  bool canShow = true;
  if (OnCanShowFixedDropDown) OnCanShowFixedDropDown(this, ACol, canShow);
  return canShow;
}

void TRivErodovOzar::DoStartBlockFocus() {
  if (OnStartBlockFocus) OnStartBlockFocus(this);
}

void TRivErodovOzar::DoEndBlockFocus() {
  if (OnEndBlockFocus) OnEndBlockFocus(this);
}

bool TRivErodovOzar::DoCanAddRow() {
  bool canAdd = true;
  DoCanAddRow(canAdd);
  return canAdd;
}

void TRivErodovOzar::RegisterNotifier(TGridChangeNotifier* Item) {
  if (std::find(FNotifierList.begin(), FNotifierList.end(), Item) == FNotifierList.end())
    FNotifierList.push_back(Item);
}

void TRivErodovOzar::UnRegisterNotifier(TGridChangeNotifier* ANotifier) { RemoveChangeNotifier(ANotifier); }

void TRivErodovOzar::RepaintActiveHeaders(int OldCol, int OldRow, int NewCol, int NewRow) {
  if (FixedRows() > 0) {
    RepaintCell(OldCol, FixedRows() - 1);
    RepaintCell(NewCol, FixedRows() - 1);
  }
  if (FixedCols() > 0) {
    RepaintCell(FixedCols() - 1, OldRow);
    RepaintCell(FixedCols() - 1, NewRow);
  }
}

// The platform's hide writes the editor's text back; the plain editor's edit mode ends with it.
void TRivErodovOzar::HideEditor() {
  TBaseGrid::HideEditor();
  if (!FSpecialEditor) EditMode = false;
}
