// The matrix text editor window. The program creates it at start-up and never shows it: its
// memo is the buffer in which the matrix writers lay out a "Sim" file before saving it.
#pragma once

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TZorvanEditor : public TForm {
 public:
  explicit TZorvanEditor(TComponent* AOwner);
  ~TZorvanEditor() override;

  TMemo* Memo1;
};

// Null before the window is created and after it is freed.
extern TZorvanEditor* ZorvanEditor;
