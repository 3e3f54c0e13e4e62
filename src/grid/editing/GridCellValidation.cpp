// Cell validation and change notification: when an edit ends, the new text is checked (the cell
// checker, OnCellValidate), written, recorded (modified flags, undo) and announced (the change
// notifiers); a refused text never reaches the cell, and the editor opens on it again.
#include "grid/base/BaseGridUndoRedo.h"
#include "grid/model/RivErodovOzar.h"

namespace {

// Runs Body and then, whatever happens, Tail.
template <class B, class T>
void WithTail(B Body, T Tail) {
  try {
    Body();
  } catch (...) {
    Tail();
    throw;
  }
  Tail();
}

}  // namespace

void TRivErodovOzar::StoreOldCell(int ACol, int ARow) {
  FOldCol = ACol;
  FOldRow = ARow;
  const int realCol = RealColIndex(ACol);
  FOldCellText = GetRawCellText(realCol, ARow);
  FOldCellTextWide = IsWideCell(realCol, ARow) ? GetWideCell(realCol, ARow) : WideString();
  FOldModifiedValue = FGridModified;
}

void TRivErodovOzar::CellValidated(int, int) { RecalcFooters(); }

bool TRivErodovOzar::ValidateCell(const String& NewValue) {
  if (!FEditing || FValidating) return true;
  FEditing = false;
  FValidating = true;
  bool valid = true;
  const int c = RealColIndex(FOldCol);
  const int r = FOldRow;
  FNewCellText = NewValue;
  WithTail(
      [&] {
        if (NewValue == FOldCellText && !AlwaysValidate) return;
        const bool changed = NewValue != FOldCellText;
        const bool advanceOnEnter = Navigation()->AdvanceOnEnter;
        Navigation()->AdvanceOnEnter = false;
        String value = NewValue;
        WithTail(
            [&] {
              if (CellChecker != nullptr && CellChecker->AutoCorrect) value = CellChecker->Correct(c, r, value);
              if (OnCellValidate) OnCellValidate(this, c, r, value, valid);
              if (value != FOldCellText) {
                FGridModified = true;
                if (FixedCols() > 0) {
                  SetRowModified(r, true);
                  if (ShowModified()->Enabled) RepaintCell(0, r);
                }
              }
              if (valid) CellValidated(c, r);
              if (CellChecker != nullptr && CellChecker->AutoMarkError) value = CellChecker->MarkError(c, r, value);
              if (valid && FUndoRedo != nullptr) FUndoRedo->RegisterChange(c, r, FOldCellText, value);
              if (valid && changed) DoCellsChanged(TRect(c, r, c, r));
            },
            [&] { Navigation()->AdvanceOnEnter = advanceOnEnter; });
        FNewCellText = value;
        FLastValidation = valid;
        if (valid) {
          SetCells(c, r, value);
          const TPoint base = BaseCell(c, r);
          if (base.X != c || base.Y != r) SetCells(base.X, base.Y, value);
          // The footers were reckoned before the value was stored: once more with it.
          if (changed) RecalcFooters();
        } else {
          RefuseValue(c, r, NewValue, value);
        }
        FOldCellText = GetRawCellText(c, r);
      },
      [&] {
        StoreOldCell(Col(), Row());
        FValidating = false;
      });
  return valid;
}

// A refused value: the cell gets the handler's replacement, or its text from before the edit,
// and the grid goes back to it with the editor open.
void TRivErodovOzar::RefuseValue(int C, int R, const String& NewValue, const String& Value) {
  FLastValidation = false;
  const bool replaced = Value != NewValue;
  const int oldCol = FOldCol;
  const int oldRow = FOldRow;
  HideInplaceEdit();
  SetCells(C, R, replaced ? Value : FOldCellText);
  ReturnToCell(oldCol, oldRow);
  FValidating = false;
  FEditing = true;
  ShowInplaceEdit();
  if (!replaced && Col() != oldCol) InvalidateEditor();
  FGridModified = FOldModifiedValue;
  if (!InvalidEntryTitle.empty() || !InvalidEntryText.empty()) ShowInvalidEntryBalloon();
}

bool TRivErodovOzar::ValidateCellWide(const WideString& NewValue) {
  if (!FEditing || FValidating) return true;
  FEditing = false;
  FValidating = true;
  bool valid = true;
  const int c = RealColIndex(FOldCol);
  const int r = FOldRow;
  WithTail(
      [&] {
        WideString value = NewValue;
        if (NewValue != FOldCellTextWide || AlwaysValidate) {
          CellValidated(c, r);
          if (OnCellValidateWide) OnCellValidateWide(this, c, r, value, valid);
          if (valid) {
            SetWideCell(c, r, value);
          } else {
            const int oldCol = FOldCol;
            const int oldRow = FOldRow;
            FLastValidation = false;
            HideInplaceEdit();
            SetWideCell(c, r, value != NewValue ? value : FOldCellTextWide);
            ReturnToCell(oldCol, oldRow);
            FValidating = false;
            FEditing = true;
            ShowInplaceEdit();
            if (Col() != oldCol) InvalidateEditor();
            FGridModified = FOldModifiedValue;
          }
        }
        // A refused value modified nothing.
        if (valid && NewValue != FOldCellTextWide) {
          FGridModified = true;
          if (ShowModified()->Enabled && FixedCols() > 0) {
            SetRowModified(r, true);
            RepaintCell(0, r);
          }
          DoCellsChanged(TRect(c, r, c, r));
        }
        FOldCellTextWide = GetWideCell(c, r);
      },
      [&] {
        StoreOldCell(Col(), Row());
        FValidating = false;
      });
  return valid;
}

// Moves the current cell back to the edited one, past every check.
void TRivErodovOzar::ReturnToCell(int ACol, int ARow) {
  if (Col() == ACol && Row() == ARow) return;
  FForceSel = true;
  WithTail([&] { MoveColRow(ACol, ARow, true, true); }, [&] { FForceSel = false; });
}

// The balloon the platform's edit control shows for a refused value; without such a balloon
// the grid keeps what it would say, and the editor shows it as its tooltip.
void TRivErodovOzar::ShowInvalidEntryBalloon() {
  String text = InvalidEntryTitle;
  if (!text.empty() && !InvalidEntryText.empty()) text += ": ";
  text += InvalidEntryText;
  FShownBalloonText = text;
  if (TRivInplaceEdit* edit = NormalEdit()) edit->ShowBalloon(InvalidEntryTitle, InvalidEntryText, InvalidEntryIcon);
}
