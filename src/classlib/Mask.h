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
  QWidget* MakeView(QWidget* ParentView) override;

 private:
  struct Position {
    char Kind;      // the mask character, or 0 for a literal
    char Literal;   // the literal character
    int Case;       // 1 upper, -1 lower, 0 as typed
  };
  bool IsData(int i) const { return FPositions[static_cast<size_t>(i)].Kind != 0; }
  bool Fits(const Position& p, char c) const;
  char Cased(const Position& p, char c) const;
  String Format(const String& Value, bool WithLiterals) const;
  void SetMaskedText(const String& EditText, int Caret);

  String FEditMask;
  std::vector<Position> FPositions;
  bool FReverse = false;
  bool FSaveLiterals = true;
  char FBlank = '_';
  bool FFormatting = false;
  bool FTyped = false;
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
};
