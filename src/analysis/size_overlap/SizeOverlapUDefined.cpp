#include "analysis/size_overlap/SizeOverlapUDefined.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/common/ZorvanHelpersStatistics.h"
#include "analysis/size_overlap/SizeOverlapColumn.h"
#include "analysis/size_overlap/SizeOverlapOptions.h"
#include "analysis/size_overlap/SizeOverlapSims.h"
#include "app/OptionsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

TSizeOverLapUD1* SizeOverLapUD1 = nullptr;
TSizeOverLapUD2* SizeOverLapUD2 = nullptr;
TSizeOverLapUD5* SizeOverLapUD5 = nullptr;
TSizeOverLapUD6* SizeOverLapUD6 = nullptr;

namespace {

// The values are read back with '.' whatever the regional settings, so they are written so too.
String ParameterText(double Value) { return FloatToStrF(Value, ffFixed, 7, 5, TFormatSettings::Invariant()); }

int AnalysedColumn() { return SizeOverlapOpts != nullptr ? SizeOverlapOpts->AnalysedColumn() : 1; }

TEdit* NewEdit(TForm* Owner, const String& Name, const String& Text, int Top) {
  auto* edit = New<TEdit>(Owner);
  edit->SetName(Name);
  edit->SetText(Text);
  edit->SetBounds(170, Top, 120, 21);
  edit->SetParent(Owner);
  return edit;
}

TButton* NewButton(TForm* Owner, const String& Name, const String& Caption, int Left, int Width) {
  auto* button = New<TButton>(Owner);
  button->SetName(Name);
  button->SetCaption(Caption);
  button->SetBounds(Left, 96, Width, 25);
  button->SetParent(Owner);
  return button;
}

}  // namespace

