#include "app/ZorvanMain.h"

void TZorvan::WireAnalysisLaunchers() {}
