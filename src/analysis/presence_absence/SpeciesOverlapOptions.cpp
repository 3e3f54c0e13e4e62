#include "analysis/presence_absence/SpeciesOverlapOptions.h"

TSpeciesOverlapOpts* SpeciesOverlapOpts = nullptr;

namespace {
constexpr int kFixedSpecies = 1;
}  // namespace

TSpeciesOverlapOpts::TSpeciesOverlapOpts(TComponent* AOwner)
    : TGroupOptions(AOwner, {"SpeciesOverlapOpts",
                             "Zorvan Professional: Species Overlap Options",
                             "Species Overlap &Index",
                             {"Relative Overlap", "Union", "Overlap"},
                             "99999;1; ",
                             "Iterations must be >0 and < 100,000"}) {
  RandomizationGroup = NewRadioGroup("RandomizationGroup", "&Randomization Constraints",
                                     {"Equiprobable", "Fixed Species", "Fixed Sites", "Fixed Species and Sites"},
                                     kFixedSpecies, 8, 72, 246, 110);
}

void TSpeciesOverlapOpts::ResetDefaults() {
  ResetGeneral();
  RandomizationGroup->SetItemIndex(kFixedSpecies);
}
