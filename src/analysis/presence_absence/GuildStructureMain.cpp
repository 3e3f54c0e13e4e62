#include "analysis/presence_absence/GuildStructureMain.h"

#include "analysis/presence_absence/GuildStructureOptions.h"
#include "analysis/presence_absence/GuildStructureSims.h"

TGuildStructure* GuildStructure = nullptr;

namespace {

constexpr Integer kGuildMaxIterations = 50000;
constexpr int kMinGridLines = 5;  // four species rows (guilds) or site columns (regions)

// The "Co-occurrence &Index" items, and the summary's name of each.
GroupIndexKind SelectedGuildIndex(int Item) {
  // A typed text that matches no item selects nothing; the run then computes (and its summary
  // names) the first index.
  switch (Item) {
    case 1: return GroupIndexKind::Checkerboards;
    case 2: return GroupIndexKind::Combinations;
    case 3: return GroupIndexKind::VRatio;
    default: return GroupIndexKind::CScore;
  }
}

const char* GuildIndexLine(GroupIndexKind Kind) {
  switch (Kind) {
    case GroupIndexKind::Checkerboards: return "Index = Number of pairs of checkerboard species";
    case GroupIndexKind::Combinations: return "Index = Number of combinations";
    case GroupIndexKind::VRatio: return "Index = Variance ratio";
    default: return "Index = C-score";
  }
}

}  // namespace

TGuildStructure::TGuildStructure(TComponent* AOwner)
    : TGroupResults(AOwner, "GuildStructure", "Zorvan Professional: Guild Structure Results", "Guilds / Regions") {}

TGroupRunSetup TGuildStructure::Setup() {
  TGuildStructureOpts* o = GuildStructureOpts;
  TGroupRunSetup s;
  s.Options = o;
  s.Axis = GroupingAxis(o->Grouping->ItemIndex());
  const bool guilds = s.Axis == GroupAxis::Species;
  s.Index = SelectedGuildIndex(o->IndexList->ItemIndex());
  s.CopyMainGrid = [axis = s.Axis](const TStringGrid* Grid, Matrix& Presence, std::vector<std::string>& Labels) {
    GuildCopyMainGrid(Grid, axis, Presence, Labels);
  };
  // The grouping as the axis reads it, so that a grouping without a selection still shuffles.
  s.Randomize = [grouping = guilds ? 0 : 1](GroupSims& Sims) { GuildShuffleLabels(Sims, grouping); };
  s.FavoredStates = guilds && o->FavoredStatesCheckBox->Checked();
  s.ModelName = "Guild Structure";
  s.MinRows = guilds ? kMinGridLines : 0;
  s.MinCols = guilds ? 0 : kMinGridLines;
  s.TooFewMessage =
      guilds ? "At least 4 rows of data required for guild grouping." : "At least 4 columns required for region grouping.";
  s.MaxIterations = kGuildMaxIterations;
  s.TooManyIterations = "Iterations must be < 50000.";
  s.SmallGroupMessage =
      guilds ? "Each guild must contain at least 2 species." : "Each region must contain at least 2 sites.";
  s.EmptyGroupStops = true;
  s.GroupHeader = guilds ? "Guild" : "Region";
  s.GroupingLine = guilds ? "Grouping by guild (rows)." : "Grouping by region (columns).";
  s.GroupCountLabel = guilds ? "Guild number = " : "Region number = ";
  s.IndexLine = GuildIndexLine(s.Index);
  // The box as ticked, whatever the grouping.
  s.OptionLine = o->FavoredStatesCheckBox->Checked() ? "Favored States Analysis = True"
                                                     : "Favored States Analysis = False";
  s.SummaryHasFavoredBlock = true;
  s.GroupSection = "GUILDS / REGIONS:";
  return s;
}
