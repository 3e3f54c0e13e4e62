#include "analysis/size_overlap/SizeOverlapOptions.h"

#include "analysis/size_overlap/SizeOverlapColumn.h"
#include "analysis/size_overlap/SizeOverlapUDefined.h"
#include "analysis/size_overlap/SizeOverlapUDefined3.h"
#include "app/OptionsFormParts.h"
#include "app/ResultsFormParts.h"
#include "app/ZorvanMain.h"
#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"

TSizeOverlapOpts* SizeOverlapOpts = nullptr;

namespace {
constexpr int kParametric = 0;
constexpr int kHistogram = 1;
constexpr int kUserDefined = 1;
constexpr const char* kNoSizes = "Non-Zero Rows Must be > 0";
}  // namespace

TSizeOverlapOpts::TSizeOverlapOpts(TComponent* AOwner) : TForm(AOwner) {
  SetName("SizeOverlapOpts");
  SetCaption("Zorvan Professional: Size Overlap Options");
  BorderStyle = bsDialog;
  Position = poScreenCenter;
  ShowHint = true;
  SetBounds(0, 0, 480, 430);

  PageControl1 = New<TPageControl>(this);
  PageControl1->SetName("PageControl1");
  PageControl1->SetAlign(alClient);
  PageControl1->SetParent(this);
  PreferencesSheet = NewPage(this, PageControl1, "PreferencesSheet", "Preferences");
  GeneralSheet = NewPage(this, PageControl1, "GeneralSheet", "General");
  PageControl1->SetActivePage(PreferencesSheet);

  MetricGroup =
      NewGroup("MetricGroup", "&Metric", {"Minimum segment length", "Variance in segment length"}, 1, 8, 8, 220, 64);
  BodySizeDistributionGroup = NewGroup("BodySizeDistributionGroup", "&Body size distribution",
                                       {"Parametric distributions", "Histogram"}, kParametric, 8, 80, 220, 64);
  BodySizeDistributionGroupMain = NewGroup("BodySizeDistributionGroupMain", "",
                                           {"Uniform", "Normal", "Log uniform", "Log normal"}, 0, 8, 148, 220, 96);
  BodySizeDistributionGroupC =
      NewGroup("BodySizeDistributionGroupC", "", {"Data defined", "User defined"}, 0, 8, 248, 220, 40);
  BodySizeDistributionGroupC->SetColumns(2);
  UserHistogramGroup = NewGroup("UserHistogramGroup", "", {"User defined histogram"}, 0, 8, 292, 220, 40);

  ColumnGroup = ::NewGroup(this, PreferencesSheet, "ColumnGroup", "Co&Lumn to analyze", 240, 8, 220, 56);
  ColumnList = New<TComboBox>(this);
  ColumnList->SetName("ColumnList");
  ColumnList->SetStyle(csDropDownList);
  ColumnList->SetBounds(10, 22, 200, 21);
  ColumnList->SetParent(ColumnGroup);
  TransformationGroup = NewGroup("TransformationGroup", "&Transformation",
                                 {"None (size differences)", "Log (size ratios)"}, 1, 240, 72, 220, 64);
  RoundingGroup = NewGroup("RoundingGroup", "Roundin&G", {"None", "Integer"}, 0, 240, 144, 220, 64);
  EditUserDefinedButton = New<TButton>(this);
  EditUserDefinedButton->SetName("EditUserDefinedButton");
  EditUserDefinedButton->SetCaption("&Edit");
  EditUserDefinedButton->SetBounds(240, 256, 75, 25);
  EditUserDefinedButton->SetParent(PreferencesSheet);

  TGeneralPage p =
      BuildGeneralPage(this, GeneralSheet, {260, "!99999;1; ", "1000 ", "Iterations must be >0 and < 1,000,000"});
  FileEdit = p.FileEdit;
  IterationsEdit = p.IterationsEdit;
  RandomSeedEdit = p.RandomSeedEdit;
  SaveMatrixCheckBox = p.SaveMatrixCheckBox;

  TOptionsMenu m = BuildOptionsMenu(
      this, [this](TObject* s) { Run1Click(s); }, [this](TObject* s) { Cancel1Click(s); },
      [this](TObject* s) { Help1Click(s); }, [this](TObject* s) { ResetDefaults1Click(s); });
  MainMenu1 = m.MainMenu1;
  Run1 = m.Run1;
  Cancel1 = m.Cancel1;
  Help1 = m.Help1;
  ResetDefaults1 = m.ResetDefaults1;

  // The rules run from here on, not for the design selections above.
  BodySizeDistributionGroup->OnClick = [this](TObject* s) { BodySizeDistributionGroupClick(s); };
  BodySizeDistributionGroupMain->OnClick = [this](TObject* s) { BodySizeDistributionGroupMainClick(s); };
  BodySizeDistributionGroupC->OnClick = [this](TObject* s) { BodySizeDistributionGroupCClick(s); };
  EditUserDefinedButton->OnClick = [this](TObject* s) { EditUserDefinedButtonClick(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
  FormCreate(this);
}

TRadioGroup* TSizeOverlapOpts::NewGroup(const String& Name, const String& Caption,
                                        std::initializer_list<const char*> Items, int ItemIndex, int Left, int Top,
                                        int Width, int Height) {
  auto* group = New<TRadioGroup>(this);
  group->SetName(Name);
  group->SetCaption(Caption);
  group->SetBounds(Left, Top, Width, Height);
  for (const char* item : Items) group->Items()->Add(item);
  group->SetItemIndex(ItemIndex);
  group->SetParent(PreferencesSheet);
  return group;
}

int TSizeOverlapOpts::AnalysedColumn() const { return (ColumnList->ItemIndex() < 0 ? 0 : ColumnList->ItemIndex()) + 1; }

namespace {
// The items of the distribution group.
SizeDistribution ParametricDistribution(int Item) {
  switch (Item) {
    case 1: return SizeDistribution::Normal;
    case 2: return SizeDistribution::LogUniform;
    case 3: return SizeDistribution::LogNormal;
    default: return SizeDistribution::Uniform;
  }
}
}  // namespace

SizeDistribution SelectedDistribution(const TSizeOverlapOpts* o) {
  if (o->BodySizeDistributionGroup->ItemIndex() == kHistogram) return SizeDistribution::Histogram;
  return ParametricDistribution(o->BodySizeDistributionGroupMain->ItemIndex());
}

SizeOverlapOptions TSizeOverlapOpts::NullModelOptions() const {
  SizeOverlapOptions o;
  o.Metric = MetricGroup->ItemIndex() == 0 ? SizeMetric::MinimumSegment : SizeMetric::SegmentVariance;
  o.Distribution = SelectedDistribution(this);
  o.UserDefined = BodySizeDistributionGroupC->ItemIndex() == kUserDefined;
  o.IntegerSizes = RoundingGroup->ItemIndex() == 1;
  o.LogTransform = TransformationGroup->ItemIndex() == 1;
  switch (o.Distribution) {
    case SizeDistribution::Uniform: SizeOverLapUD1->Values(o.Minimum, o.Maximum); break;
    case SizeDistribution::LogUniform: SizeOverLapUD5->Values(o.Minimum, o.Maximum); break;
    case SizeDistribution::Normal: SizeOverLapUD2->Values(o.Mean, o.SD); break;
    case SizeDistribution::LogNormal: SizeOverLapUD6->Values(o.Mean, o.SD); break;
    case SizeDistribution::Histogram:
      HistogramRows(SizeOverLapUD3->SpeciesHistogramGrid, o.HistogramSizes, o.HistogramWeights);
      break;
  }
  return o;
}

void TSizeOverlapOpts::FormCreate(TObject*) {
  EditUserDefinedButton->SetEnabled(false);
  UserHistogramGroup->SetEnabled(false);
}

void TSizeOverlapOpts::ColumnTitlesToList() {
  ColumnList->Items()->Clear();
  const TRivErodovOzar* data = Zorvan->MainGrid;
  for (int c = 1; c < data->ColCount(); ++c) ColumnList->Items()->Add(data->Cells(c, 0));
  ColumnList->SetItemIndex(0);
}

void TSizeOverlapOpts::FormShow(TObject*) {
  ColumnTitlesToList();
  // A matrix narrower than the one the choice was made on: its first data column.
  ColumnList->SetItemIndex(CurrentColumn < ColumnList->Items()->Count() ? CurrentColumn : 0);
  FileEdit->SetText(Zorvan->FileName);
  Zorvan->RunSim = false;
}

void TSizeOverlapOpts::FormClose(TObject*, TCloseAction&) { CurrentColumn = AnalysedColumn() - 1; }

void TSizeOverlapOpts::Run1Click(TObject*) {
  // A refusal in the pool-size dialog sets the interrupt flag; it must not stop the run (or
  // the whole batch) the user now asks for.
  Zorvan->InterruptFlag = false;
  Zorvan->RunSim = true;
  Close();
}

void TSizeOverlapOpts::Cancel1Click(TObject*) {
  Zorvan->RunSim = false;
  Close();
}

void TSizeOverlapOpts::Help1Click(TObject*) { Zorvan->RunHelp(); }

void TSizeOverlapOpts::ResetDefaults1Click(TObject*) { ResetDefaults(); }

// In this order: the radio groups' rules run as each selection changes.
void TSizeOverlapOpts::ResetDefaults() {
  FileEdit->SetText(Zorvan->FileName);
  RandomSeedEdit->SetText("0");
  MetricGroup->SetItemIndex(1);
  RoundingGroup->SetItemIndex(0);
  ColumnList->SetItemIndex(1);
  TransformationGroup->SetItemIndex(1);
  BodySizeDistributionGroup->SetItemIndex(kParametric);
  BodySizeDistributionGroupMain->SetItemIndex(0);
  BodySizeDistributionGroupC->SetItemIndex(0);
  SaveMatrixCheckBox->SetChecked(false);
  IterationsEdit->SetText("1000 ");
  ColumnTitlesToList();
}

void TSizeOverlapOpts::BodySizeDistributionGroupClick(TObject*) {
  const bool parametric = BodySizeDistributionGroup->ItemIndex() == kParametric;
  BodySizeDistributionGroupMain->SetEnabled(parametric);
  BodySizeDistributionGroupC->SetEnabled(parametric);
  EditUserDefinedButton->SetEnabled(!parametric || BodySizeDistributionGroupC->ItemIndex() == kUserDefined);
  UserHistogramGroup->SetEnabled(!parametric);
  if (!parametric) SizeOverLapUD3->ShowModal();
}

void TSizeOverlapOpts::BodySizeDistributionGroupMainClick(TObject*) { BodyDistributionClicks(); }

void TSizeOverlapOpts::BodySizeDistributionGroupCClick(TObject*) { BodyDistributionClicks(); }

void TSizeOverlapOpts::BodyDistributionClicks() {
  if (CountNonZeroRows(Zorvan->MainGrid, AnalysedColumn()) <= 0) {
    ShowMessage(kNoSizes);
    return;
  }
  const bool user = BodySizeDistributionGroupC->ItemIndex() == kUserDefined;
  EditUserDefinedButton->SetEnabled(user);
  const SizeDistribution d = ParametricDistribution(BodySizeDistributionGroupMain->ItemIndex());
  // Rounding applies to the laws of sizes, not of log sizes.
  RoundingGroup->SetVisible(!IsLogDistribution(d));
  if (!user) return;
  switch (d) {
    case SizeDistribution::Normal: SizeOverLapUD2->ShowModal(); break;
    case SizeDistribution::LogUniform: SizeOverLapUD5->ShowModal(); break;
    case SizeDistribution::LogNormal: SizeOverLapUD6->ShowModal(); break;
    default: SizeOverLapUD1->ShowModal(); break;
  }
}

void TSizeOverlapOpts::EditUserDefinedButtonClick(TObject*) {
  if (BodySizeDistributionGroup->ItemIndex() == kHistogram)
    SizeOverLapUD3->ShowModal();
  else
    BodyDistributionClicks();
}
