#include "app/ProgressSims.h"

#include "app/ZorvanMain.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

TProgress* Progress = nullptr;

namespace {
TLabel* AddLabel(TProgress* Form, const String& Name, const String& Caption, int Left, int Top) {
  TLabel* label = New<TLabel>(Form);
  label->SetName(Name);
  label->SetCaption(Caption);
  label->SetBounds(Left, Top, 60, 16);
  label->SetParent(Form);
  return label;
}
}  // namespace

TProgress::TProgress(TComponent* AOwner) : TForm(AOwner) {
  SetName("Progress");
  SetCaption("Zorvan Professional: simulating...");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  SetBounds(0, 0, 360, 230);

  ModelTitle = AddLabel(this, "ModelTitle", "Model:", 16, 16);
  ModelLabel = AddLabel(this, "ModelLabel", "", 96, 16);
  MatrixTitle = AddLabel(this, "MatrixTitle", "Matrix:", 16, 40);
  MatrixLabel = AddLabel(this, "MatrixLabel", "", 96, 40);
  IterationsTitle = AddLabel(this, "IterationsTitle", "Iterations:", 16, 64);
  IterationsLabel = AddLabel(this, "IterationsLabel", "1000", 96, 64);
  ProgressTitle = AddLabel(this, "ProgressTitle", "Progress", 16, 92);

  ProgressBar1 = New<TProgressBar>(this);
  ProgressBar1->SetName("ProgressBar1");
  ProgressBar1->SetBounds(16, 112, 320, 18);
  ProgressBar1->SetParent(this);

  SoundCheck = New<TCheckBox>(this);
  SoundCheck->SetName("SoundCheck");
  SoundCheck->SetCaption("Beep");
  SoundCheck->SetChecked(true);
  SoundCheck->SetBounds(16, 148, 80, 20);
  SoundCheck->SetParent(this);

  InterruptButton = New<TButton>(this);
  InterruptButton->SetName("InterruptButton");
  InterruptButton->SetCaption("&Abort simulation");
  InterruptButton->SetBounds(176, 144, 160, 28);
  InterruptButton->SetParent(this);
  InterruptButton->OnClick = [this](TObject* s) { InterruptButtonClick(s); };

  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

  FLabelTimer = New<TTimer>(this);
  FLabelTimer->SetEnabled(false);
  FLabelTimer->SetInterval(kLabelInterval);
  FLabelTimer->SetOnTimer([this](TObject* s) { ShowPendingCount(s); });
}

void TProgress::StartIterations(Integer Iterations) {
  FLabelTimer->SetEnabled(false);
  IterationsLabel->SetAutoSize(true);
  IterationsLabel->SetCaption(IntToStr(Iterations));
  IterationsLabel->SetAutoSize(false);
  FLabelShownAt = GetTickCount();
}

void TProgress::StepIteration() {
  const Integer count = ProgressBar1->Position();
  const bool last = count + 1 >= ProgressBar1->Max();
  if (last || GetTickCount() - FLabelShownAt >= kLabelInterval) {
    FLabelTimer->SetEnabled(false);
    IterationsLabel->SetCaption(IntToStr(count));
    FLabelShownAt = GetTickCount();
  } else {
    FPendingCount = count;
    if (!FLabelTimer->Enabled()) FLabelTimer->SetEnabled(true);
  }
  ProgressBar1->StepIt();
}

void TProgress::ShowPendingCount(TObject*) {
  FLabelTimer->SetEnabled(false);
  IterationsLabel->SetCaption(IntToStr(FPendingCount));
  FLabelShownAt = GetTickCount();
}

void TProgress::InterruptButtonClick(TObject*) {
  Close();
  Zorvan->InterruptFlag = true;
}

void TProgress::FormClose(TObject*, TCloseAction&) {
  if (!SoundCheck->Checked()) return;
  for (int i = 0; i < 3; ++i) Beep();
}

void SetUpProgress(const String& Model) {
  Progress->ProgressBar1->SetPosition(0);
  Progress->StartIterations(Zorvan->Iterations);
  Progress->MatrixLabel->SetCaption(IntToStr(Zorvan->MainGrid->RowCount() - 1) + " rows; " +
                                    IntToStr(Zorvan->MainGrid->ColCount() - 1) + " columns; ");
  Progress->ModelLabel->SetCaption(Model);
  Progress->Show();
  Progress->ProgressBar1->SetMax(Zorvan->Iterations);
  Progress->ProgressBar1->SetStep(1);
}
