// The about box: the program's name, version and picture.
#pragma once

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"

class TZorvanAbout : public TForm {
 public:
  explicit TZorvanAbout(TComponent* AOwner);

  TLabel* ProgramName;
  TImage* Image1;
  TButton* OKButton;
};

extern TZorvanAbout* ZorvanAbout;
