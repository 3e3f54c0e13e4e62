// The status window shown while a workbook is read or written.
#pragma once

#include "classlib/ComCtrls.h"
#include "classlib/Forms.h"

class TExcelstatus : public TForm {
 public:
  explicit TExcelstatus(TComponent* AOwner);

  TProgressBar* ProgressBar1;

  // Shows the window with Caption and a still, empty bar (nothing advances it).
  void ShowStatus(const String& Caption);
};

extern TExcelstatus* Excelstatus;
