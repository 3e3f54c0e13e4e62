#include "app/OptionsFormParts.h"

TLabel* NewFieldLabel(TComponent* Owner, TWinControl* Parent, const String& Name, const String& Caption,
                      TWinControl* Focus, int Top) {
  auto* label = New<TLabel>(Owner);
  label->SetName(Name);
  label->SetCaption(Caption);
  label->SetBounds(24, Top + 3, 140, 16);
  label->SetFocusControl(Focus);
  label->SetParent(Parent);
  return label;
}

TGeneralPage BuildGeneralPage(TComponent* Owner, TWinControl* Page, const TGeneralPageLayout& Layout) {
  TGeneralPage p{};
  p.FileEdit = New<TEdit>(Owner);
  p.FileEdit->SetName("FileEdit");
  p.FileEdit->SetReadOnly(true);
  p.FileEdit->SetText("Untitled.txt");
  p.FileEdit->SetBounds(170, 24, Layout.FileWidth, 21);
  p.FileEdit->SetParent(Page);
  p.FileLabel = NewFieldLabel(Owner, Page, "FileLabel", "Data file:", p.FileEdit, 24);

  p.IterationsEdit = New<TMaskEdit>(Owner);
  p.IterationsEdit->SetName("IterationsEdit");
  p.IterationsEdit->SetEditMask(Layout.IterationsMask);
  p.IterationsEdit->SetText(Layout.Iterations);
  p.IterationsEdit->Hint = Layout.IterationsHint;
  p.IterationsEdit->ShowHint = true;
  p.IterationsEdit->SetBounds(170, 60, 80, 21);
  p.IterationsEdit->SetParent(Page);
  p.IterationsLabel = NewFieldLabel(Owner, Page, "IterationsLabel", "Number of iterations:", p.IterationsEdit, 60);

  p.RandomSeedEdit = New<TEdit>(Owner);
  p.RandomSeedEdit->SetName("RandomSeedEdit");
  p.RandomSeedEdit->SetText("0");
  p.RandomSeedEdit->Hint = "0 = system clock. Enter a positive integer to set a random seed. ";
  p.RandomSeedEdit->ShowHint = true;
  p.RandomSeedEdit->SetBounds(170, 96, 120, 21);
  p.RandomSeedEdit->SetParent(Page);
  p.RandomSeedLabel = NewFieldLabel(Owner, Page, "RandomSeedLabel", "Random number seed:", p.RandomSeedEdit, 96);

  p.SaveMatrixCheckBox = New<TCheckBox>(Owner);
  p.SaveMatrixCheckBox->SetName("SaveMatrixCheckBox");
  p.SaveMatrixCheckBox->SetCaption("&Save simulated matrices");
  p.SaveMatrixCheckBox->SetChecked(false);
  p.SaveMatrixCheckBox->SetBounds(24, 136, 220, 17);
  p.SaveMatrixCheckBox->SetParent(Page);
  return p;
}

TOptionsMenu BuildOptionsMenu(TCustomForm* Form, TNotifyEvent Run, TNotifyEvent Cancel, TNotifyEvent Help,
                              TNotifyEvent ResetDefaults, const String& ResetCaption) {
  TOptionsMenu m{};
  m.MainMenu1 = New<TMainMenu>(Form);
  m.MainMenu1->SetName("MainMenu1");
  Form->SetMenu(m.MainMenu1);
  TMenuItem* root = m.MainMenu1->Items();
  m.Run1 = root->AddItem("&Run", scNone, std::move(Run));
  m.Cancel1 = root->AddItem("&Cancel", scNone, std::move(Cancel));
  m.Help1 = root->AddItem("&Help", scNone, std::move(Help));
  m.ResetDefaults1 = root->AddItem(ResetCaption, scNone, std::move(ResetDefaults));
  return m;
}
