// TGridTransEdit: the edit the data grid lays over a fixed cell to edit its text (the fixed
// rows and columns edit this way when MouseActions.FixedRowsEdit or FixedColsEdit ask for it).
// The edit lasts until it loses the focus with a value OnCellValidate accepts; Enter does not
// end it.
#pragma once

#include "classlib/StdCtrls.h"

class TRivErodovOzar;

class TGridTransEdit : public TCustomEdit {
 public:
  // The owner is the grid; the edit starts hidden.
  explicit TGridTransEdit(TComponent* AOwner);

  // Ends the edit: the value goes into its cell when OnCellValidate accepts it (OnEditingDone
  // fires first) and the edit hides; false when the value was refused (the edit stays).
  bool StopEdit();
  // The fixed cell being edited (real column, row).
  int EditCol() const { return FCol; }
  int EditRow() const { return FRow; }

 protected:
  void DoExit() override;
  void KeyPress(char& Key) override;

 private:
  friend class TRivErodovOzar;
  void HandleExit();
  void HandleKeyPress(char& Key);

  TRivErodovOzar* FGrid = nullptr;
  int FCol = -1;
  int FRow = -1;
};
