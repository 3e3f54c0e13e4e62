#include "analysis/presence_absence/SpeciesOverlapSims.h"

#include "analysis/presence_absence/GuildStructureSims.h"

void OverlapCopyMainGrid(const TStringGrid* Grid, Matrix& Presence, std::vector<std::string>& Labels) {
  GuildCopyMainGrid(Grid, GroupAxis::Species, Presence, Labels);
}

void OverlapShuffleWithinColumns(GroupSims& Sims) { Sims.Shuffle(GroupShuffle::WithinSites); }

void OverlapShuffleWithinRows(GroupSims& Sims) { Sims.Shuffle(GroupShuffle::WithinSpecies); }

void OverlapShuffleLabels(GroupSims& Sims) { GuildShuffleLabels(Sims, 0); }

GroupShuffle OverlapRandomization(int Item) {
  switch (Item) {
    case 0: return GroupShuffle::Both;
    case 2: return GroupShuffle::WithinSpecies;
    case 3: return GroupShuffle::Labels;
    default: return GroupShuffle::WithinSites;
  }
}

void OverlapRandomize(GroupSims& Sims, GroupShuffle Kind) {
  switch (Kind) {
    case GroupShuffle::Both:
      OverlapShuffleWithinColumns(Sims);
      OverlapShuffleWithinRows(Sims);
      break;
    case GroupShuffle::WithinSites: OverlapShuffleWithinColumns(Sims); break;
    case GroupShuffle::WithinSpecies: OverlapShuffleWithinRows(Sims); break;
    case GroupShuffle::Labels: OverlapShuffleLabels(Sims); break;
  }
}
