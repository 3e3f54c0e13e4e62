// TRivInplaceEdit: the data grid's own text editor, laid over the current cell whenever the
// cell's editor type is one of the plain text kinds. The platform grid creates it once (through
// the grid's CreateEditor), fills it for a cell, places it and hides it again; this class adds
// the placement 3 pixels inside the cell, the character filters of the editor types, the keys
// that validate and end an edit, focus handling, the clipboard with its events, type-ahead
// completion from the grid's lookup list, and growing the row or column while typing.
//
// The editor is a single-line edit: its "lines" are the text's line breaks, so Up on the first
// and Down on the last line (a text without breaks: always) leave the cell.
#pragma once

#include "classlib/Grids.h"
#include "grid/model/GridTypes.h"

class TRivErodovOzar;

class TRivInplaceEdit : public TInplaceEdit {
 public:
  explicit TRivInplaceEdit(TComponent* AOwner);

  // Right-aligned text (the window style ES_RIGHT); set by the grid for every cell it fills.
  bool VAlign() const { return FValign; }
  void SetVAlign(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // The longest text the editor takes; 0 or less: no limit.
  int16_t LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int16_t Value);

  // Type-ahead completion from the grid's lookup items.
  void DoChange();
  // The edit control's balloon tip at the editor (a refused value's message).
  void ShowBalloon(const String& Title, const String& Text, TInvalidEntryIcon Icon);

  void WndProc(TMessage& Message) override;
  void UpdateContents() override;

  // The cell the editor was last filled for.
  int EditCol() const { return FColE; }
  int EditRow() const { return FRowE; }

  // Type-ahead completion runs while this is set; Backspace and Delete clear it.
  bool Workmode = false;

 protected:
  void CreateWnd() override;
  // The window styles the editor needs for its grid and cell (computed, then applied to the
  // view by RecreateWnd).
  void CreateParams();
  void BoundsChanged() override;
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

 private:
  // Message handlers.
  void HandleKeyDownMessage(TMessage& Message);
  void HandleKeyUpMessage(TMessage& Message);
  void HandleCharMessage(TMessage& Message);
  void HandleSetFocus(TMessage& Message);
  void HandleKillFocus(TMessage& Message);
  void HandleCopy(TMessage& Message);
  void HandleCut(TMessage& Message);
  void HandlePaste(TMessage& Message);
  void HandleDoubleClick(TMessage& Message);
  void HandleWantSpecialKey(TMessage& Message);
  void HandleEndEdit(TMessage& Message);

  // Applies the computed styles: alignment, password echo.
  void RecreateWnd();
  // What happens after a refused validation: the validated text, selected or with the caret
  // at CaretAt, and the grid's old-cell text put back.
  void ValidationFailed(int CaretAt, const String& OldCellText);
  // Hands a character to the edit itself (the view does not insert it again).
  void InsertTypedChar(char Ch, TMessage& Message);
  // The line (0-based) the text position lies on, and the number of lines.
  int LineOfPosition(int Position) const;
  int LineCount() const;
  // The text is as long as LengthLimit allows and nothing is selected.
  bool AtLengthLimit() const;
  // Moves the caret one text line up or down (a text with line breaks).
  void MoveCaretLine(int Delta);
  // The keys that walk out of the cell at the text's edges (CursorWalkEditor).
  bool WalkLeft();
  bool WalkRight();

  int FSelKeyDown = 0;
  int FOldSelStart = 0;
  int16_t FLengthLimit = 0;
  bool FValign = false;
  bool FWordWrap = false;
  bool FGotFocus = false;
  TRivErodovOzar* FGrid = nullptr;
  int FColE = -1;
  int FRowE = -1;
  bool FAltBack = false;
  // The window styles from CreateParams.
  bool FStyleRight = false;
  bool FStylePassword = false;
  bool FStyleMultiLine = true;
};
