#include "analysis/regression/RegressionOptions.h"

TRegressionOpts* RegressionOpts = nullptr;

TRegressionOpts::TRegressionOpts(TComponent* AOwner)
    : TColumnPairOpts(AOwner, {"RegressionOpts", "Zorvan Professional: Regression Options", "XvariableCList",
                               "&X variable:", "YvariableCList", "&Y variable:"}) {}
