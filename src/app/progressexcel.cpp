#include "app/progressexcel.h"

TExcelstatus* Excelstatus = nullptr;

TExcelstatus::TExcelstatus(TComponent* AOwner) : TForm(AOwner) {
  SetName("Excelstatus");
  SetCaption("Zorvan Professional: Excel Import-Export Status");
  BorderStyle = bsDialog;
  Position = poMainFormCenter;
  SetBounds(0, 0, 420, 80);

  ProgressBar1 = New<TProgressBar>(this);
  ProgressBar1->SetName("ProgressBar1");
  ProgressBar1->SetBounds(16, 16, 380, 17);
  ProgressBar1->SetParent(this);
}

void TExcelstatus::ShowStatus(const String& Caption) {
  SetCaption(Caption);
  ProgressBar1->SetPosition(0);
  ProgressBar1->SetMax(0);
  Show();
  // Drawn now: the work that follows keeps the message loop from running until it is done.
  Update();
}
