// The guild-structure analysis: groups of species (guilds) or of sites (regions) by their
// labels, a co-occurrence index inside every group, and a null model that shuffles the labels.
#pragma once

#include "analysis/presence_absence/GroupResults.h"

class TGuildStructure : public TGroupResults {
 public:
  explicit TGuildStructure(TComponent* AOwner);

 protected:
  TGroupRunSetup Setup() override;
};

extern TGuildStructure* GuildStructure;