TSizeOverlapParameterDialog::TSizeOverlapParameterDialog(TComponent* AOwner, const TLayout& Layout)
    : TForm(AOwner), FLayout(Layout) {
  SetName(Layout.Name);
  SetCaption(Layout.Caption);
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 330, 150);
  FFirst = NewEdit(this, Layout.FirstEdit, Layout.EndPoints ? "0" : "5", 20);
  FSecond = NewEdit(this, Layout.SecondEdit, "1", 52);
  NewFieldLabel(this, this, "Label1", Layout.EndPoints ? "Minimum:" : "Mean:", FFirst, 20);
  NewFieldLabel(this, this, "Label2", Layout.EndPoints ? "Maximum:" : "Std. Deviation:", FSecond, 52);
  FUse = NewButton(this, Layout.UseButton, Layout.UseCaption, 16, 170);
  FUse->Default = true;
  FReset = NewButton(this, "ResetButton", "reset &Defaults", 196, 110);
  FUse->OnClick = [this](TObject* s) { UseButtonClick(s); };
  FReset->OnClick = [this](TObject* s) { ResetButtonClick(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

void TSizeOverlapParameterDialog::Values(double& First, double& Second) const {
  First = CellSize(FFirst->Text());
  Second = CellSize(FSecond->Text());
}

bool TSizeOverlapParameterDialog::Init() {
  const TRivErodovOzar* data = Zorvan->MainGrid;
  const int column = AnalysedColumn();
  if (CountNonZeroRows(data, column) <= 0) {
    ShowMessage("Non-Zero Rows Must be > 0");
    return false;
  }
  std::vector<double> sizes;
  ColumnToSizes(data, column, sizes);
  if (FLayout.Transformed)
    TransformNumberLine(SizeOverlapOpts != nullptr && SizeOverlapOpts->TransformationGroup->ItemIndex() == 1, sizes,
                        sizes);
  double first = 0, second = 0;
  if (FLayout.EndPoints) {
    // A margin of a tenth outside the data on both sides, whatever the signs (log sizes below
    // 1 are negative).
    const double m = *std::min_element(sizes.begin(), sizes.end());
    const double M = *std::max_element(sizes.begin(), sizes.end());
    first = m - 0.1 * std::fabs(m);
    second = M + 0.1 * std::fabs(M);
  } else {
    double variance = 0;
    CalculateMeanVariance(static_cast<Integer>(sizes.size()), sizes, first, variance);
    second = std::sqrt(variance);
  }
  FFirst->SetText(ParameterText(first));
  FSecond->SetText(ParameterText(second));
  return true;
}

bool TSizeOverlapParameterDialog::TestUserInput() {
  double first = 0, second = 0;
  Values(first, second);
  String failure;
  if (FLayout.EndPoints) {
    if (!FLayout.Transformed && !(first > 0))
      failure = "Minimum must be > 0.";
    else if (!FLayout.Transformed && !(second > 0))
      failure = "Maximum must be > 0 ";
    else if (!(second > first))
      failure = "Maximum must be > Minimum ";
  } else {
    if (!FLayout.Transformed && !(first >= 0))
      failure = "Mean must be >= 0 ";
    else if (!(second > 0))
      failure = "Standard deviation must be > 0 ";
  }
  if (failure.empty()) return true;
  ShowMessage(failure);
  return false;
}

void TSizeOverlapParameterDialog::FormShow(TObject*) {
  FInitFailed = false;
  const bool reset = FLayout.NewFileResets ? FirstTime || CurrentFile != Zorvan->FileName : FirstTime;
  bool ok = true;
  if (reset) {
    FirstTime = false;
    if (FLayout.NewFileResets) CurrentFile = Zorvan->FileName;
    ok = Init();
  }
  if (ok && AnalysedColumn() != Current_c) {
    Current_c = AnalysedColumn();
    ok = Init();
  }
  if (!ok) {
    FInitFailed = true;
    Close();
  }
}

// However the dialog closes, what it leaves must pass the checks: values that do not are
// replaced by the data's defaults.
void TSizeOverlapParameterDialog::FormClose(TObject*, TCloseAction&) {
  if (FInitFailed || TestUserInput()) return;
  ShowMessage("Resetting defaults!");
  Init();
}

void TSizeOverlapParameterDialog::UseButtonClick(TObject*) {
  if (TestUserInput()) Close();
}

void TSizeOverlapParameterDialog::ResetButtonClick(TObject*) {
  if (Init()) return;
  FInitFailed = true;
  Close();
}

TSizeOverLapUD1::TSizeOverLapUD1(TComponent* AOwner)
    : TSizeOverlapParameterDialog(
          AOwner, {"SizeOverLapUD1", "Zorvan Professional: Untransformed end points", true, false, true, "MinimumEdit",
                   "MaximumEdit", "OkButton", "&Use new end points"}) {
  MinimumEdit = FFirst;
  MaximumEdit = FSecond;
  OkButton = FUse;
  ResetButton = FReset;
  CurrentFile = Zorvan != nullptr ? Zorvan->FileName : String();
  Current_c = AnalysedColumn();
}

TSizeOverLapUD5::TSizeOverLapUD5(TComponent* AOwner)
    : TSizeOverlapParameterDialog(AOwner, {"SizeOverLapUD5", "Zorvan Professional: Transformed end points", true, true,
                                           true, "MinimumEdit", "MaximumEdit", "OkButton", "&Use new end points"}) {
  MinimumEdit = FFirst;
  MaximumEdit = FSecond;
  OkButton = FUse;
  ResetButton = FReset;
  // No creation step: the first showing finds an unknown file and computes the defaults.
  FirstTime = false;
}

TSizeOverLapUD2::TSizeOverLapUD2(TComponent* AOwner)
    : TSizeOverlapParameterDialog(
          AOwner, {"SizeOverLapUD2", "Zorvan Professional: Untransformed normal distribution", false, false, false,
                   "MeanEdit", "SDEdit", "OKButton", "&Use new distribution"}) {
  MeanEdit = FFirst;
  SDEdit = FSecond;
  OKButton = FUse;
  ResetButton = FReset;
  CurrentFile = Zorvan != nullptr ? Zorvan->FileName : String();
  Current_c = AnalysedColumn();
}

TSizeOverLapUD6::TSizeOverLapUD6(TComponent* AOwner)
    : TSizeOverlapParameterDialog(
          AOwner, {"SizeOverLapUD6", "Zorvan Professional: Transformed normal distribution ", false, true, false,
                   "MeanEdit", "SDEdit", "OKButton", "&Use new distribution"}) {
  MeanEdit = FFirst;
  SDEdit = FSecond;
  OKButton = FUse;
  ResetButton = FReset;
  CurrentFile = Zorvan != nullptr ? Zorvan->FileName : String();
  Current_c = AnalysedColumn();
}
