// ROzuRiriRavi: the grid's rich edit, both the inplace editor of rich-text cells and the hidden
// buffer that converts, measures and renders rich text. The grid that owns it is its owner.
#pragma once

#include "classlib/RichEdit.h"

class TRivErodovOzar;

class ROzuRiriRavi : public TRichEdit {
 public:
  // Raises EInvalidCast when the owner is not a grid.
  explicit ROzuRiriRavi(TComponent* AOwner);

  // Re-creates the edit's window (a hidden buffer drops its view).
  void ReCreate();
  // The selection's character offset: 0, 40 twips below or 40 twips above the base line.
  void SelNormal();
  void SelSubscript();
  void SelSuperscript();
  bool IsSelNormal();
  bool IsSelSubscript();
  bool IsSelSuperscript();
  // While locked, typing does not grow the row.
  void Lock() { FLocked = true; }
  void Unlock() { FLocked = false; }

  void WndProc(TMessage& Message) override;

  TRivErodovOzar* FGrid;
  int FReqHeight = 0;
  int FReqWidth = 0;
  bool FLocked = false;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  void RequestResize(TObject* Sender);
};
