// TRivInplaceEdit's keys: the key-down message (Escape restores, Enter, Tab and the arrows at
// the text's edges validate), the dynamic key-down and key-up steps (lines, the walk out of
// the cell, type-ahead completion), and the character filter of the editor types.
#include <algorithm>
#include <cctype>

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "grid/base/ZudAzud.h"
#include "grid/editing/RivInplaceEdit.h"
#include "grid/model/RivErodovOzar.h"

namespace {

bool IsDigit(char Ch) { return Ch >= '0' && Ch <= '9'; }

// Backspace, Tab, Enter and Escape: the keys every filtered type lets through.
bool IsEditKey(char Ch) { return Ch == '\b' || Ch == '\t' || Ch == '\r' || Ch == 27; }

void Consume(TMessage& Message) {
  Message.WParam = 0;
  Message.Result = 1;
}

}  // namespace

// ---- WM_KEYDOWN ----

void TRivInplaceEdit::HandleKeyDownMessage(TMessage& Message) {
  if (FGrid == nullptr) {
    TInplaceEdit::WndProc(Message);
    return;
  }
  FGrid->EditorWMKeyDown(Message);
  FOldSelStart = SelStart();
  const Word key = static_cast<Word>(Message.WParam);
  const TShiftState shift = KeyboardStateToShiftState();
  const bool ctrl = shift.Contains(ssCtrl);
  const bool shifted = shift.Contains(ssShift);
  TNavigation* nav = FGrid->Navigation();

  // The edit control's own clipboard keys reach the clipboard messages and their events.
  if ((ctrl && key == 'V') || (shifted && !ctrl && key == VK_INSERT)) {
    Perform(WM_PASTE, 0, 0);
    Consume(Message);
    return;
  }
  if (ctrl && (key == 'C' || key == VK_INSERT)) {
    Perform(WM_COPY, 0, 0);
    Consume(Message);
    return;
  }
  if ((ctrl && key == 'X') || (shifted && !ctrl && key == VK_DELETE)) {
    Perform(WM_CUT, 0, 0);
    Consume(Message);
    return;
  }

  if (key == VK_ESCAPE) {
    SetText(FGrid->FCellCache);
    FGrid->HideInplaceEdit();
  }
  const bool multiLine = FGrid->WordWrap() || FGrid->Multilinecells;
  if (key == VK_RETURN && ctrl && !(nav->AllowCtrlEnter && multiLine)) {
    Consume(Message);
    return;
  }
  const String t = Text();
  const String o = FGrid->FOldCellText;
  const int length = static_cast<int>(t.size());

  if (key == VK_TAB && FGrid->EditorWantsTab()) {
    if (FGrid->ValidateCell(t)) {
      SetText(FGrid->FNewCellText);
      FGrid->HideInplaceEdit();
      if (FGrid->Options().Contains(goTabs)) {
        FGrid->TabMove(shifted);
      } else if (TCustomForm* form = FGrid->GetParentForm()) {
        // The Tab goes on as the form's own: the focus moves to the next control.
        PostMessage(form->Handle(), CM_DIALOGKEY, VK_TAB, 0);
      }
    } else {
      ValidationFailed(-1, o);
    }
    Consume(Message);
    return;
  }

  if (nav->CursorWalkEditor && shifted &&
      ((key == VK_LEFT && SelStart() == 0) || (key == VK_RIGHT && SelStart() == length))) {
    FGrid->FValidating = true;
    FGrid->SetCurrentCell(t);
    FGrid->FValidating = false;
    if (FGrid->ValidateCell(t)) {
      SetText(FGrid->FNewCellText);
      FGrid->HideInplaceEdit();
      if (FGrid->CanFocus()) FGrid->SetFocus();
    } else {
      ValidationFailed(length, o);
    }
    Consume(Message);
    return;
  }

  bool validatedUpDown = false;
  if ((key == VK_UP && LineOfPosition(SelStart()) == 0) ||
      (key == VK_DOWN && LineOfPosition(SelStart()) == LineOfPosition(length))) {
    FGrid->FValidating = true;
    FGrid->SetCurrentCell(t);
    FGrid->FValidating = false;
    if (!FGrid->ValidateCell(t)) {
      ValidationFailed(length, o);
      Consume(Message);
      return;
    }
    SetText(FGrid->FNewCellText);
    validatedUpDown = true;
  }

  if (key == VK_RETURN && !ctrl && !nav->LineFeedOnEnter) {
    if (!FGrid->ValidateCell(t)) {
      ValidationFailed(-1, o);
      Consume(Message);
      return;
    }
    SetText(FGrid->FNewCellText);
  }
  if (key == VK_HOME && !ctrl && !shifted) SetSelStart(0);
  if (key == VK_END && !ctrl && !shifted) SetSelStart(static_cast<int>(Text().size()));

  if (key == VK_RETURN && ctrl && nav->LineFeedOnEnter) {
    SetSelText("\r\n");
    Consume(Message);
    return;
  }
  TInplaceEdit::WndProc(Message);
  if (validatedUpDown && FGrid->MouseActions()->DisjunctRowSelect()) {
    FGrid->ClearRowSelect();
    FGrid->SetRowSelected(FGrid->Row(), true);
  }
}

