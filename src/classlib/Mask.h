// The masked edit: an edit whose text follows an edit mask such as "!99999;1; ".
//
// A mask has three fields separated by ';': the mask characters, the save-literals flag
// ('1' keeps the literal characters in Text, '0' leaves them out; default '1') and the blank
// character shown in unfilled positions (default '_'). Mask characters:
//   0 digit, required        9 digit, optional        # digit or sign, optional
//   L letter, required       l letter, optional
//   A letter or digit, req.  a letter or digit, opt.
//   C any character, req.    c any character, opt.
//   > upper case follows     < lower case follows     <> case as typed
//   \ the next character is a literal        _ a blank literal
//   !  short texts set from code are aligned right (filled from the left) instead of left
// Anything else is a literal. Text set from code is laid into the positions in order; a
// blank or an unfitting character leaves its position unfilled. EditText is what the edit
// shows (unfilled positions hold the blank character); Text shows unfilled positions as
// spaces, so with "!99999;1; " the text "1000 " reads back as "1000 " and "1000" as " 1000".
//
// Typing overwrites: a character goes to the first data position at or after the caret and the
// caret skips the literals after it. With a range selected, typing first blanks the data
// positions of the selection (literals stay) and then places the character at its first data
// position; Backspace, Delete and Cut (Ctrl+X, Shift+Delete) blank them and leave the caret at
// the selection's start. Paste (Ctrl+V, Shift+Insert) blanks the selection and types the
// clipboard's text from there. Ctrl+Z undoes the last edit (a run of typing is one edit), a
// second Ctrl+Z redoes it. With an empty mask the edit is a plain edit.
#pragma once

#include <vector>

#include "classlib/StdCtrls.h"

// A masked edit's text misses required characters.
class EDBEditError : public Exception { public: using Exception::Exception; };

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value);
  bool IsMasked() const { return !FPositions.empty(); }
  // The text as shown, with the blank character in unfilled positions.
  String EditText() const { return FText; }
  void SetEditText(const String& Value);
  // Raises EDBEditError when a required position is unfilled.
  virtual void ValidateEdit();

  void WndProc(TMessage& Message) override;

 protected:
  String GetText() const override;
  void TextChanged() override;
  void KeyPress(char& Key) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void ViewTextEdited(const String& Value) override;

 private:
  struct Position {
    char Kind;      // the mask character, or 0 for a literal
    char Literal;   // the literal character
    int Case;       // 1 upper, -1 lower, 0 as typed
  };
  int Size() const { return static_cast<int>(FPositions.size()); }
  bool IsData(int i) const { return FPositions[static_cast<size_t>(i)].Kind != 0; }
  // The first data position at or after i; Size() when there is none.
  int NextData(int i) const;
  // Blanks the data positions in [First, Last) of Text.
  void ClearData(String& Text, int First, int Last) const;
  bool Fits(const Position& p, char c) const;
  char Cased(const Position& p, char c) const;
  String Format(const String& Value, bool WithLiterals) const;
  void SetMaskedText(const String& EditText, int Caret);
  // A person's edit: remembered for undo (typing on from where the last typed character
  // left the caret continues the same edit), then applied.
  void UserEdit(const String& EditText, int Caret, bool Typing);
  void ForgetUndo();
  void CutSelection();
  void CopySelection() const;
  void Paste(const String& Value);
  void Undo();

  String FEditMask;
  std::vector<Position> FPositions;
  bool FReverse = false;
  bool FSaveLiterals = true;
  char FBlank = '_';
  bool FFormatting = false;
  bool FTyped = false;
  bool FCanUndo = false;
  String FUndoText;
  int FUndoCaret = 0;
  int FTypingCaret = -1;  // where the last typed character left the caret, or -1
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
