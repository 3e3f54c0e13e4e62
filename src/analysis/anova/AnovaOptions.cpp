#include "analysis/anova/AnovaOptions.h"

TAnovaOpts* AnovaOpts = nullptr;

TAnovaOpts::TAnovaOpts(TComponent* AOwner)
    : TColumnPairOpts(AOwner, {"AnovaOpts", "Zorvan Professional: ANOVA Options", "LabelsList", "&Labels:",
                               "YvariableList", "&Y variable:"}) {}
