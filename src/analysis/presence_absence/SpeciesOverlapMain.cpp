#include "analysis/presence_absence/SpeciesOverlapMain.h"

#include "analysis/presence_absence/SpeciesOverlapOptions.h"
#include "analysis/presence_absence/SpeciesOverlapSims.h"

TSpeciesOverlap* SpeciesOverlap = nullptr;

namespace {

constexpr Integer kOverlapMaxIterations = 100000;
constexpr int kOverlapMinGridRows = 3;  // two species rows

GroupIndexKind SelectedOverlapIndex(int Item) {
  // A typed text that matches no item runs the first index, as the summary then says.
  switch (Item) {
    case 1: return GroupIndexKind::Union;
    case 2: return GroupIndexKind::Overlap;
    default: return GroupIndexKind::RelativeOverlap;
  }
}

const char* OverlapIndexLine(GroupIndexKind Kind) {
  switch (Kind) {
    case GroupIndexKind::Union: return "Index = Union";
    case GroupIndexKind::Overlap: return "Index = Raw Overlap";
    default: return "Index = Relative Overlap";
  }
}

const char* RandomizationLine(GroupShuffle Shuffle) {
  switch (Shuffle) {
    case GroupShuffle::Both: return "Randomization Algorithm = Equiprobable";
    case GroupShuffle::WithinSpecies: return "Randomization Algorithm = Fixed Sites";
    case GroupShuffle::Labels: return "Randomization Algorithm = Fixed Species and Sites";
    default: return "Randomization Algorithm = Fixed Species";
  }
}

}  // namespace

TSpeciesOverlap::TSpeciesOverlap(TComponent* AOwner)
    : TGroupResults(AOwner, "SpeciesOverlap", "Zorvan Professional: Species Overlap Results", "Group Averages") {
  // "&Group Averages" sits between "Su&mmary" and the separator.
  GroupAverages1 = New<TMenuItem>(this);
  GroupAverages1->SetCaption("&Group Averages");
  Save1->Insert(1, GroupAverages1);
  Comma1 = GroupAverages1->AddItem("Space delimited (.txt)", scNone, [this](TObject* s) { Comma1Click(s); });
  CommaDelimitedtxt1 =
      GroupAverages1->AddItem("Comma delimited (.txt)", scNone, [this](TObject* s) { CommaDelimitedtxt1Click(s); });
  Excelxls1 = GroupAverages1->AddItem("Excel (.xls)", scNone, [this](TObject* s) { Excelxls1Click(s); });
}

TGroupRunSetup TSpeciesOverlap::Setup() {
  TSpeciesOverlapOpts* o = SpeciesOverlapOpts;
  TGroupRunSetup s;
  s.Options = o;
  s.Axis = GroupAxis::Species;
  s.Index = SelectedOverlapIndex(o->IndexList->ItemIndex());
  const GroupShuffle shuffle = OverlapRandomization(o->RandomizationGroup->ItemIndex());
  s.CopyMainGrid = OverlapCopyMainGrid;
  s.Randomize = [shuffle](GroupSims& Sims) { OverlapRandomize(Sims, shuffle); };
  s.FavoredStates = false;
  s.ModelName = "Species Overlap";
  s.MinRows = kOverlapMinGridRows;
  s.TooFewMessage = "At least 2 rows of data required for grouping.";
  s.MaxIterations = kOverlapMaxIterations;
  s.TooManyIterations = "Iterations must be < 100,000.";
  s.SmallGroupMessage = "Each group must contain at least 2 samples.";
  s.EmptyGroupStops = false;
  s.GroupHeader = "Groups";
  s.GroupingLine = "Grouping by species (rows).";
  s.GroupCountLabel = "Number of groups = ";
  s.IndexLine = OverlapIndexLine(s.Index);
  s.OptionLine = RandomizationLine(shuffle);
  s.SummaryHasFavoredBlock = false;
  s.GroupSection = "SPECIES OVERLAP/UNION:";
  return s;
}

void TSpeciesOverlap::Comma1Click(TObject*) { SaveGroupsAsText(false); }
void TSpeciesOverlap::CommaDelimitedtxt1Click(TObject*) { SaveGroupsAsText(true); }
void TSpeciesOverlap::Excelxls1Click(TObject*) { SaveGroupsAsExcel(); }
