#include "analysis/size_overlap/SizeOverlapUDefined4.h"

#include "analysis/size_overlap/SizeOverlapColumn.h"
#include "analysis/size_overlap/SizeOverlapUDefined3.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

TSizeOverLapUD4* SizeOverLapUD4 = nullptr;

namespace {
constexpr Integer kLargestPool = 241101;
}  // namespace

TSizeOverLapUD4::TSizeOverLapUD4(TComponent* AOwner) : TForm(AOwner) {
  SetName("SizeOverLapUD4");
  SetCaption("Zorvan Professional: User-defined histogram");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 340, 140);
  Label1 = New<TLabel>(this);
  Label1->SetName("Label1");
  Label1->SetCaption("Number of species in source pool:");
  Label1->SetBounds(16, 22, 215, 16);
  Label1->SetParent(this);
  SpeciesEdit = New<TEdit>(this);
  SpeciesEdit->SetName("SpeciesEdit");
  SpeciesEdit->SetText("10");
  SpeciesEdit->SetBounds(234, 18, 80, 21);
  SpeciesEdit->SetParent(this);
  Label1->SetFocusControl(SpeciesEdit);
  OKButton = New<TButton>(this);
  OKButton->SetName("OKButton");
  OKButton->SetCaption("&Use new histogram");
  OKButton->SetBounds(16, 60, 150, 25);
  OKButton->Default = true;
  OKButton->SetParent(this);
  CancelButton = New<TButton>(this);
  CancelButton->SetName("CancelButton");
  CancelButton->SetCaption("&Cancel");
  CancelButton->SetBounds(180, 60, 90, 25);
  CancelButton->Cancel = true;
  CancelButton->SetParent(this);
  OKButton->OnClick = [this](TObject* s) { OKButtonClick(s); };
  CancelButton->OnClick = [this](TObject* s) { CancelButtonClick(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TSizeOverLapUD4::FormShow(TObject*) { SpeciesEdit->SetText(Zorvan->SpeciesPool); }

void TSizeOverLapUD4::OKButtonClick(TObject*) {
  const Integer drawable = CountHistogramNonZeroRows(SizeOverLapUD3->SpeciesHistogramGrid);
  Zorvan->NonZeroRows = drawable;
  if (drawable <= 0) {
    ShowMessage("Non-Zero Rows Must be > 0");
    Zorvan->InterruptFlag = true;
    return;
  }
  const Integer v = LeadingInt(SpeciesEdit->Text());
  if (v < drawable) {
    ShowMessage("Histogram row count must be >= Non-zero rows.");
    return;
  }
  if (v > kLargestPool) {
    ShowMessage("Histogram row count must be < 241101.");
    return;
  }
  Zorvan->SpeciesPool = SpeciesEdit->Text();
  Close();
}

void TSizeOverLapUD4::CancelButtonClick(TObject*) { Close(); }