// After a refused value the editor stays on the cell with the value validation left, all
// selected or with the caret at CaretAt (-1: the end of that value).
void TRivInplaceEdit::ValidationFailed(int CaretAt, const String& OldCellText) {
  const String value = FGrid->FNewCellText;
  SetText(value);
  if (FGrid->Navigation()->EditSelectAll)
    SelectAll();
  else
    SetSelStart(CaretAt < 0 ? static_cast<int>(value.size()) : CaretAt);
  Invalidate();
  FGrid->FOldCellText = OldCellText;
}

// ---- The dynamic key-down and key-up steps ----

void TRivInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  FSelKeyDown = SelStart();
  if (FGrid == nullptr) {
    TInplaceEdit::KeyDown(Key, Shift);
    return;
  }
  TNavigation* nav = FGrid->Navigation();
  if (Key == VK_BACK || Key == VK_DELETE) {
    Workmode = false;
  } else if (Key == VK_UP && LineOfPosition(SelStart()) > 0) {
    MoveCaretLine(-1);
    Key = 0;
    return;
  } else if (Key == VK_DOWN && LineOfPosition(SelStart()) < LineCount() - 1) {
    MoveCaretLine(1);
    Key = 0;
    return;
  } else if (Key == VK_RETURN) {
    if (!nav->AllowCtrlEnter && (FGrid->WordWrap() || FGrid->Multilinecells)) FGrid->FEditing = false;
    const bool shiftOrCtrl = Shift.Contains(ssShift) || Shift.Contains(ssCtrl);
    if (shiftOrCtrl && FGrid->Multilinecells && FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, FGrid->Row());
  } else {
    Workmode = true;
  }
  FGrid->EditorKeyDown(Key, Shift);
  TInplaceEdit::KeyDown(Key, Shift);
}

// The caret keeps its column on the neighbouring line, or goes to that line's end.
void TRivInplaceEdit::MoveCaretLine(int Delta) {
  const String text = Text();
  const int caret = SelStart();
  const size_t lineStart = caret == 0 ? 0 : text.rfind('\n', static_cast<size_t>(caret - 1));
  const int start = lineStart == String::npos || caret == 0 ? 0 : static_cast<int>(lineStart) + 1;
  const int column = caret - start;
  int target = 0;
  if (Delta < 0) {
    const int prevEnd = start - 1;  // the '\n' ending the previous line
    const size_t prevBreak = prevEnd > 0 ? text.rfind('\n', static_cast<size_t>(prevEnd - 1)) : String::npos;
    const int prevStart = prevBreak == String::npos ? 0 : static_cast<int>(prevBreak) + 1;
    int lineEnd = prevEnd;
    if (lineEnd > prevStart && text[static_cast<size_t>(lineEnd - 1)] == '\r') --lineEnd;
    target = std::min(prevStart + column, lineEnd);
  } else {
    const size_t nextBreak = text.find('\n', static_cast<size_t>(caret));
    if (nextBreak == String::npos) return;
    const int nextStart = static_cast<int>(nextBreak) + 1;
    const size_t after = text.find('\n', static_cast<size_t>(nextStart));
    int lineEnd = after == String::npos ? static_cast<int>(text.size()) : static_cast<int>(after);
    if (lineEnd > nextStart && text[static_cast<size_t>(lineEnd - 1)] == '\r') --lineEnd;
    target = std::min(nextStart + column, lineEnd);
  }
  SetSelStart(target);
}

