// The small editors the data grid lays over a <CONTROL> element of a cell's HTML: an edit for
// the EDIT, PASSWORD and MASK types and a combo box for COMBO. Leaving one writes its value
// back into the cell as the control's VALUE.
#pragma once

#include "classlib/Mask.h"
#include "grid/base/rozcombo.h"

class TRivErodovOzar;

class TControlEdit : public TMaskEdit {
 public:
  explicit TControlEdit(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

 protected:
  // Enter ends the control edit; Tab ends it and moves on to the next cell or control.
  void KeyPress(char& Key) override;

 private:
  TRivErodovOzar* FGrid;
};

class TControlCombo : public TROZComboBox {
 public:
  explicit TControlCombo(TComponent* AOwner);
  void WndProc(TMessage& Message) override;

 protected:
  void KeyPress(char& Key) override;

 private:
  TRivErodovOzar* FGrid;
};
