// The guild-structure options form: the index computed in every group, the grouping (species
// rows by guild or site columns by region) and the favored-states count, which exists only
// for grouping by guild.
#pragma once

#include "analysis/presence_absence/GroupOptions.h"

class TGuildStructureOpts : public TGroupOptions {
 public:
  explicit TGuildStructureOpts(TComponent* AOwner);

  TRadioGroup* Grouping;                // "Grouping"
  TCheckBox* FavoredStatesCheckBox;     // "Favored States Analysis"

  void ResetDefaults() override;
  // Item 0 (by guild) enables the favored-states box, item 1 disables it; its tick stays.
  void GroupingClick(TObject* Sender);
};

extern TGuildStructureOpts* GuildStructureOpts;