void TRivInplaceEdit::HandleKeyUpMessage(TMessage& Message) {
  TInplaceEdit::WndProc(Message);
  if (FGrid == nullptr) return;
  const String text = Text();
  if (SelStart() > 0) FGrid->EditorCaretMoved(text, SelStart() - 1, SelStart());
  FGrid->EditorFormulaMode(!text.empty() && text[0] == '=');
}

void TRivInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
  if (FGrid == nullptr) {
    TInplaceEdit::KeyUp(Key, Shift);
    return;
  }
  const bool noShift = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
  const bool walk = FGrid->Navigation()->CursorWalkEditor && noShift && SelLength() == 0;
  if (Key == VK_LEFT) {
    if (walk && FSelKeyDown == 0 && SelStart() == 0 && WalkLeft()) Key = 0;
    return;
  }
  if (Key == VK_RIGHT) {
    if (walk && FOldSelStart == static_cast<int>(Text().size()) && WalkRight()) Key = 0;
    return;
  }
  TInplaceEdit::KeyUp(Key, Shift);
  DoChange();
  if (FGrid->WordWrap() && FGrid->Multilinecells && FGrid->OnEndRowSize) FGrid->OnEndRowSize(FGrid, FGrid->Row());
}

// Left at the start of the text leaves the cell for the one before it.
bool TRivInplaceEdit::WalkLeft() {
  TRivErodovOzar* grid = FGrid;
  TNavigation* nav = grid->Navigation();
  if (grid->Col() > grid->FixedCols() && grid->HasControlGraphic(grid->RealColIndex(grid->Col() - 1), grid->Row())) {
    if (grid->ValidateCell(Text())) {
      grid->HideInplaceEdit();
      grid->SetCol(grid->Col() - 1);
    }
    return true;
  }
  if (grid->ValidateCell(Text())) grid->HideInplaceEdit();
  const TAdvanceDirection direction = nav->AdvanceDirection();
  nav->SetAdvanceDirection(adLeftRight);
  try {
    grid->AdvanceEdit(grid->Col(), grid->Row(), true, false, false, true, true);
  } catch (...) {
    nav->SetAdvanceDirection(direction);
    throw;
  }
  nav->SetAdvanceDirection(direction);
  if (!nav->CursorWalkAlwaysEdit) grid->HideInplaceEdit();
  return true;
}

// Right at the end of the text leaves the cell for the one after it (its merged span).
bool TRivInplaceEdit::WalkRight() {
  TRivErodovOzar* grid = FGrid;
  TNavigation* nav = grid->Navigation();
  const int step = grid->CellSpan(grid->RealColIndex(grid->Col()), grid->Row()).X + 1;
  const int target = grid->Col() + step;
  if (grid->Col() < grid->ColCount() - grid->FixedRightCols() - 1 && target < grid->ColCount() &&
      grid->HasControlGraphic(grid->RealColIndex(target), grid->Row())) {
    if (grid->ValidateCell(Text())) {
      grid->HideInplaceEdit();
      grid->SetCol(target);
    }
    return true;
  }
  const TAdvanceDirection direction = nav->AdvanceDirection();
  nav->SetAdvanceDirection(adLeftRight);
  try {
    grid->AdvanceEdit(grid->Col(), grid->Row(), true, false, true, true, true);
  } catch (...) {
    nav->SetAdvanceDirection(direction);
    throw;
  }
  nav->SetAdvanceDirection(direction);
  if (!nav->CursorWalkAlwaysEdit) grid->HideInplaceEdit();
  return true;
}

// ---- WM_CHAR: the character filter ----

