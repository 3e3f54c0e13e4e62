#include "analysis/runs_test/RunsTestOptions.h"

TRunsTestOpts* RunsTestOpts = nullptr;

TRunsTestOpts::TRunsTestOpts(TComponent* AOwner)
    : TColumnPairOpts(AOwner, {"RunsTestOpts", "Zorvan Professional: Runs Test Options", "XvariableList",
                               "&X variable (continuous) :", "YvariableList", "&Y variable (discrete) :"}) {
  SetBounds(0, 0, 460, 420);
  // Captions longer than the other tests' leave room: the lists move right.
  for (TComboBox* list : {FirstList, SecondList}) list->SetLeft(200);
  for (TLabel* label : {FirstLabel, SecondLabel}) label->SetWidth(172);
  SimulationGroup = NewGroup("SimulationGroup", "Simulation &Constraints", "Equiprobable", "Proportional", 100);
  SamplingAlgorithmGroup =
      NewGroup("SamplingAlgorithmGroup", "Sampling &Algorithm", "Without replacement", "With replacement", 180);
  DataTypeGroup = NewGroup("DataTypeGroup", "&Data type (continuous variable )", "Linear", "Angular", 260);
  ResetDefaults1->OnClick = [this](TObject*) { ResetDefaults(); };
}

TRadioGroup* TRunsTestOpts::NewGroup(const String& Name, const String& Caption, const char* First,
                                     const char* Second, int Top) {
  auto* group = New<TRadioGroup>(this);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->Items()->Add(First);
  group->Items()->Add(Second);
  group->SetItemIndex(0);
  group->SetBounds(24, Top, 346, 72);
  group->SetParent(PreferencesSheet);
  return group;
}

void TRunsTestOpts::ResetDefaults() {
  TColumnPairOpts::ResetDefaults();
  SimulationGroup->SetItemIndex(0);
}
