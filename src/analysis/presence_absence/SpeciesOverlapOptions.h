// The species-overlap options form: the overlap index computed in every group of species and
// the randomisation constraint of the null model.
#pragma once

#include "analysis/presence_absence/GroupOptions.h"

class TSpeciesOverlapOpts : public TGroupOptions {
 public:
  explicit TSpeciesOverlapOpts(TComponent* AOwner);

  TRadioGroup* RandomizationGroup;  // "&Randomization Constraints"

  void ResetDefaults() override;
};

extern TSpeciesOverlapOpts* SpeciesOverlapOpts;