void TRivInplaceEdit::HandleCharMessage(TMessage& Message) {
  if (FGrid == nullptr) {
    TInplaceEdit::WndProc(Message);
    return;
  }
  TNavigation* nav = FGrid->Navigation();
  char ch = static_cast<char>(Message.WParam);
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool multiLine = FGrid->WordWrap() || FGrid->Multilinecells;
  if (ch == '.' && (Message.LParam & (LPARAM{1} << 22)) != 0 && FGrid->ExcelStyleDecimalSeparator)
    ch = FormatSettings.DecimalSeparator;
  if (ch == '\n' && ctrl && !(nav->AllowCtrlEnter && multiLine)) {
    Consume(Message);
    return;
  }
  if (AtLengthLimit() && ch != '\b' && ch != 27 && ch != '\r') {
    Consume(Message);
    return;
  }
  const TEditorType type = FGrid->EditControl;
  const bool textType = type == edNormal || type == edCapital || type == edMixedCase || type == edLowerCase ||
                        type == edUpperCase || type == edValidChars;
  if (ch == '\r' && nav->LineFeedOnEnter && textType) {
    SetSelText("\r\n");
    Consume(Message);
    return;
  }

  const String text = Text();
  bool transformed = false;
  auto refuse = [&](bool Beep) {
    if (Beep) MessageBeep(0);
    Consume(Message);
  };
  switch (type) {
    case edNormal:
    case edPassword:
      break;
    case edNumeric:
    case edPositiveNumeric: {
      const bool minusOk = type == edNumeric && ch == '-' && SelStart() == 0 && text.find('-') == String::npos;
      if (!IsDigit(ch) && !IsEditKey(ch) && !minusOk) return refuse(true);
      break;
    }
    case edFloat:
    case edPositiveFloat: {
      if (IsDigit(ch) || IsEditKey(ch)) break;
      if (ch == FormatSettings.DecimalSeparator) {
        if (text.find(ch) != String::npos && SelText().find(ch) == String::npos) return refuse(false);
        break;
      }
      if (ch == FormatSettings.ThousandSeparator) return refuse(false);
      if (ch == '-' && type == edFloat) {
        const bool atStart = SelStart() == 0 && text.find('-') == String::npos;
        if (!atStart && SelText().find('-') == String::npos) return refuse(true);
        break;
      }
      if (!ctrl) return refuse(false);
      break;
    }
    case edCapital:
    case edUpperCase:
      if (std::islower(static_cast<unsigned char>(ch))) {
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        transformed = true;
      }
      break;
    case edLowerCase:
      if (std::isupper(static_cast<unsigned char>(ch))) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        transformed = true;
      }
      break;
    case edMixedCase:
      transformed = static_cast<unsigned char>(ch) >= 32;
      break;
    case edValidChars:
      if (ch != '\b' && ch != '\r' && FGrid->ValidChars.find(ch) == String::npos) return refuse(true);
      break;
    default:
      return refuse(false);
  }

  const bool autoAdvance =
      nav->AdvanceAuto() && nav->AdvanceOnEnter && FGrid->MaxEditLength > 0 && static_cast<unsigned char>(ch) >= 32;
  if (!transformed && !autoAdvance) {
    Message.WParam = static_cast<unsigned char>(ch);
    TInplaceEdit::WndProc(Message);
    return;
  }
  const int caret = SelStart();
  const String before = Text();
  InsertTypedChar(ch, Message);
  if (type == edMixedCase && Text() != before) {
    SetText(CapitalizeWords(Text()));
    SetSelStart(caret + 1);
  }
  if (autoAdvance && static_cast<int>(Text().size()) == FGrid->MaxEditLength && SelLength() == 0 &&
      SelStart() == static_cast<int>(Text().size())) {
    char cr = '\r';
    FGrid->KeyPress(cr);
  }
}

// The character goes through the key press (the grid sees it first) and into the text here,
// so that what the edit holds afterwards is known at once; the view does not insert it again.
void TRivInplaceEdit::InsertTypedChar(char Ch, TMessage& Message) {
  char key = Ch;
  const bool fromView = KeyFromView();
  KeyPress(key);  // typing that does not come from the view is inserted by the edit here
  if (key != 0 && fromView && !ReadOnly()) SetSelText(String(1, key));
  Consume(Message);
}

// ---- KeyPress ----

void TRivInplaceEdit::KeyPress(char& Key) {
  if (FGrid != nullptr && Key == '\r' && !FGrid->Navigation()->LineFeedOnEnter) {
    if (!FGrid->ValidateCell(Text())) {
      SetText(FGrid->CurrentCell());
      Key = 0;
      return;
    }
  }
  const char typed = Key;
  TInplaceEdit::KeyPress(Key);
  if (FGrid == nullptr || typed == '\r' || typed == 0) return;
  const String text = Text();
  if (FGrid->Navigation()->AdvanceAuto() && !EditMask.empty() && text.find(' ') == String::npos &&
      SelStart() == static_cast<int>(text.size())) {
    char cr = '\r';
    FGrid->KeyPress(cr);
  }
}
